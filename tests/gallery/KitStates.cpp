#include "tests/gallery/Gallery.h"

namespace roror::gallery {
namespace {

// The kit's components over the flat window background, as the pages put them together.
const QByteArray imports = "import QtQuick\nimport QtQuick.Layouts\nimport Roror.App\nimport Roror.Kit\n";

void show(test::ViewFixture& view, const QByteArray& body)
{
    view.loadText(imports + "Rectangle { color: AppTheme.windowBackground\n" + body + "\n}");
}

const bool pageFrame = add({QStringLiteral("kit-page-frame"), [](test::ViewFixture& view) {
    show(view, R"(
    NativePage {
        anchors.fill: parent
        title: Loc.chinese ? "智能清理" : "Smart Clean"
        subtitle: Loc.chinese ? "扫描缓存、日志和临时文件，先预览再清理，确认后才会移到废纸篓。" : "Scan caches, logs and temporary files. Preview first; nothing moves to the Trash until you confirm."
        Panel {
            Layout.fillWidth: true
            glass: true; cornerRadius: 26; compact: true
            RowLayout {
                Layout.fillWidth: true
                spacing: 10
                Text { Layout.fillWidth: true; text: Loc.chinese ? "上次清理 3 天前 · 处理 42 项" : "Last cleaned 3 days ago · 42 items"; color: AppTheme.muted; font: AppTypography.font(13, Font.Medium, "default", AppTypography.usesEnglish) }
                ToolbarActionButton { title: Loc.chinese ? "保护列表" : "Protection List"; systemImage: "checkmark.shield" }
                ToolbarActionButton { title: Loc.chinese ? "预览" : "Preview"; systemImage: "eye"; isPrimary: true }
                ToolbarActionButton { title: Loc.chinese ? "开始清理" : "Start Cleaning"; systemImage: "sparkles" }
            }
        }
        NativeSection {
            Layout.fillWidth: true
            title: Loc.chinese ? "扫描范围" : "What the scan covers"
            subtitle: Loc.chinese ? "只读取这些位置，不会改动任何文件。" : "Only these places are read; nothing is changed."
            FlowLayout {
                Layout.fillWidth: true
                spacing: 8
                StatusBadge { text: Loc.chinese ? "安全" : "Safe"; color: AppTheme.success; systemImage: "checkmark.circle" }
                StatusBadge { text: Loc.chinese ? "注意" : "Review"; color: AppTheme.amber; systemImage: "exclamationmark.triangle.fill" }
                StatusBadge { text: Loc.chinese ? "危险" : "Critical"; color: AppTheme.danger; systemImage: "exclamationmark.octagon" }
                FilterChip { title: Loc.chinese ? "全部安装包" : "All Installers"; systemImage: "shippingbox"; selected: true }
                FilterChip { title: Loc.chinese ? "按大小排序" : "Sort by Size"; systemImage: "arrow.up.arrow.down" }
            }
        }
        NativeSection {
            Layout.fillWidth: true
            Layout.fillHeight: true
            title: Loc.chinese ? "普通面板" : "Plain panel"
            glass: false
            EmptyState {
                title: Loc.chinese ? "没有进程" : "No processes"
                subtitle: Loc.chinese ? "刷新后会在这里列出占用最多的进程。" : "The busiest processes appear here after the next refresh."
                systemImage: "cpu"
            }
        }
    })");
}, {}});

} // namespace
} // namespace roror::gallery
