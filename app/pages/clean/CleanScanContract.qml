import QtQuick
import QtQuick.Layouts
import Roror.App
import Roror.Kit

// What the Smart Clean scan looks at, shown before the first preview.
NativeSection {
    id: root
    title: Loc.chinese ? "清理说明" : "About This Cleanup"
    subtitle: Loc.chinese ? "检查以下 6 类残留" : "Checks 6 categories of leftovers"
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
            objectName: "cleanContractTags"
            Layout.fillWidth: true
            spacing: 6
            GlassTag { title: Loc.chinese ? "用户缓存" : "User Caches"; systemImage: "internaldrive"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "日志文件" : "Log Files"; systemImage: "text.alignleft"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "网页临时数据" : "Web Temp Data"; systemImage: "globe"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "崩溃诊断" : "Crash Reports"; systemImage: "exclamationmark.triangle"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "开发缓存" : "Developer Cache"; systemImage: "hammer"; cornerRadius: 6; monospace: false }
            GlassTag { title: Loc.chinese ? "废纸篓" : "Trash"; systemImage: "trash"; cornerRadius: 6; monospace: false }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: AppTheme.faded(AppTheme.line, 0.4)
        }
        RowLayout {
            objectName: "cleanContractNotes"
            spacing: 16
            Note { text: Loc.chinese ? "先预览再清理" : "Preview before clean"; systemImage: "eye" }
            Note { text: Loc.chinese ? "可设置保护名单" : "Protection list available"; systemImage: "checklist.checked" }
            Note { text: Loc.chinese ? "系统文件自动跳过" : "System files skipped"; systemImage: "checkmark.shield" }
        }
    }
}
