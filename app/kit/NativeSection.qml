import QtQuick
import QtQuick.Layouts
import Roror.App

// A titled section: the title (and subtitle when given) above a card holding the content.
ColumnLayout {
    id: root
    property string title
    // Empty means no subtitle line.
    property string subtitle
    property bool glass: true
    default property alias content: panel.content
    spacing: 10

    // A positioner, so that its height follows the wrapped texts after every change of width.
    Column {
        objectName: "nativeSectionHeader"
        Layout.fillWidth: true
        spacing: 2
        Text {
            objectName: "nativeSectionTitle"
            width: parent.width
            text: root.title
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.ink
            font: AppTypography.font(17, Font.DemiBold, AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "nativeSectionSubtitle"
            width: parent.width
            visible: root.subtitle.length > 0
            text: root.subtitle
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            color: AppTheme.muted
            font: AppTypography.font(13, Font.Normal, AppTypography.usesEnglish ? "rounded" : "default", AppTypography.usesEnglish)
        }
    }
    Panel {
        id: panel
        objectName: "nativeSectionPanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        glass: root.glass
        cornerRadius: 26
        compact: false
    }
}
