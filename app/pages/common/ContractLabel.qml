import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One promise of a scan-contract card: a symbol and a short text, 11 medium in the quiet colour.
RowLayout {
    id: root
    property string text
    property string systemImage

    spacing: 4
    SymbolImage {
        systemName: root.systemImage
        size: 11
        weight: Font.Medium
        color: AppTheme.quiet
    }
    Text {
        objectName: "contractLabelText"
        text: root.text
        textFormat: Text.PlainText
        color: AppTheme.quiet
        font: AppTypography.font(11, Font.Medium, "default", AppTypography.usesEnglish)
    }
}
