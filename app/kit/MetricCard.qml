import QtQuick
import QtQuick.Layouts
import Roror.App

// A metric tile's content (the caller places it on a panel): an accent symbol beside a title
// that wraps, a large value and a note, both kept to one line.
RowLayout {
    id: root
    property string title
    property string value
    property string note
    property string symbol

    spacing: 10
    Layout.fillWidth: true

    SymbolImage {
        objectName: "metricCardSymbol"
        Layout.preferredWidth: 22
        Layout.alignment: Qt.AlignVCenter
        systemName: root.symbol
        size: 14
        weight: Font.DemiBold
        color: AppTheme.accent
    }
    // A positioner, so that its height follows the wrapped title after every change of width. Its
    // preferred width comes from the one-line texts only: the wrapped title takes what it gets.
    Column {
        Layout.fillWidth: true
        Layout.preferredWidth: Math.max(valueText.implicitWidth, noteText.implicitWidth)
        spacing: 3
        Text {
            objectName: "metricCardTitle"
            width: parent.width
            text: root.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
        }
        Text {
            id: valueText
            objectName: "metricCardValue"
            width: parent.width
            text: root.value
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.ink
            font: AppTypography.font(20, Font.DemiBold, AppTypography.usesEnglish ? "serif" : "default", AppTypography.usesEnglish)
        }
        Text {
            id: noteText
            objectName: "metricCardNote"
            width: parent.width
            text: root.note
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
        }
    }
}
