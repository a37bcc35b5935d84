import QtQuick
import Roror.App

// A circular progress ring filling the frame it is given: a faint track and an arc from 12
// o'clock clockwise over `value` (limited to 0...1) in `color`. A new value sweeps over 0.55 s,
// a new colour over 0.35 s, while the ring is shown; a hidden ring takes its value at once.
Item {
    id: root
    property real value: 0
    property color color: AppTheme.accent
    property real lineWidth: 8

    RingGaugeArc {
        objectName: "ringGaugeArc"
        anchors.fill: parent
        trackColor: AppTheme.faded(AppTheme.line, 0.22)
        lineWidth: root.lineWidth
        progress: Math.max(0, Math.min(1, root.value))
        targetProgress: Math.max(0, Math.min(1, root.value))
        color: root.color
        Behavior on progress {
            enabled: root.visible
            NumberAnimation {
                duration: 550
                easing.type: Easing.InOutQuad
            }
        }
        Behavior on color {
            enabled: root.visible
            ColorAnimation {
                duration: 350
                easing.type: Easing.InOutQuad
            }
        }
    }
}
