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
    title: Loc.chinese ? "项目瘦身" : "Project Cleanup"
    subtitle: Loc.chinese ? "查找开发项目里的大体积临时文件和构建产物，先预览再处理。"
                          : "Find large temporary files and build artifacts in development projects, then preview before removing."
    pageScrolls: false

    PurgePage {
        id: purgePage
        objectName: "purgePage"
        model: root.model
    }

    Panel {
        objectName: "purgeHeader"
        Layout.fillWidth: true
        glass: true
        cornerRadius: 26
        compact: false

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 12
            RowLayout {
                Layout.fillWidth: true
                spacing: 16
                PageHeaderLabel {
                    objectName: "purgeHeaderLabel"
                    Layout.fillWidth: true
                    systemImage: purgePage.hasLastPurge ? "clock.arrow.circlepath" : "shippingbox"
                    title: purgePage.hasLastPurge ? purgePage.lastPurgeText : (Loc.chinese ? "还没瘦身过" : "Not cleaned yet")
                    detail: Loc.chinese ? "预览不会改动电脑，先确认范围再处理。" : "Preview will not change your Mac. Confirm scope first."
                }
                ToolbarActionButton {
                    objectName: "purgePreviewButton"
                    title: purgePage.hasReport ? (Loc.chinese ? "重新扫描" : "Rescan") : (Loc.chinese ? "预览" : "Preview")
                    systemImage: "eye"
                    isPrimary: true
                    onAction: purgePage.preview()
                }
            }
            PageDivider {
                lineOpacity: 0.5
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                Item {
                    Layout.fillWidth: true
                    implicitHeight: Math.max(30, scanPathText.implicitHeight + 8)
                    LiquidGlassSurface {
                        anchors.fill: parent
                        cornerRadius: 8
                    }
                    Text {
                        id: scanPathText
                        objectName: "scanPathText"
                        anchors.left: parent.left
                        anchors.right: parent.right
                        anchors.leftMargin: 10
                        anchors.rightMargin: 10
                        anchors.verticalCenter: parent.verticalCenter
                        text: purgePage.scanPath
                        textFormat: Text.PlainText
                        elide: Text.ElideMiddle
                        maximumLineCount: 1
                        color: AppTheme.ink
                        font: AppTypography.font(12, Font.Normal, "monospaced", AppTypography.usesEnglish)
                    }
                }
                BorderedButton {
                    objectName: "chooseFolderButton"
                    title: Loc.chinese ? "选择文件夹" : "Choose Folder"
                    systemImage: "folder"
                    onClicked: folderChooser.choose()
                }
            }
        }
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
        title: Loc.chinese ? "预览结果" : "Preview Results"
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
        title: Loc.chinese ? "移到废纸篓？" : "Move to Trash?"
        message: purgePage.pendingTrashPath
        confirmTitle: Loc.chinese ? "移到废纸篓" : "Move to Trash"
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
