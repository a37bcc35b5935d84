import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One entry of the Smart Clean preview: the status symbol in its colour, the path (two lines at
// most, shortened in the middle) and the section with the note.
ResultsTableRow {
    id: root
    required property CleanPage page
    required property string path
    required property string detailLine
    required property string status
    required property string symbol
    required property color statusColor

    objectName: "cleanPreviewRow"
    spacing: 10

    Item {
        Layout.preferredWidth: 22
        Layout.fillHeight: true
        SymbolImage {
            id: statusSymbol
            objectName: "cleanRowSymbol"
            anchors.centerIn: parent
            systemName: root.symbol
            size: 15
            color: root.statusColor
        }
    }
    ColumnLayout {
        Layout.fillWidth: true
        spacing: 2
        Text {
            id: pathText
            objectName: "cleanRowPath"
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: root.page.fitMiddle(root.path, font, width, 2)
            textFormat: Text.PlainText
            wrapMode: Text.WrapAnywhere
            maximumLineCount: 2
            elide: Text.ElideRight
            color: AppTheme.ink
            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            objectName: "cleanRowDetail"
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            text: root.page.fitMiddle(root.detailLine, font, width, 2)
            textFormat: Text.PlainText
            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
            maximumLineCount: 2
            elide: Text.ElideRight
            color: AppTheme.muted
            font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
        }
    }
}
