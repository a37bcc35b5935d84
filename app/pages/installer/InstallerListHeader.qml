import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// Above the installer rows: the filter bar, the selection buttons while choosing files, and the
// column titles.
ColumnLayout {
    id: root
    required property InstallerPage page
    spacing: 8

    InstallerFilterBar {
        objectName: "installerFilterBar"
        Layout.fillWidth: true
        selectionMode: root.page.isSelectingInstallers
        selectedCount: root.page.selectedCount
    }
    RowLayout {
        objectName: "installerSelectionToolbar"
        Layout.fillWidth: true
        visible: root.page.isSelectingInstallers
        spacing: 8
        BorderedButton {
            objectName: "selectAllButton"
            small: true
            title: Tr.text("全选", "Select All")
            onClicked: root.page.selectAll()
        }
        BorderedButton {
            objectName: "clearSelectionButton"
            small: true
            title: Tr.text("取消全选", "Clear Selection")
            onClicked: root.page.clearSelection()
        }
        Item {
            Layout.fillWidth: true
        }
        Text {
            objectName: "installerSelectionLine"
            text: root.page.selectionLine
            textFormat: Text.PlainText
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
        }
        BorderedButton {
            objectName: "moveSelectedButton"
            small: true
            enabled: root.page.selectedCount > 0
            title: Tr.text("移到废纸篓", "Move to Trash")
            systemImage: "trash"
            tint: AppTheme.danger
            onClicked: root.page.requestDelete()
        }
    }
    InstallerTableHeader {
        Layout.fillWidth: true
        selectionMode: root.page.isSelectingInstallers
    }
}
