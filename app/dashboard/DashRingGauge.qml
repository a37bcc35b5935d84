import QtQuick
import QtQuick.Shapes

// A circular gauge: a faint track and an arc from 12 o'clock, clockwise, to the clamped value.
Item {
    id: ring
    property real value: 0
    property color color: DashTheme.success
    property real lineWidth: 6
    readonly property real progress: Math.max(0, Math.min(1, value))
    readonly property real radius: Math.max(0, Math.min(width, height) / 2 - lineWidth / 2)

    Shape {
        anchors.fill: parent
        ShapePath {
            strokeColor: Qt.rgba(DashTheme.line.r, DashTheme.line.g, DashTheme.line.b, DashTheme.line.a * 0.22)
            strokeWidth: ring.lineWidth
            fillColor: "transparent"
            capStyle: ShapePath.FlatCap
            PathAngleArc {
                centerX: ring.width / 2
                centerY: ring.height / 2
                radiusX: ring.radius
                radiusY: ring.radius
                startAngle: 0
                sweepAngle: 360
            }
        }
    }
    Shape {
        anchors.fill: parent
        visible: ring.progress > 0
        ShapePath {
            strokeWidth: ring.lineWidth
            fillColor: "transparent"
            capStyle: ShapePath.RoundCap
            strokeColor: Qt.rgba(ring.color.r, ring.color.g, ring.color.b, 0.82)
            PathAngleArc {
                centerX: ring.width / 2
                centerY: ring.height / 2
                radiusX: ring.radius
                radiusY: ring.radius
                startAngle: -90
                sweepAngle: 360 * ring.progress
                Behavior on sweepAngle { enabled: ring.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
            }
        }
    }
}
