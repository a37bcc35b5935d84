import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The size cell: the app's size and, when it has leftovers with a known size, "+ <size>" below.
ColumnLayout {
    id: root
    property string appSizeText
    // Empty when no leftover line is shown.
    property string leftoverSizeText

    spacing: 2
    Text {
        objectName: "uninstallAppSize"
        Layout.alignment: Qt.AlignRight
        text: root.appSizeText
        textFormat: Text.PlainText
        color: AppTheme.primary
        font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
    }
    Text {
        objectName: "uninstallLeftoverSize"
        Layout.alignment: Qt.AlignRight
        visible: root.leftoverSizeText.length > 0
        text: root.leftoverSizeText
        textFormat: Text.PlainText
        color: AppTheme.muted
        font: AppTypography.font(10, Font.Normal, "default", AppTypography.usesEnglish)
    }
}
