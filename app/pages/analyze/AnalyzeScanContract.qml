import QtQuick
import QtQuick.Layouts
import Roror.Kit
import Roror.Pages.Common

// What an analysis does and promises, before the first one.
NativeSection {
    title: Tr.text("分析说明", "About This Analysis")
    glass: true

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        RowLayout {
            objectName: "analyzeContractTags"
            Layout.fillWidth: true
            spacing: 8
            GlassTag { title: Tr.text("目录大小统计", "Directory Sizes"); systemImage: "folder.badge.questionmark"; cornerRadius: 6 }
            GlassTag { title: Tr.text("按大小排序", "Ranked by Size"); systemImage: "list.number"; cornerRadius: 6 }
            GlassTag { title: Tr.text("超大文件检测", "Large File Detection"); systemImage: "exclamationmark.magnifyingglass"; cornerRadius: 6 }
            GlassTag { title: Tr.text("逐层深入", "Drill Down"); systemImage: "chevron.right.2"; cornerRadius: 6 }
            Item {
                Layout.fillWidth: true
            }
        }
        PageDivider {
            lineOpacity: 0.4
        }
        RowLayout {
            objectName: "analyzePromises"
            spacing: 16
            ContractLabel {
                text: Tr.text("只读取元数据", "Reads metadata only")
                systemImage: "checkmark.shield"
            }
            ContractLabel {
                text: Tr.text("不自动删除", "No auto-delete")
                systemImage: "hand.raised"
            }
            ContractLabel {
                text: Tr.text("删除前逐项确认", "Confirm before delete")
                systemImage: "trash"
            }
        }
    }
}
