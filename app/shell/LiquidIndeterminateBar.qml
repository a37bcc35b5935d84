import QtQuick
import Roror.App
import Roror.Kit

// A 4-point track with a soft highlight sweeping left to right, again and again, while shown; the
// highlight is cut off at the track's rounded ends.
Item {
    id: root
    // Leading edge of the highlight as a fraction of the width.
    property real phase

    implicitHeight: 4

    // Where the highlight stands; the drawing below follows it.
    Item {
        id: highlight
        objectName: "barHighlight"
        x: root.width * root.phase
        width: Math.max(48, root.width * 0.32)
        height: root.height
    }
    CapsuleBar {
        objectName: "barDrawing"
        anchors.fill: parent
        trackColor: AppTheme.faded(AppTheme.line, 0.2)
        fillColor: AppTheme.faded(AppTheme.accent, 0.85)
        fillFades: true
        fillX: highlight.x
        fillWidth: highlight.width
    }

    NumberAnimation on phase {
        from: -0.35
        to: 1.05
        duration: 1400
        loops: Animation.Infinite
        running: root.visible
    }
}
