import QtQuick
import Roror.App

// The title block at the head of a page: the title in the display type of the language and a
// subtitle that wraps onto as many lines as it needs. (A positioner, not a layout: its height
// follows the wrapped texts after every change of width.)
Column {
    id: root
    property string title
    property string subtitle
    spacing: 6

    Text {
        objectName: "sectionTitleTitle"
        width: root.width
        text: root.title
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.ink
        font: AppTypography.usesEnglish ? AppTypography.font(34, Font.DemiBold, "serif", true) : AppTypography.font(36, Font.DemiBold, "default", false)
    }
    Text {
        objectName: "sectionTitleSubtitle"
        width: root.width
        text: root.subtitle
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.muted
        font: AppTypography.font(15, Font.Normal, AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
    }
}
