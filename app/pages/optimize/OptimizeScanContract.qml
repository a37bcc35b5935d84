import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// What an optimization covers, shown before the first preview. The subtitle counts the catalogue.
NativeSection {
    id: root
    title: Loc.chinese ? "优化说明" : "About Optimization"
    glass: true

    // One footnote of the card: symbol and text in the faintest ink.
    component Note: RowLayout {
        property alias text: label.text
        property alias systemImage: symbol.systemName
        spacing: 5
        SymbolImage {
            id: symbol
            size: 11
            weight: Font.Medium
            color: AppTheme.quiet
        }
        Text {
            id: label
            textFormat: Text.PlainText
            color: AppTheme.quiet
            font: AppTypography.font(11, Font.Medium, "default", AppTypography.usesEnglish)
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 10
        FlowLayout {
            objectName: "optimizeContractTags"
            Layout.fillWidth: true
            spacing: 6
            GlassTag { title: Loc.chinese ? "DNS / 网络缓存刷新" : "DNS / Network Cache"; systemImage: "network"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "Spotlight 索引优化" : "Spotlight Index"; systemImage: "magnifyingglass"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "QuickLook 缩略图刷新" : "QuickLook Thumbnails"; systemImage: "photo"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "异常配置修复" : "Config Repair"; systemImage: "wrench"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "数据库优化 (SQLite)" : "Database Optimization"; systemImage: "internaldrive"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "LaunchServices 修复" : "LaunchServices Repair"; systemImage: "app.badge"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "字体缓存重建" : "Font Cache"; systemImage: "textformat"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "Dock 刷新" : "Dock Refresh"; systemImage: "dock.rectangle"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "内存优化" : "Memory Optimization"; systemImage: "memorychip"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "权限修复" : "Permissions Repair"; systemImage: "checkmark.shield"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "蓝牙刷新" : "Bluetooth Refresh"; systemImage: "antenna.radiowaves.left.and.right"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "系统周期维护" : "Periodic Maintenance"; systemImage: "gearshape.2"; cornerRadius: 6; monospace: false }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: AppTheme.faded(AppTheme.line, 0.4)
        }
        RowLayout {
            objectName: "optimizeContractNotes"
            spacing: 16
            Note { text: Loc.chinese ? "先预览再执行" : "Preview before run"; systemImage: "eye" }
            Note { text: Loc.chinese ? "可设置保护项" : "Safeguards available"; systemImage: "slider.horizontal.3" }
            Note { text: Loc.chinese ? "不涉及文件删除" : "No files deleted"; systemImage: "checkmark.shield" }
        }
    }
}
