import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Memory card's drawing: the used share, the stacked bar with its swap mark, the legend.
ColumnLayout {
    id: memory
    // Set by the card frame once the drawing is made.
    property memoryVisualBody body
    readonly property color tone: AppTheme[body.tone]
    // Held apart from the drawing's values, so that a refresh that moves nothing visibly starts
    // no animation (and draws no frames).
    readonly property real usedWidth: Math.round(body.usedWidth(bar.width))
    spacing: 12

    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        Text {
            Layout.alignment: Qt.AlignBaseline
            text: Tr.text("已用", "Used")
            font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.muted
        }
        Item { Layout.fillWidth: true }
        NumericText {
            objectName: "memoryPercentText"
            Layout.alignment: Qt.AlignBaseline
            text: memory.body.percentText
            font: AppTypography.font(22, Font.DemiBold, "rounded", AppTypography.usesEnglish)
            color: memory.tone
        }
    }
    // Track, used segment and swap mark, cut as a whole to the bar's capsule.
    CapsuleBar {
        id: bar
        objectName: "memoryBar"
        Layout.fillWidth: true
        Layout.preferredHeight: 10
        trackColor: AppTheme.faded(AppTheme.line, 0.28)
        fillColor: AppTheme.faded(memory.tone, 0.84)
        fillWidth: memory.usedWidth
        markColor: AppTheme.faded(AppTheme.danger, 0.72)
        markX: memory.body.showsSwapMark ? Math.round(memory.body.swapMarkX(bar.width)) : 0
        markWidth: memory.body.showsSwapMark ? Math.round(memory.body.swapMarkWidth(bar.width)) : 0
        Behavior on fillWidth { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
        Behavior on markX { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
        Behavior on markWidth { enabled: bar.visible; NumberAnimation { duration: 550; easing.type: Easing.InOutQuad } }
    }
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 5
        Repeater {
            model: memory.body.legendCount
            RowLayout {
                id: legendRow
                required property int index
                readonly property memoryStatRow modelData: memory.body.legendRow(index) // qmllint disable unqualified
                Layout.fillWidth: true
                spacing: 8
                Rectangle {
                    Layout.preferredWidth: 8
                    Layout.preferredHeight: 8
                    radius: 2
                    color: AppTheme[legendRow.modelData.swatch]
                    opacity: legendRow.modelData.swatchOpacity
                }
                Text {
                    Layout.preferredWidth: 50
                    text: legendRow.modelData.label
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
                    color: AppTheme.muted
                }
                NumericText {
                    objectName: "memoryLegendValue"
                    Layout.fillWidth: true
                    text: legendRow.modelData.value
                    elide: Text.ElideRight
                    font: AppTypography.font(11, Font.Medium, "monospaced", AppTypography.usesEnglish)
                    color: AppTheme.ink
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            visible: memory.body.hasPressure
            spacing: 8
            Text {
                Layout.preferredWidth: 56
                text: Tr.text("压力", "Pressure")
                font: AppTypography.font(11, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
            }
            Text {
                Layout.fillWidth: true
                text: memory.body.pressureText
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font: AppTypography.font(11, Font.Medium, "default", AppTypography.usesEnglish)
                color: AppTheme.ink
            }
        }
    }
}
