import QtQuick
import Roror.App

// The translucent surface behind cards, panels and rows: the blurred backdrop under it, a white
// wash and a tint, in a rounded rectangle. `tint` transparent means no explicit tint; the
// surface then takes the glass tint while the window shows a custom background. Place it behind
// the padded content, filling it.
Item {
    id: root
    property real cornerRadius: 16
    property color tint: "transparent"
    // A capsule ignores `cornerRadius`.
    property bool capsule: false
    readonly property color appliedTint: tint.a > 0 ? tint : (GlassSource.hasCustomWindowBackground ? AppTheme.glassSurfaceTint : "transparent")
    readonly property real shapeRadius: capsule ? Math.min(width, height) / 2 : Math.min(cornerRadius, width / 2, height / 2)

    GlassBackdropRegion {
        anchors.fill: parent
        radius: root.shapeRadius
        visible: GlassSource.available
    }
    Rectangle {
        anchors.fill: parent
        radius: root.shapeRadius
        color: AppTheme.wash(GlassSource.available ? 0.34 : 0.42)
        border.width: 0.8
        border.color: AppTheme.dark ? AppTheme.shade(0.12) : AppTheme.wash(0.55)
    }
    Rectangle {
        anchors.fill: parent
        radius: root.shapeRadius
        visible: root.appliedTint.a > 0
        color: root.appliedTint
    }
}
