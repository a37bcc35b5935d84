import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The Uninstall Apps page: the scan contract before the first preview, the busy strip or the app
// table with its selection mode and sort order, and the page's own confirmation.
NativePage {
    id: root
    required property AppModel model
    objectName: "uninstallView"
    title: Tr.text("卸载", "Uninstall")
    subtitle: Tr.text("查找应用本体和偏好设置、启动项、日志、缓存等残留文件。", "Find apps along with leftover preferences, login items, logs, and caches.")
    pageScrolls: false

    UninstallPage {
        id: uninstallPage
        objectName: "uninstallPage"
        model: root.model
    }

    Panel {
        objectName: "uninstallHeader"
        Layout.fillWidth: true
        glass: true
        cornerRadius: 26
        compact: false

        RowLayout {
            Layout.fillWidth: true
            spacing: 16
            PageHeaderLabel {
                objectName: "uninstallHeaderLabel"
                Layout.fillWidth: true
                systemImage: uninstallPage.hasLastUninstall ? "clock.arrow.circlepath" : "app.dashed"
                title: uninstallPage.hasLastUninstall ? uninstallPage.lastUninstallText : Tr.text("还没卸载过", "No uninstalls yet")
                detail: Tr.text("先看应用列表，再决定要处理哪个应用。", "Check the app list first, then choose what to remove.")
            }
            ToolbarActionButton {
                objectName: "uninstallPreviewButton"
                title: uninstallPage.hasReport ? Tr.text("重新扫描", "Rescan") : Tr.text("预览", "Preview")
                systemImage: "eye"
                isPrimary: true
                onAction: uninstallPage.preview()
            }
            ToolbarActionButton {
                objectName: "chooseAppsButton"
                visible: uninstallPage.hasReport
                title: Tr.text("选择应用", "Choose Apps")
                systemImage: "app.badge"
                onAction: uninstallPage.enterUninstallSelection()
            }
        }
    }

    UninstallScanContract {
        objectName: "uninstallScanContract"
        Layout.fillWidth: true
        visible: !uninstallPage.hasReport && !uninstallPage.busy
    }

    PageBusySection {
        Layout.fillWidth: true
        visible: uninstallPage.busy
        model: root.model
        title: Tr.text("预览结果", "Preview Results")
    }

    UninstallPreviewPanel {
        objectName: "uninstallPanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: uninstallPage.hasReport && !uninstallPage.busy
        page: uninstallPage
    }

    PageAlert {
        objectName: "uninstallAlert"
        shown: uninstallPage.showingUninstallConfirmation
        title: Tr.text("卸载这些应用？", "Uninstall These Apps?")
        message: uninstallPage.confirmationMessage
        confirmTitle: Tr.text("继续", "Continue")
        confirmEnabled: uninstallPage.selectedCount > 0
        onCancelled: uninstallPage.cancelUninstall()
        onConfirmed: uninstallPage.confirmUninstall()
    }
}
