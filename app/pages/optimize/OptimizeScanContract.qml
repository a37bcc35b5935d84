import QtQuick
import Roror.App
import Roror.Kit
import Roror.Pages.Common

// What an optimization covers, shown before the first preview. The subtitle counts the catalogue.
ScanContractCard {
    name: "optimizeContract"
    title: Tr.text("优化说明", "About Optimization")
    tags: [
        GlassTag { title: Tr.text("DNS / 网络缓存刷新", "DNS / Network Cache"); systemImage: "network" },
        GlassTag { title: Tr.text("Spotlight 索引优化", "Spotlight Index"); systemImage: "magnifyingglass" },
        GlassTag { title: Tr.text("QuickLook 缩略图刷新", "QuickLook Thumbnails"); systemImage: "photo" },
        GlassTag { title: Tr.text("异常配置修复", "Config Repair"); systemImage: "wrench" },
        GlassTag { title: Tr.text("数据库优化 (SQLite)", "Database Optimization"); systemImage: "internaldrive" },
        GlassTag { title: Tr.text("LaunchServices 修复", "LaunchServices Repair"); systemImage: "app.badge" },
        GlassTag { title: Tr.text("字体缓存重建", "Font Cache"); systemImage: "textformat" },
        GlassTag { title: Tr.text("Dock 刷新", "Dock Refresh"); systemImage: "dock.rectangle" },
        GlassTag { title: Tr.text("内存优化", "Memory Optimization"); systemImage: "memorychip" },
        GlassTag { title: Tr.text("权限修复", "Permissions Repair"); systemImage: "checkmark.shield" },
        GlassTag { title: Tr.text("蓝牙刷新", "Bluetooth Refresh"); systemImage: "antenna.radiowaves.left.and.right" },
        GlassTag { title: Tr.text("系统周期维护", "Periodic Maintenance"); systemImage: "gearshape.2" }
    ]
    notes: [
        ContractLabel { text: Tr.text("先预览再执行", "Preview before run"); systemImage: "eye"; spacing: 5 },
        ContractLabel { text: Tr.text("可设置保护项", "Safeguards available"); systemImage: "slider.horizontal.3"; spacing: 5 },
        ContractLabel { text: Tr.text("不涉及文件删除", "No files deleted"); systemImage: "checkmark.shield"; spacing: 5 }
    ]
}
