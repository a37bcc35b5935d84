import QtQuick
import Roror.Kit

// A grey placeholder block that breathes while it is on screen.
Rectangle {
    id: block
    property real cornerRadius: 4
    radius: cornerRadius
    // The platform's placeholder-text grey.
    color: AppTheme.shade(0.25)

    SequentialAnimation on opacity {
        running: block.visible
        loops: Animation.Infinite
        NumberAnimation { from: 0.3; to: 0.14; duration: 950; easing.type: Easing.InOutQuad }
        NumberAnimation { from: 0.14; to: 0.3; duration: 950; easing.type: Easing.InOutQuad }
    }
}
