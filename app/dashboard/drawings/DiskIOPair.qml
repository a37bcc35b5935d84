import QtQuick
import Roror.App
import Roror.Kit

// One disk rate: direction symbol, caption and figure.
Row {
    id: pair
    property string label
    property string rateText
    property string systemImage
    spacing: 5

    SymbolImage {
        anchors.verticalCenter: parent.verticalCenter
        systemName: pair.systemImage
        size: 9
        weight: Font.Bold
        color: AppTheme.muted
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: pair.label
        font: AppTypography.font(10, Font.DemiBold, "default", AppTypography.usesEnglish)
        color: AppTheme.muted
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: pair.rateText
        textFormat: Text.PlainText
        font: AppTypography.font(11, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
        color: AppTheme.ink
    }
}
