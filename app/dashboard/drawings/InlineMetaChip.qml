import QtQuick
import Roror.App
import Roror.Kit

// A battery fact on a small glass chip.
Item {
    id: root
    required property powerChip chip
    implicitWidth: row.implicitWidth + 14
    implicitHeight: row.implicitHeight + 6

    LiquidGlassSurface {
        anchors.fill: parent
        cornerRadius: 7
    }
    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            systemName: root.chip.icon
            size: 9
            weight: Font.Bold
            color: AppTheme[root.chip.tint]
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.chip.text
            textFormat: Text.PlainText
            maximumLineCount: 1
            font: AppTypography.font(10.5, Font.DemiBold, "default", AppTypography.usesEnglish)
            color: AppTheme.ink
            opacity: 0.85
        }
    }
}
