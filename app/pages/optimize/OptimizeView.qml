import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common
import Roror.Shell

// The Optimize page: the header with the last-run line and the page's buttons, then the scan
// contract before any preview, the busy strip while the optimize feature runs, or the preview.
Item {
    id: root
    required property AppModel model
    objectName: "optimizeView"

    OptimizePage {
        id: page
        objectName: "optimizePage"
        model: root.model
        active: root.visible
    }

    NativePage {
        anchors.fill: parent
        title: Tr.text("优化", "Optimize")
        subtitle: Tr.text("刷新系统服务、重建缓存、整理诊断数据，帮助常见异常状态恢复。", "Refresh services, rebuild caches, and organize diagnostics to recover from common system issues.")
        pageScrolls: false

        Panel {
            objectName: "optimizeHeader"
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
                        objectName: "optimizeHeaderSymbol"
                        systemName: page.headerSymbol
                        size: 15
                        color: AppTheme.accent
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            objectName: "optimizeLastRun"
                            Layout.fillWidth: true
                            text: page.lastOptimizeText.length > 0 ? page.lastOptimizeText : Tr.text("还没优化过", "Not optimized yet")
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            color: AppTheme.ink
                            font: AppTypography.font(13, Font.DemiBold, "default", AppTypography.usesEnglish)
                        }
                        Text {
                            Layout.fillWidth: true
                            text: Tr.text("预览只展示会处理的内容，不会立刻改动电脑。", "Preview only shows what would be handled and does not change your Mac right away.")
                            textFormat: Text.PlainText
                            wrapMode: Text.Wrap
                            color: AppTheme.muted
                            font: AppTypography.font(12, Font.Medium, "default", AppTypography.usesEnglish)
                        }
                    }
                }
                ToolbarActionButton {
                    objectName: "optimizePreviewButton"
                    title: page.hasReport ? Tr.text("重新预览", "Re-preview") : Tr.text("预览", "Preview")
                    systemImage: "eye"
                    isPrimary: true
                    onAction: page.preview()
                }
                ToolbarActionButton {
                    objectName: "optimizeStartButton"
                    visible: page.hasReport
                    title: Tr.text("开始优化", "Start Optimizing")
                    systemImage: "speedometer"
                    isPrimary: false
                    onAction: page.startOptimizing()
                }
                BorderedButton {
                    objectName: "optimizeSafeguardsButton"
                    systemImage: "slider.horizontal.3"
                    small: true
                    help: Tr.text("优化保护项", "Optimization Safeguards")
                    onClicked: page.openSafeguards()
                }
            }
        }

        OptimizeScanContract {
            objectName: "optimizeContract"
            Layout.fillWidth: true
            visible: page.showsContract
            subtitle: page.contractSubtitle
        }

        NativeSection {
            objectName: "optimizeBusy"
            Layout.fillWidth: true
            visible: page.busy
            title: Tr.text("预览结果", "Preview Results")
            glass: true
            PageStatusView {
                Layout.fillWidth: true
                model: root.model
            }
        }

        OptimizePreviewPanel {
            objectName: "optimizePreviewPanel"
            Layout.fillWidth: true
            Layout.fillHeight: true
            visible: page.showsPreview
            page: page
        }
    }

    OptimizeProtectionSheet {
        model: root.model
        hostVisible: root.visible
    }
}
