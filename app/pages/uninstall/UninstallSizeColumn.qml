import QtQuick
import Roror.App
import Roror.Kit

// The size cell: the app's size and, when it has leftovers with a known size, "+ <size>" below,
// both against the trailing edge.
Column {
    id: root
    property string appSizeText
    // Empty when no leftover line is shown.
    property string leftoverSizeText

    spacing: 2
    Text {
        objectName: "uninstallAppSize"
        width: root.width
        horizontalAlignment: Text.AlignRight
        text: root.appSizeText
        textFormat: Text.PlainText
        color: AppTheme.primary
        font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
    }
    Text {
        objectName: "uninstallLeftoverSize"
        width: root.width
        visible: root.leftoverSizeText.length > 0
        horizontalAlignment: Text.AlignRight
        text: root.leftoverSizeText
        textFormat: Text.PlainText
        color: AppTheme.muted
        font: AppTypography.font(10, Font.Normal, "default", AppTypography.usesEnglish)
    }
}
