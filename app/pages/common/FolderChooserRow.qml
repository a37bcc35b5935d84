import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// One sub-folder of the folder chooser: a click selects it, a double click opens it.
Rectangle {
    id: row
    required property int index
    required property string modelData
    required property FolderBrowser browser
    objectName: "folderChooserRow"
    width: ListView.view ? ListView.view.width : implicitWidth
    height: 28
    radius: 6
    color: row.index === row.browser.selectedIndex ? AppTheme.faded(AppTheme.accent, 0.22) : "transparent"
    Accessible.role: Accessible.ListItem
    Accessible.name: row.modelData

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        spacing: 8
        SymbolImage {
            systemName: "folder"
            size: 12
            color: AppTheme.accent
        }
        Text {
            objectName: "folderChooserRowName"
            Layout.fillWidth: true
            text: row.modelData
            textFormat: Text.PlainText
            elide: Text.ElideRight
            color: AppTheme.ink
            font: AppTypography.font(13, Font.Normal, "default", AppTypography.usesEnglish)
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: {
            if (row.ListView.view)
                row.ListView.view.forceActiveFocus();
            row.browser.selectedIndex = row.index;
        }
        onDoubleClicked: row.browser.enter(row.index)
    }
}
