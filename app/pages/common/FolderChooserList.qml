import QtQuick
import Roror.App

// The sub-folders of the folder chooser, with the keys of a folder list: the arrows move the
// selection, Right opens the selected folder, Left goes up, Return chooses.
ListView {
    id: list
    required property FolderBrowser browser
    signal accepted()

    objectName: "folderChooserList"
    clip: true
    model: list.browser.children
    currentIndex: list.browser.selectedIndex
    boundsBehavior: Flickable.StopAtBounds
    Keys.onUpPressed: list.browser.selectedIndex = Math.max(0, list.browser.selectedIndex - 1)
    Keys.onDownPressed: list.browser.selectedIndex = Math.min(list.count - 1, list.browser.selectedIndex + 1)
    Keys.onRightPressed: if (list.browser.selectedIndex >= 0) list.browser.enter(list.browser.selectedIndex)
    Keys.onLeftPressed: list.browser.goUp()
    Keys.onReturnPressed: list.accepted()
    Keys.onEnterPressed: list.accepted()

    delegate: FolderChooserRow {
        browser: list.browser // qmllint disable unqualified
    }
}
