import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// One item of an analysis list: its icon, name, path and size, then drill-down (folders of the
// first list), reveal, open and Trash. A click elsewhere on the row drills down too. Rows without
// a path show reveal, open and Trash disabled.
ResultsTableRow {
    id: row
    required property AnalyzePage page
    required property int table
    required property int index
    required property string name
    required property string path
    required property bool hasPath
    required property string sizeText
    required property bool isDirectory
    required property bool drillable
    objectName: "entryRow"
    spacing: 12

    // Under the cells, so the buttons take their own clicks.
    MouseArea {
        parent: row
        anchors.fill: parent
        z: -1
        cursorShape: row.drillable ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: row.page.drillDown(row.table, row.index)
    }
    SymbolImage {
        Layout.preferredWidth: 22
        Layout.minimumWidth: 22
        systemName: row.isDirectory ? "folder" : "doc"
        size: 14
        color: AppTheme.accent
    }
    // Name over path, positioned by hand: the row itself is the only layout, so long lists
    // build their rows quickly. Its height follows the texts as soon as they are made (a
    // positioner would know it only once polished), so a list places the row at its height.
    Item {
        Layout.fillWidth: true
        implicitHeight: pathText.visible ? nameText.height + 3 + pathText.height : nameText.height
        Text {
            id: nameText
            objectName: "entryRowName"
            width: parent.width
            text: row.name
            textFormat: Text.PlainText
            elide: Text.ElideRight
            maximumLineCount: 1
            color: AppTheme.ink
            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
        }
        Text {
            id: pathText
            objectName: "entryRowPath"
            y: nameText.height + 3
            width: parent.width
            // Without a path the name alone is centred in the row.
            visible: text.length > 0
            text: row.path
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            maximumLineCount: 1
            color: AppTheme.muted
            font: AppTypography.font(11, Font.Normal, "default", AppTypography.usesEnglish)
        }
    }
    Text {
        objectName: "entryRowSize"
        // The layout's width from the start, so the text is laid out once.
        width: 82
        Layout.preferredWidth: 82
        Layout.minimumWidth: 82
        horizontalAlignment: Text.AlignRight
        text: row.sizeText
        textFormat: Text.PlainText
        color: AppTheme.ink
        font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
    }
    // Its place is kept on rows that cannot be entered, so that every size ends in one column.
    Item {
        implicitWidth: drill.implicitWidth
        implicitHeight: drill.implicitHeight
        RowIconButton {
            id: drill
            objectName: "entryDrillButton"
            anchors.fill: parent
            visible: row.drillable
            systemImage: "chevron.right.circle"
            help: Tr.text("进入这个目录继续分析", "Analyze This Folder")
            onClicked: row.page.drillDown(row.table, row.index)
        }
    }
    RowIconButton {
        objectName: "entryRevealButton"
        enabled: row.hasPath
        systemImage: "arrow.up.forward.app"
        help: Tr.text("在访达中显示", "Reveal in Finder")
        onClicked: row.page.reveal(row.table, row.index)
    }
    RowIconButton {
        objectName: "entryOpenButton"
        enabled: row.hasPath
        systemImage: "folder"
        help: Tr.text("打开", "Open")
        onClicked: row.page.open(row.table, row.index)
    }
    RowIconButton {
        objectName: "entryTrashButton"
        enabled: row.hasPath
        systemImage: "trash"
        tint: AppTheme.danger
        help: Tr.text("移到废纸篓", "Move to Trash")
        onClicked: row.page.askTrash(row.table, row.index)
    }
}
