import QtQuick
import Roror.App
import Roror.Kit

// One wattage on a small glass chip: symbol, caption over the watts.
Item {
    id: root
    required property powerWattChip chip
    implicitWidth: row.implicitWidth + 16
    implicitHeight: row.implicitHeight + 8

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 8
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 5
        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            systemName: root.chip.icon
            size: 9
            weight: Font.Bold
            color: AppTheme[root.chip.tint]
        }
        Column {
            spacing: 0
            Text {
                text: root.chip.label
                textFormat: Text.PlainText
                font: AppTypography.font(9, Font.DemiBold, "default", AppTypography.usesEnglish)
                color: AppTheme.muted
            }
            Text {
                text: root.chip.wattText
                textFormat: Text.PlainText
                font: AppTypography.font(11, Font.Bold, "monospaced", AppTypography.usesEnglish)
                color: AppTheme.ink
            }
        }
    }
}
