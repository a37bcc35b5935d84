import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// Above the app rows: the selection toolbar while choosing apps, then the column headings.
ColumnLayout {
    id: root
    required property UninstallPage page
    spacing: 8

    RowLayout {
        objectName: "uninstallSelectionToolbar"
        Layout.fillWidth: true
        visible: root.page.isSelectingApps
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
            objectName: "uninstallSelectionCount"
            text: root.page.selectionCountText
            textFormat: Text.PlainText
            color: AppTheme.muted
            font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish)
        }
        BorderedButton {
            objectName: "startUninstallButton"
            small: true
            enabled: root.page.selectedCount > 0
            title: Tr.text("开始卸载", "Start Uninstall")
            systemImage: "trash"
            tint: AppTheme.danger
            onClicked: root.page.requestUninstall()
        }
    }
    UninstallTableHeader {
        Layout.fillWidth: true
        page: root.page
    }
}
