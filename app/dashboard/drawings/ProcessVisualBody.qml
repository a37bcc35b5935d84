import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Dashboard
import Roror.Kit

// The Processes card's drawing: the top processes with their CPU share as figure and bar.
ColumnLayout {
    id: processes
    // Set by the card frame once the drawing is made.
    property processVisualBody body
    spacing: 8

    Repeater {
        model: processes.body.rowCount
        ColumnLayout {
            id: metric
            required property int index
            readonly property processMetricRow modelData: processes.body.row(index) // qmllint disable unqualified
            readonly property color tone: AppTheme[modelData.tone]
            Layout.fillWidth: true
            spacing: 5
            RowLayout {
                Layout.fillWidth: true
                spacing: 8
                Text {
                    Layout.fillWidth: true
                    Layout.alignment: Qt.AlignBaseline
                    text: metric.modelData.name
                    textFormat: Text.PlainText
                    elide: Text.ElideMiddle
                    maximumLineCount: 1
                    font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
                    color: AppTheme.ink
                }
                Text {
                    Layout.alignment: Qt.AlignBaseline
                    visible: metric.modelData.hasPercent
                    text: metric.modelData.percentText
                    textFormat: Text.PlainText
                    font: AppTypography.font(11, Font.Bold, "rounded", AppTypography.usesEnglish)
                    color: metric.tone
                }
            }
            AnimatedProgressBar {
                Layout.fillWidth: true
                Layout.preferredHeight: 5
                visible: metric.modelData.hasPercent
                value: metric.modelData.fraction
                color: metric.tone
            }
        }
    }
}
