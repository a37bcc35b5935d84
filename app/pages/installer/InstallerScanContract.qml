import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// Where the installer scan looks, which file types it lists and what it promises.
NativeSection {
    id: root
    required property InstallerPage page
    title: Tr.text("扫描说明", "About This Scan")
    subtitle: root.page.contractSubtitle
    glass: true

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        FlowLayout {
            objectName: "installerLocationTags"
            Layout.fillWidth: true
            spacing: 6
            Repeater {
                model: root.page.scanLocationSources
                GlassTag {
                    required property string modelData
                    title: modelData
                    systemImage: "folder"
                    cornerRadius: 4
                }
            }
        }
        RowLayout {
            objectName: "installerFileTypes"
            spacing: 6
            Text {
                text: Tr.text("文件类型", "File types")
                textFormat: Text.PlainText
                color: AppTheme.quiet
                font: AppTypography.font(11, Font.Medium, "default", AppTypography.usesEnglish)
            }
            Repeater {
                model: root.page.fileTypeTexts
                Text {
                    required property string modelData
                    text: modelData
                    textFormat: Text.PlainText
                    color: AppTheme.muted
                    font: AppTypography.font(10, Font.DemiBold, "monospaced", AppTypography.usesEnglish)
                }
            }
        }
        PageDivider {
            lineOpacity: 0.4
        }
        RowLayout {
            objectName: "installerPromises"
            spacing: 16
            ContractLabel {
                text: Tr.text("不自动删除", "No auto-delete")
                systemImage: "checkmark.shield"
            }
            ContractLabel {
                text: Tr.text("清理前确认", "Confirm first")
                systemImage: "hand.raised"
            }
            ContractLabel {
                text: Tr.text("移到废纸篓", "To Trash only")
                systemImage: "trash"
            }
        }
    }
}
