import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common
import Roror.Shell

// The Smart Clean page: the header with the last-run line and the page's buttons, then the scan
// contract before any preview, the busy strip while the clean feature runs, or the preview panel.
Item {
    id: root
    required property AppModel model
    objectName: "cleanView"

    CleanPage {
        id: page
        objectName: "cleanPage"
        model: root.model
        active: root.visible
        accentColor: AppTheme.accent
        mutedColor: AppTheme.muted
    }

    NativePage {
        anchors.fill: parent
        title: Tr.text("清理", "Clean")
        subtitle: Tr.text("检查缓存、日志、浏览器残留、应用残留和废纸篓内容。", "Check caches, logs, browser leftovers, app leftovers, and Trash.")
        pageScrolls: false

        Panel {
            objectName: "cleanHeader"
            Layout.fillWidth: true
            glass: true
            cornerRadius: 26
            compact: false

            RowLayout {
                Layout.fillWidth: true
                spacing: 16
                RowLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    SymbolImage {
                        objectName: "cleanHeaderSymbol"
                        systemName: page.headerSymbol
                        size: 15
                        color: AppTheme.accent
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            objectName: "cleanLastRun"
                            Layout.fillWidth: true
                            text: page.lastCleanText.length > 0 ? page.lastCleanText : Tr.text("还没清理过", "Not cleaned yet")
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            color: AppTheme.ink
                            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                        }
                        Text {
                            Layout.fillWidth: true
                            text: Tr.text("预览不会删除任何内容。", "Preview does not delete anything.")
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            color: AppTheme.muted
                            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
                        }
                    }
                }
                ToolbarActionButton {
                    objectName: "cleanPreviewButton"
                    title: page.hasReport ? Tr.text("重新预览", "Re-preview") : Tr.text("预览", "Preview")
                    systemImage: "eye"
                    isPrimary: true
                    onAction: page.preview()
                }
                ToolbarActionButton {
                    objectName: "cleanStartButton"
                    visible: page.hasReport
                    title: Tr.text("开始清理", "Start Cleaning")
                    systemImage: "sparkles"
                    isPrimary: false
                    onAction: page.startCleaning()
                }
                BorderedButton {
                    objectName: "cleanProtectionButton"
                    systemImage: "checklist.checked"
                    small: true
                    help: Tr.text("保护名单", "Protection List")
                    onClicked: page.openProtectionList()
                }
            }
        }

        CleanScanContract {
            objectName: "cleanContract"
            Layout.fillWidth: true
            visible: page.showsContract
        }

        NativeSection {
            objectName: "cleanBusy"
            Layout.fillWidth: true
            visible: page.busy
            title: Tr.text("预览结果", "Preview Results")
            glass: true
            PageStatusView {
                Layout.fillWidth: true
                model: root.model
            }
        }

        CleanPreviewPanel {
            objectName: "cleanPreviewPanel"
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: page.showsPreview
            page: page
        }
    }

    CleanProtectionSheet {
        model: root.model
        hostVisible: root.visible
    }
}
