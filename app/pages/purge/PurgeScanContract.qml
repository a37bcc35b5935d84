import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// What the project scan looks for and promises, before the first preview.
NativeSection {
    id: root
    required property PurgePage page
    title: Tr.text("检查说明", "About This Scan")
    subtitle: root.page.contractSubtitle
    glass: true

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        FlowLayout {
            objectName: "purgeTargetTags"
            Layout.fillWidth: true
            spacing: 6
            Repeater {
                model: root.page.contractTargetNames
                GlassTag {
                    required property string modelData
                    title: modelData
                    cornerRadius: 4
                    monospace: true
                }
            }
        }
        PageDivider {
            lineOpacity: 0.4
        }
        RowLayout {
            objectName: "purgePromises"
            spacing: 16
            ContractLabel {
                text: Tr.text("不自动删除", "No auto-delete")
                systemImage: "checkmark.shield"
            }
            ContractLabel {
                text: Tr.text("逐项确认", "Confirm each")
                systemImage: "hand.raised"
            }
            ContractLabel {
                text: Tr.text("移到废纸篓", "To Trash only")
                systemImage: "trash"
            }
            ContractLabel {
                text: Tr.text("可随时重建", "Rebuildable")
                systemImage: "arrow.triangle.2.circlepath"
            }
        }
    }
}
