import QtQuick
import Roror.App

// A heading cell of a results table header: 12 semibold in the muted colour, one line.
Text {
    textFormat: Text.PlainText
    elide: Text.ElideRight
    maximumLineCount: 1
    color: AppTheme.muted
    font: AppTypography.font(12, Font.DemiBold, "default", AppTypography.usesEnglish)
}
