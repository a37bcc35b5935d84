import QtQuick

// The glass of a clickable control: the glass surface in a rounded rectangle (16 unless given)
// or a capsule, lighter under the pointer and darker while pressed.
LiquidGlassSurface {
    id: root
    property bool hovered: false
    property bool pressed: false
    cornerRadius: 16

    Rectangle {
        anchors.fill: parent
        radius: root.shapeRadius
        visible: root.hovered || root.pressed
        color: root.pressed ? AppTheme.shade(0.05) : AppTheme.wash(0.22)
    }
}
