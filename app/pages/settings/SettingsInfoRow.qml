import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// A title over its detail line, both wrapping, at the leading edge.
ColumnLayout {
    id: root
    property string title
    property string detail
    spacing: 3
    Layout.fillWidth: true
    Layout.topMargin: 2
    Layout.bottomMargin: 2

    Text {
        objectName: "settingsInfoTitle"
        Layout.fillWidth: true
        text: root.title
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.ink
        font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
    }
    Text {
        objectName: "settingsInfoDetail"
        Layout.fillWidth: true
        text: root.detail
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
    }
}
