import QtQuick
import Roror.Kit

// A 4-point track with a soft highlight sweeping left to right, again and again, while shown.
Item {
    id: root
    // Leading edge of the highlight as a fraction of the width.
    property real phase

    implicitHeight: 4
    clip: true

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: AppTheme.faded(AppTheme.line, 0.2)
    }
    Rectangle {
        objectName: "barHighlight"
        x: root.width * root.phase
        width: Math.max(48, root.width * 0.32)
        height: root.height
        radius: height / 2
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: AppTheme.faded(AppTheme.accent, 0) }
            GradientStop { position: 0.5; color: AppTheme.faded(AppTheme.accent, 0.85) }
            GradientStop { position: 1; color: AppTheme.faded(AppTheme.accent, 0) }
        }
    }

    NumberAnimation on phase {
        from: -0.35
        to: 1.05
        duration: 1400
        loops: Animation.Infinite
        running: root.visible
    }
}
