pragma ComponentBehavior: Bound

import QtQuick
import Roror.Kit

// The small indeterminate spinner of the platform: eight rounded spokes fading round the circle,
// turning while it is shown.
Item {
    id: root
    property real size: 16
    property color color: AppTheme.ink

    implicitWidth: size
    implicitHeight: size
    Accessible.role: Accessible.Animation

    Item {
        id: wheel
        anchors.fill: parent
        Repeater {
            model: 8
            Rectangle {
                id: spoke
                required property int index
                x: (root.size - width) / 2
                y: 0
                width: Math.max(1.5, root.size * 0.12)
                height: root.size * 0.3
                radius: width / 2
                color: root.color
                opacity: 1 - spoke.index * 0.11
                transformOrigin: Item.Bottom
                transform: Rotation {
                    origin.x: spoke.width / 2
                    origin.y: root.size / 2
                    angle: -spoke.index * 45
                }
            }
        }
        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
            running: root.visible
        }
    }
}
