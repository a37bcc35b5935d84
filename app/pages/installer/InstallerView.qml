import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The Installer Cleanup page: the scan contract before the first preview, the busy strip or the
// installer list with its selection mode, and the page's own "Move to Trash?" question.
NativePage {
    id: root
    required property AppModel model
    objectName: "installerView"
    title: Tr.text("安装包整理", "Installer Cleanup")
    subtitle: Tr.text("查找下载的安装包文件，帮你释放磁盘空间。", "Find downloaded installer files and help free disk space.")
    pageScrolls: false

    InstallerPage {
        id: installerPage
        objectName: "installerPage"
        model: root.model
    }

    Panel {
        objectName: "installerHeader"
        Layout.fillWidth: true
        glass: true
        cornerRadius: 26
        compact: false

        RowLayout {
            Layout.fillWidth: true
            spacing: 16
            PageHeaderLabel {
                objectName: "installerHeaderLabel"
                Layout.fillWidth: true
                systemImage: installerPage.hasLastScan ? "clock.arrow.circlepath" : "shippingbox"
                title: installerPage.hasLastScan ? installerPage.lastScanText : Tr.text("还没整理过", "Not cleaned yet")
                detail: Tr.text("预览只列出文件，不会改动电脑。", "Preview only lists files and does not change your Mac.")
            }
            ToolbarActionButton {
                objectName: "installerPreviewButton"
                title: installerPage.hasReport ? Tr.text("重新扫描", "Rescan") : Tr.text("预览", "Preview")
                systemImage: "eye"
                isPrimary: true
                onAction: installerPage.preview()
            }
            ToolbarActionButton {
                objectName: "chooseFilesButton"
                visible: installerPage.hasReport
                title: Tr.text("选择清理", "Choose Files")
                systemImage: "checklist"
                onAction: installerPage.enterInstallerSelection()
            }
        }
    }

    InstallerScanContract {
        objectName: "installerScanContract"
        Layout.fillWidth: true
        visible: !installerPage.hasReport && !installerPage.busy
        page: installerPage
    }

    PageBusySection {
        Layout.fillWidth: true
        visible: installerPage.busy
        model: root.model
        title: Tr.text("安装包列表", "Installer List")
    }

    InstallerPreviewPanel {
        objectName: "installerPanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: installerPage.hasReport && !installerPage.busy
        page: installerPage
    }

    PageAlert {
        objectName: "installerTrashAlert"
        shown: installerPage.showingDeleteConfirmation
        title: Tr.text("移到废纸篓？", "Move to Trash?")
        message: installerPage.confirmationMessage
        confirmTitle: Tr.text("移到废纸篓", "Move to Trash")
        confirmEnabled: installerPage.selectedCount > 0
        onCancelled: installerPage.cancelDelete()
        onConfirmed: installerPage.confirmDelete()
    }
}
