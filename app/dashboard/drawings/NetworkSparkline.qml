import QtQuick
import QtQuick.Shapes
import Roror.App
import Roror.Kit

// One history series: a faint dashed midline, then the filled area and the line of the last 60
// samples against the card's shared peak, or a flat line with fewer than two samples.
Item {
    id: spark
    property networkVisualBody body
    property bool download: true
    property color color: AppTheme.orbCool
    readonly property var line: body.linePoints(download, width, height)
    readonly property var area: body.areaPoints(download, width, height)
    readonly property bool flat: line.length < 2

    Shape {
        anchors.fill: parent
        ShapePath {
            strokeColor: Qt.rgba(AppTheme.line.r, AppTheme.line.g, AppTheme.line.b, AppTheme.line.a * 0.15)
            strokeWidth: 0.5
            strokeStyle: ShapePath.DashLine
            dashPattern: [4, 6]
            capStyle: ShapePath.FlatCap
            fillColor: "transparent"
            startX: 0
            startY: spark.height * 0.5
            PathLine { x: spark.width; y: spark.height * 0.5 }
        }
    }
    Shape {
        anchors.fill: parent
        visible: spark.flat
        ShapePath {
            strokeColor: Qt.rgba(spark.color.r, spark.color.g, spark.color.b, 0.6)
            strokeWidth: 1.2
            capStyle: ShapePath.RoundCap
            fillColor: "transparent"
            startX: 0
            startY: spark.height - 1
            PathLine { x: spark.width; y: spark.height - 1 }
        }
    }
    Shape {
        objectName: "sparkArea"
        anchors.fill: parent
        visible: !spark.flat
        ShapePath {
            strokeColor: "transparent"
            fillGradient: LinearGradient {
                x1: 0; y1: 0; x2: 0; y2: spark.height
                GradientStop { position: 0; color: Qt.rgba(spark.color.r, spark.color.g, spark.color.b, 0.28) }
                GradientStop { position: 1; color: Qt.rgba(spark.color.r, spark.color.g, spark.color.b, 0.02) }
            }
            PathPolyline { path: spark.area }
        }
        ShapePath {
            strokeColor: spark.color
            strokeWidth: 1.4
            capStyle: ShapePath.RoundCap
            joinStyle: ShapePath.RoundJoin
            fillColor: "transparent"
            PathPolyline { path: spark.line }
        }
    }
}
