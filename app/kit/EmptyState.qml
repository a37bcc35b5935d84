import QtQuick
import QtQuick.Layouts
import Roror.App

// A centred placeholder where a result is empty: symbol, title and a subtitle that wraps,
// spanning the width it is given and at least 120 tall.
Item {
    id: root
    property string title
    property string subtitle
    property string systemImage

    implicitWidth: column.implicitWidth
    implicitHeight: Math.max(120, column.implicitHeight)
    Layout.fillWidth: true
    Layout.minimumHeight: 120

    // A positioner, so that its height follows the wrapped texts after every change of width.
    Column {
        id: column
        anchors.verticalCenter: parent.verticalCenter
        width: root.width
        spacing: 8
        SymbolImage {
            objectName: "emptyStateSymbol"
            anchors.horizontalCenter: parent.horizontalCenter
            systemName: root.systemImage
            size: 26
            color: AppTheme.quiet
        }
        Text {
            objectName: "emptyStateTitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: root.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(14, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "emptyStateSubtitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: root.subtitle
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
        }
    }
}
