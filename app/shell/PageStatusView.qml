import QtQuick
import QtQuick.Layouts
import QtQuick.Shapes
import Roror.App
import Roror.Kit

// The busy strip of a page: a spinner with "Working", the model's status detail, a sweeping bar
// and, when the model names any, the paths scanned last (the first one is the current one).
ColumnLayout {
    id: root
    required property AppModel model
    property var recentScanPaths: root.model.recentScanPaths

    objectName: "pageStatus"
    spacing: 12

    RowLayout {
        Layout.fillWidth: true
        spacing: 12

        Item {
            id: spinner
            objectName: "pageStatusSpinner"
            Layout.preferredWidth: 16
            Layout.preferredHeight: 16
            Layout.alignment: Qt.AlignVCenter

            Shape {
                anchors.fill: parent
                ShapePath {
                    strokeColor: AppTheme.accent
                    strokeWidth: 2
                    fillColor: "transparent"
                    capStyle: ShapePath.RoundCap
                    PathAngleArc {
                        centerX: 8
                        centerY: 8
                        radiusX: 6.5
                        radiusY: 6.5
                        startAngle: 0
                        sweepAngle: 270
                    }
                }
            }
            RotationAnimator on rotation {
                from: 0
                to: 360
                duration: 900
                loops: Animation.Infinite
                running: spinner.visible
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 3

            Text {
                text: Tr.text("正在处理", "Working")
                color: AppTheme.ink
                font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
            }
            Text {
                objectName: "pageStatusDetail"
                Layout.fillWidth: true
                text: root.model.statusDetail
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                color: AppTheme.muted
                font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
            }
        }
    }

    LiquidIndeterminateBar {
        objectName: "pageStatusBar"
        Layout.fillWidth: true
    }

    Column {
        objectName: "pageStatusPaths"
        Layout.fillWidth: true
        visible: root.recentScanPaths.length > 0
        spacing: 4

        Repeater {
            model: root.recentScanPaths
            Row {
                id: pathRow
                required property int index
                required property string modelData
                readonly property bool current: index === 0
                objectName: "pageStatusPath"
                width: parent.width
                spacing: 8

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 5
                    height: 5
                    radius: 2.5
                    color: pathRow.current ? AppTheme.accent : AppTheme.faded(AppTheme.accent, 0.4)
                }
                Text {
                    width: pathRow.width - 13
                    text: pathRow.modelData
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    color: pathRow.current ? AppTheme.ink : AppTheme.muted
                    font: AppTypography.font(11, pathRow.current ? Font.Medium : Font.Normal, "monospaced",
                                             AppTypography.usesEnglish)
                }
            }
        }
    }
}
