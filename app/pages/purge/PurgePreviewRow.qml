import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// One found folder: icon, name, path and counts, its kind and size, and the three row buttons.
ResultsTableRow {
    id: row
    required property PurgePage page
    required property int index
    required property string name
    required property string path
    required property string target
    required property string sizeText
    required property string detailText
    objectName: "purgeRow"
    spacing: 12

    SymbolImage {
        Layout.preferredWidth: 22
        Layout.minimumWidth: 22
        systemName: "shippingbox"
        size: 14
        color: AppTheme.accent
    }
    // Name, path and counts, positioned by hand: the row itself is the only layout.
    Column {
        Layout.fillWidth: true
        spacing: 3
        Text {
            objectName: "purgeRowName"
            width: parent.width
            text: row.name
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.ink
            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "purgeRowPath"
            width: parent.width
            text: row.path
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            color: AppTheme.muted
            font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "purgeRowDetail"
            width: parent.width
            visible: row.detailText.length > 0
            text: row.detailText
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.quiet
            font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
        }
    }
    Text {
        objectName: "purgeRowType"
        Layout.preferredWidth: 92
        Layout.minimumWidth: 92
        text: row.target
        textFormat: Text.PlainText
        elide: Text.ElideRight
        maximumLineCount: 1
        color: AppTheme.muted
        font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
    }
    Text {
        objectName: "purgeRowSize"
        Layout.preferredWidth: 82
        Layout.minimumWidth: 82
        horizontalAlignment: Text.AlignRight
        text: row.sizeText
        textFormat: Text.PlainText
        color: AppTheme.ink
        font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
    }
    RowIconButton {
        objectName: "purgeRevealButton"
        systemImage: "arrow.up.forward.app"
        help: Tr.text("在访达中显示", "Reveal in Finder")
        onClicked: row.page.reveal(row.index)
    }
    RowIconButton {
        objectName: "purgeOpenButton"
        systemImage: "folder"
        help: Tr.text("打开", "Open")
        onClicked: row.page.open(row.index)
    }
    RowIconButton {
        objectName: "purgeTrashButton"
        systemImage: "trash"
        tint: AppTheme.danger
        help: Tr.text("移到废纸篓", "Move to Trash")
        onClicked: row.page.askTrash(row.index)
    }
}
