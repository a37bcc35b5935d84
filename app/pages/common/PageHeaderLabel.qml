import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The first item of a page's header panel: an accent symbol beside two lines, the last-run line
// (or its "never" text) and a fixed note.
RowLayout {
    id: root
    property string systemImage
    property string title
    property string detail

    spacing: 8

    SymbolImage {
        objectName: "pageHeaderSymbol"
        Layout.alignment: Qt.AlignVCenter
        systemName: root.systemImage
        size: 15
        color: AppTheme.accent
    }
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        Text {
            objectName: "pageHeaderTitle"
            Layout.fillWidth: true
            text: root.title
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.ink
            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "pageHeaderDetail"
            Layout.fillWidth: true
            text: root.detail
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
        }
    }
}
