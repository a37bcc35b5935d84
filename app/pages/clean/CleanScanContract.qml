import QtQuick
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// What the Smart Clean scan looks at, shown before the first preview.
ScanContractCard {
    name: "cleanContract"
    title: Tr.text("清理说明", "About This Cleanup")
    subtitle: Tr.text("检查以下 6 类残留", "Checks 6 categories of leftovers")
    tags: [
        GlassTag { title: Tr.text("用户缓存", "User Caches"); systemImage: "internaldrive" },
        GlassTag { title: Tr.text("日志文件", "Log Files"); systemImage: "text.alignleft" },
        GlassTag { title: Tr.text("网页临时数据", "Web Temp Data"); systemImage: "globe" },
        GlassTag { title: Tr.text("崩溃诊断", "Crash Reports"); systemImage: "exclamationmark.triangle" },
        GlassTag { title: Tr.text("开发缓存", "Developer Cache"); systemImage: "hammer" },
        GlassTag { title: Tr.text("废纸篓", "Trash"); systemImage: "trash" }
    ]
    notes: [
        ContractLabel { text: Tr.text("先预览再清理", "Preview before clean"); systemImage: "eye"; spacing: 5 },
        ContractLabel { text: Tr.text("可设置保护名单", "Protection list available"); systemImage: "checklist.checked"; spacing: 5 },
        ContractLabel { text: Tr.text("系统文件自动跳过", "System files skipped"); systemImage: "checkmark.shield"; spacing: 5 }
    ]
}
