import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// The Project Cleanup page: the scan folder and its chooser, the scan contract before the first
// preview, the busy strip or the found folders, and the one-folder "Move to Trash?" question.
NativePage {
    id: root
    required property AppModel model
    objectName: "purgeView"
    title: Tr.text("项目瘦身", "Project Cleanup")
    subtitle: Tr.text("查找开发项目里的大体积临时文件和构建产物，先预览再处理。", "Find large temporary files and build artifacts in development projects, then preview before removing.")
    pageScrolls: false

    PurgePage {
        id: purgePage
        objectName: "purgePage"
        model: root.model
    }

    FolderHeaderPanel {
        objectName: "purgeHeader"
        Layout.fillWidth: true
        labelName: "purgeHeaderLabel"
        systemImage: purgePage.hasLastPurge ? "clock.arrow.circlepath" : "shippingbox"
        title: purgePage.hasLastPurge ? purgePage.lastPurgeText : Tr.text("还没瘦身过", "Not cleaned yet")
        detail: Tr.text("预览不会改动电脑，先确认范围再处理。", "Preview will not change your Mac. Confirm scope first.")
        actions: ToolbarActionButton {
            objectName: "purgePreviewButton"
            title: purgePage.hasReport ? Tr.text("重新扫描", "Rescan") : Tr.text("预览", "Preview")
            systemImage: "eye"
            isPrimary: true
            onAction: purgePage.preview()
        }
        path: purgePage.scanPath
        pathName: "scanPathText"
        chooseName: "chooseFolderButton"
        chooseTitle: Tr.text("选择文件夹", "Choose Folder")
        onChoose: folderChooser.choose()
    }

    PurgeScanContract {
        objectName: "purgeScanContract"
        Layout.fillWidth: true
        visible: !purgePage.hasReport && !purgePage.busy
        page: purgePage
    }

    PageBusySection {
        Layout.fillWidth: true
        visible: purgePage.busy
        model: root.model
        title: Tr.text("预览结果", "Preview Results")
    }

    PurgePreviewPanel {
        objectName: "purgePanel"
        Layout.fillWidth: true
        Layout.fillHeight: true
        visible: purgePage.hasReport && !purgePage.busy
        page: purgePage
    }

    PageAlert {
        objectName: "purgeTrashAlert"
        shown: purgePage.hasPendingTrash
        title: Tr.text("移到废纸篓？", "Move to Trash?")
        message: purgePage.pendingTrashPath
        confirmTitle: Tr.text("移到废纸篓", "Move to Trash")
        onCancelled: purgePage.cancelTrash()
        onConfirmed: purgePage.confirmTrash()
    }

    FolderChooser {
        id: folderChooser
        objectName: "scanFolderDialog"
        startFolder: purgePage.scanFolderUrl
        onFolderChosen: folder => purgePage.chooseScanFolder(folder)
    }
}
