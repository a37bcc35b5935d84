import QtQuick
import Roror.App
import Roror.Kit

// The dashboard's thin capsule bar: a faint track and a fill that slides and recolours.
Item {
    id: bar
    property real value: 0
    property color color: AppTheme.success
    readonly property real clamped: value > 0 ? Math.min(value, 1) : 0
    implicitHeight: 6

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: AppTheme.line
        opacity: 0.28
    }
    Rectangle {
        objectName: "progressFill"
        height: parent.height
        // Whole pixels, at the ends and at every step: a refresh that moves nothing visibly starts no
        // animation, and a step that moves the edge by less than a pixel draws no frame.
        property real sweptWidth: Math.round(bar.width * bar.clamped)
        width: Math.round(sweptWidth)
        radius: height / 2
        color: bar.color
        opacity: 0.84
        Behavior on sweptWidth { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
        Behavior on color { enabled: bar.visible; ColorAnimation { duration: 350; easing.type: Easing.InOutQuad } }
    }
}
