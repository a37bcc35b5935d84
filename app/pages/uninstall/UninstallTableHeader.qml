import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// The column headings of the app table, with the two sort toggles.
ResultsTableHeader {
    id: root
    required property UninstallPage page
    spacing: 0

    ResultsHeaderText {
        objectName: "uninstallNameColumn"
        Layout.fillWidth: true
        text: root.page.isSelectingApps ? Tr.text("已选应用", "Selected Apps") : Tr.text("名称", "Name")
    }
    Item {
        Layout.preferredWidth: 16
        Layout.minimumWidth: 16
    }
    UninstallSortButton {
        objectName: "lastOpenedSortButton"
        Layout.preferredWidth: 108
        Layout.minimumWidth: 108
        title: Tr.text("最近打开", "Last opened")
        active: root.page.sortKey === UninstallPage.LastOpened
        descending: root.page.sortDirection === UninstallPage.Descending
        onClicked: root.page.toggleLastOpenedSort()
    }
    ResultsHeaderText {
        Layout.preferredWidth: 100
        Layout.minimumWidth: 100
        text: Tr.text("来源", "Source")
    }
    UninstallSortButton {
        objectName: "sizeSortButton"
        Layout.preferredWidth: 150
        Layout.minimumWidth: 150
        trailing: true
        title: Tr.text("大小", "Size")
        active: root.page.sortKey === UninstallPage.Size
        descending: root.page.sortDirection === UninstallPage.Descending
        onClicked: root.page.toggleSizeSort()
    }
}
