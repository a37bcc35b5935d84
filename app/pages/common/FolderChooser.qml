import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Shell

// The folder choice of a page: the desktop's own folder dialog where the desktop offers one, else
// this sheet over the window. Choose returns the folder on screen unless one of its sub-folders
// was selected; a double click (or the right arrow) opens a sub-folder, the left arrow goes up.
Popup {
    id: root
    // Where the choice starts: the page's current folder.
    property url startFolder
    property string acceptLabel: Tr.text("选择", "Choose")
    signal folderChosen(url folder)
    readonly property FolderBrowser browser: FolderBrowser {}

    function choose() {
        if (root.browser.desktopDialogAvailable) {
            desktopDialog.open();
            return;
        }
        root.browser.showUrl(root.startFolder);
        root.open();
    }
    function accept() {
        const folder = root.browser.chosenUrl;
        root.close();
        root.folderChosen(folder);
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 480
    height: 400
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 16

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.12)
    }

    background: Rectangle {
        objectName: "folderChooserCard"
        radius: 14
        color: AppTheme.faded(AppTheme.card, 0.97)
        border.color: AppTheme.shade(0.1)
        border.width: 0.5
    }


    FolderDialog {
        id: desktopDialog
        parentWindow: root.parent ? root.parent.Window.window : null
        acceptLabel: root.acceptLabel
        currentFolder: root.startFolder
        onAccepted: root.folderChosen(selectedFolder)
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 10
        Accessible.role: Accessible.Dialog
        Accessible.name: root.acceptLabel

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            BorderedButton {
                objectName: "folderChooserUp"
                implicitHeight: 26
                enabled: root.browser.canGoUp
                systemImage: "chevron.left"
                help: Tr.text("返回上一级", "Go to Parent Folder")
                onClicked: root.browser.goUp()
            }
            Text {
                objectName: "folderChooserPath"
                Layout.fillWidth: true
                text: root.browser.folder
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                maximumLineCount: 1
                color: AppTheme.ink
                font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            radius: 8
            color: AppTheme.wash(0.7)
            border.width: 0.5
            border.color: AppTheme.shade(0.12)

            FolderChooserList {
                id: list
                anchors.fill: parent
                anchors.margins: 4
                focus: true
                browser: root.browser
                onAccepted: root.accept()
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            Item {
                Layout.fillWidth: true
            }
            AlertButton {
                objectName: "folderChooserCancel"
                title: Tr.text("取消", "Cancel")
                onClicked: root.close()
            }
            AlertButton {
                objectName: "folderChooserChoose"
                title: root.acceptLabel
                prominent: true
                onClicked: root.accept()
            }
        }
    }

    onOpened: list.forceActiveFocus()
}
