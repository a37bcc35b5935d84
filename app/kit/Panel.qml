import QtQuick
import QtQuick.Layouts

// A card: glass (padding 14 when compact, else 20) or a plain card (always padding 20) with a
// faint fill, a hairline border and a soft shadow. Children stack top to bottom; the card grows
// beyond its content only as far as a child can grow (Layout.fillHeight).
Item {
    id: root
    property bool glass: true
    property real cornerRadius: 26
    property bool compact: false
    default property alias content: column.data
    readonly property real padding: glass && compact ? 14 : 20

    implicitWidth: column.implicitWidth + 2 * padding
    implicitHeight: column.implicitHeight + 2 * padding
    Layout.minimumHeight: column.Layout.minimumHeight + 2 * padding
    Layout.maximumHeight: column.Layout.maximumHeight + 2 * padding

    // Shadow of the plain card (black at 0.025, radius 12, 3 down) as rings outside the card,
    // so the translucent card itself stays clear.
    Rectangle {
        visible: !root.glass
        x: -2
        y: 1
        width: root.width + 4
        height: root.height + 4
        radius: root.cornerRadius + 2
        color: "transparent"
        border.width: 2
        border.color: Qt.rgba(0, 0, 0, 0.02500)
    }
    Rectangle {
        visible: !root.glass
        x: -4
        y: -1
        width: root.width + 8
        height: root.height + 8
        radius: root.cornerRadius + 4
        color: "transparent"
        border.width: 2
        border.color: Qt.rgba(0, 0, 0, 0.01875)
    }
    Rectangle {
        visible: !root.glass
        x: -6
        y: -3
        width: root.width + 12
        height: root.height + 12
        radius: root.cornerRadius + 6
        color: "transparent"
        border.width: 2
        border.color: Qt.rgba(0, 0, 0, 0.01250)
    }
    Rectangle {
        visible: !root.glass
        x: -8
        y: -5
        width: root.width + 16
        height: root.height + 16
        radius: root.cornerRadius + 8
        color: "transparent"
        border.width: 2
        border.color: Qt.rgba(0, 0, 0, 0.00625)
    }
    LiquidGlassSurface {
        anchors.fill: parent
        visible: root.glass
        cornerRadius: root.cornerRadius
    }
    Rectangle {
        anchors.fill: parent
        visible: !root.glass
        radius: root.cornerRadius
        color: AppTheme.elevated
        border.width: 1
        border.color: AppTheme.faded(AppTheme.line, 0.44)
    }
    ColumnLayout {
        id: column
        x: root.padding
        y: root.padding
        width: Math.max(0, root.width - 2 * root.padding)
        height: Math.max(0, Math.min(root.height - 2 * root.padding, Layout.maximumHeight))
        spacing: 0
    }
}
