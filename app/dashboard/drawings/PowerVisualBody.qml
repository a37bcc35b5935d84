import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The Power card's drawing: battery glyph and charge, status line, wattage flow, fact chips.
ColumnLayout {
    id: power
    // Set by the card frame once the drawing is made.
    property powerVisualBody body
    readonly property color tone: AppTheme[body.tone]
    spacing: 10

    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        BatteryGlyph {
            Layout.preferredWidth: 64
            Layout.preferredHeight: 26
            normalized: power.body.fraction
            color: power.tone
            isCharging: power.body.isCharging
        }
        Text {
            objectName: "batteryPercentText"
            text: power.body.percentText
            textFormat: Text.PlainText
            font: AppTypography.font(20, Font.Bold, "rounded", AppTypography.usesEnglish)
            color: power.tone
        }
        SymbolImage {
            visible: power.body.isCharging
            systemName: "bolt.fill"
            size: 10
            weight: Font.Bold
            color: AppTheme.amber
        }
        Item { Layout.fillWidth: true }
    }
    Text {
        objectName: "batteryStatusText"
        Layout.fillWidth: true
        text: power.body.statusText
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        font: AppTypography.font(10.5, Font.Medium, "default", AppTypography.usesEnglish)
        color: AppTheme.muted
    }
    RowLayout {
        objectName: "powerFlowRow"
        Layout.fillWidth: true
        visible: power.body.hasPowerFlow
        spacing: 10
        Repeater {
            model: power.body.flowChipCount
            PowerWattChip {
                required property int index
                chip: power.body.flowChip(index) // qmllint disable unqualified
            }
        }
        Item { Layout.fillWidth: true }
    }
    ColumnLayout {
        Layout.fillWidth: true
        visible: power.body.chipRowCount > 0
        spacing: 4
        Repeater {
            model: power.body.chipRowCount
            RowLayout {
                id: chipRow
                required property int index
                Layout.fillWidth: true
                spacing: 6
                Repeater {
                    model: power.body.chipCount(chipRow.index) // qmllint disable unqualified
                    InlineMetaChip {
                        required property int index
                        chip: power.body.chip(chipRow.index, index) // qmllint disable unqualified
                    }
                }
                Item { Layout.fillWidth: true }
            }
        }
    }
}
