#include "tests/gallery/Gallery.h"

#include "app/kit/GlassSource.h"
#include "app/pages/common/ImagePreviews.h"
#include "app/kit/RecordListModel.h"
#include "app/kit/SymbolCatalogue.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace roror::gallery {
namespace {

// The kit's components as the pages put them together, over the flat window background (or, in
// the glass state, over a picture).
const QByteArray imports = "import QtQuick\nimport QtQuick.Layouts\nimport Roror.App\nimport Roror.Kit\nimport "
                           "Roror.Pages.Common\nimport Roror.Pages.Installer\nimport Roror.Pages.Purge\n";

QQuickItem* show(test::ViewFixture& view, const QByteArray& body, const QVariantMap& properties = {})
{
    GlassSource::shared().clear();
    GlassSource::shared().setHasCustomWindowBackground(false);
    return view.loadText(imports
                             + "Rectangle { color: AppTheme.windowBackground\nproperty var rows\nproperty string "
                               "picture\nproperty var names\n"
                             + body + "\n}",
                         properties);
}

struct Row {
    QString name;
    QString source;
    QString kind;
    QString size;
};

QObject* rowsModel(test::ViewFixture& view)
{
    auto* model = new RecordListModel<Row>({{"name", [](const Row& r) { return QVariant(r.name); }},
                                            {"source", [](const Row& r) { return QVariant(r.source); }},
                                            {"kind", [](const Row& r) { return QVariant(r.kind); }},
                                            {"size", [](const Row& r) { return QVariant(r.size); }}},
                                           &view.engine());
    QList<Row> rows = {
        {QStringLiteral("Xcode_15.2.xip"), QStringLiteral("Downloads"), QStringLiteral("XIP"),
         QStringLiteral("3.4 GB")},
        {QStringLiteral("<b>x</b>.dmg"), QStringLiteral("Downloads"), QStringLiteral("DMG"),
         QStringLiteral("812.3 MB")},
        {QStringLiteral("一个名字很长很长的安装包文件名称，用来检查中间省略是否正确显示 installer-package.pkg"),
         QStringLiteral("Desktop"), QStringLiteral("PKG"), QStringLiteral("96.1 MB")},
    };
    for (int i = 0; i < 40; ++i)
        rows.append({QStringLiteral("Installer-%1.pkg").arg(i + 1), QStringLiteral("Documents"), QStringLiteral("PKG"),
                     QStringLiteral("%1.2 MB").arg(40 - i)});
    model->setRecords(rows);
    return model;
}

// A picture for the glass state: a soft landscape of colours.
QString backdropPicture(test::ViewFixture& view)
{
    QImage image(1600, 1000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1000);
    sky.setColorAt(0, QColor(86, 140, 196));
    sky.setColorAt(0.55, QColor(236, 190, 150));
    sky.setColorAt(1, QColor(70, 96, 84));
    painter.fillRect(image.rect(), sky);
    QRadialGradient sun(1150, 380, 260);
    sun.setColorAt(0, QColor(255, 236, 190));
    sun.setColorAt(1, QColor(255, 236, 190, 0));
    painter.fillRect(image.rect(), sun);
    painter.setBrush(QColor(52, 74, 66));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(300, 1050), 700, 330);
    painter.end();
    const QString path = view.env().home() + QStringLiteral("/backdrop.jpg");
    image.save(path);
    return path;
}

const char* pageBody = R"(
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
                Text { Layout.fillWidth: true; text: KitText.lastCleanText(Date.now() / 1000 - 3 * 86400, 42, Loc.chinese); elide: Text.ElideRight; color: AppTheme.muted; font: AppTypography.font(13, Font.Medium, "default", AppTypography.usesEnglish) }
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
                GlassTag { title: Loc.chinese ? "应用缓存" : "App caches"; systemImage: "folder"; cornerRadius: 6 }
                GlassTag { title: Loc.chinese ? "系统日志" : "System logs"; systemImage: "doc.text.magnifyingglass"; cornerRadius: 6 }
                GlassTag { title: Loc.chinese ? "浏览器缓存" : "Browser caches"; systemImage: "globe"; cornerRadius: 6 }
                GlassTag { title: "node_modules"; cornerRadius: 4; monospace: true }
                GlassTag { title: "DerivedData"; cornerRadius: 4; monospace: true }
                GlassTag { title: "~/Downloads"; systemImage: "folder"; cornerRadius: 4 }
                StatusBadge { text: Loc.chinese ? "安全" : "Safe"; color: AppTheme.success; systemImage: "checkmark.circle" }
                StatusBadge { text: Loc.chinese ? "注意" : "Review"; color: AppTheme.amber; systemImage: "exclamationmark.triangle.fill" }
                StatusBadge { text: Loc.chinese ? "危险" : "Critical"; color: AppTheme.danger; systemImage: "exclamationmark.octagon" }
            }
        }
        NativeSection {
            Layout.fillWidth: true
            title: Loc.chinese ? "普通面板" : "Plain panel"
            glass: false
            EmptyState {
                title: Loc.chinese ? "没有进程" : "No processes"
                subtitle: Loc.chinese ? "刷新后会在这里列出占用最多的进程。" : "The busiest processes appear here after the next refresh."
                systemImage: "cpu"
            }
        }
    })";

const char* resultsBody = R"(
    NativePage {
        anchors.fill: parent
        title: Loc.chinese ? "安装包整理" : "Installer Cleanup"
        subtitle: Loc.chinese ? "找出下载后留下的安装包。" : "Find installers left behind after setup."
        ScrollableResultsSection {
            title: Loc.chinese ? "安装包" : "Installers"
            subtitle: Loc.chinese ? "共 43 个文件" : "43 files"
            listSpacing: 8
            model: rows
            header: ColumnLayout {
                spacing: 12
                InstallerFilterBar { selectionMode: true; selectedCount: 2 }
                InstallerTableHeader { Layout.fillWidth: true; selectionMode: true }
            }
            delegate: ResultsTableRow {
                id: row
                required property string name
                required property string source
                required property string kind
                required property string size
                spacing: 0
                RowLayout {
                    Layout.fillWidth: true
                    spacing: 8
                    SymbolImage { systemName: "shippingbox"; size: 14; color: AppTheme.accent }
                    Text { Layout.fillWidth: true; text: row.name; textFormat: Text.PlainText; elide: Text.ElideMiddle; color: AppTheme.ink; font: AppTypography.font(13, Font.Medium, "default", AppTypography.usesEnglish) }
                }
                Text { Layout.preferredWidth: 120; text: row.source; textFormat: Text.PlainText; elide: Text.ElideRight; color: AppTheme.muted; font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish) }
                Text { Layout.preferredWidth: 110; text: row.kind; textFormat: Text.PlainText; color: AppTheme.muted; font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish) }
                Text { Layout.preferredWidth: 92; horizontalAlignment: Text.AlignRight; text: row.size; textFormat: Text.PlainText; color: AppTheme.ink; font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish) }
            }
        }
    })";

const char* purgeBody = R"(
    NativePage {
        anchors.fill: parent
        title: Loc.chinese ? "项目瘦身" : "Project Cleanup"
        subtitle: Loc.chinese ? "整理项目里可以重新生成的文件。" : "Tidy files your projects can build again."
        ScrollableResultsSection {
            title: Loc.chinese ? "可整理的项目文件" : "Project files to clean"
            glass: false
            listSpacing: 6
            model: rows
            header: PurgeTableHeader {}
            delegate: ResultsTableRow {
                id: row
                required property string name
                required property string kind
                required property string size
                spacing: 12
                Text { Layout.fillWidth: true; text: row.name; textFormat: Text.PlainText; elide: Text.ElideMiddle; color: AppTheme.ink; font: AppTypography.font(13, Font.Medium, "default", AppTypography.usesEnglish) }
                Text { Layout.preferredWidth: 92; text: row.kind; textFormat: Text.PlainText; color: AppTheme.muted; font: AppTypography.font(12, Font.Normal, "default", AppTypography.usesEnglish) }
                Text { Layout.preferredWidth: 82; horizontalAlignment: Text.AlignRight; text: row.size; textFormat: Text.PlainText; color: AppTheme.ink; font: AppTypography.font(12, Font.DemiBold, "monospaced", AppTypography.usesEnglish) }
                ToolbarActionButton { Layout.preferredWidth: 88; title: Loc.chinese ? "废纸篓" : "Trash"; systemImage: "trash"; isPrimary: true }
            }
        }
    })";

const char* smallBody = R"(
    NativePage {
        anchors.fill: parent
        pageScrolls: true
        title: Loc.chinese ? "小组件" : "Small components"
        subtitle: Loc.chinese ? "概览、空间分析和设置页使用的部件。" : "Pieces of the overview, storage analysis and settings pages."
        NativeSection {
            Layout.fillWidth: true
            title: Loc.chinese ? "仪表" : "Gauges"
            RowLayout {
                spacing: 24
                RingGauge { Layout.preferredWidth: 72; Layout.preferredHeight: 72; value: 0.82; color: AppTheme.success; lineWidth: 8 }
                RingGauge { Layout.preferredWidth: 72; Layout.preferredHeight: 72; value: 0.5; color: AppTheme.amber; lineWidth: 8 }
                RingGauge { Layout.preferredWidth: 72; Layout.preferredHeight: 72; value: 0.12; color: AppTheme.danger; lineWidth: 8 }
                RingGauge { Layout.preferredWidth: 48; Layout.preferredHeight: 48; value: -0.2; color: AppTheme.orbCool; lineWidth: 6 }
                ColumnLayout {
                    spacing: 8
                    GlassChip { title: Loc.chinese ? "运行良好" : "Running well"; systemImage: "checkmark.circle"; tint: AppTheme.success }
                    GlassChip { title: Loc.chinese ? "已运行 3 天" : "Up 3 days"; systemImage: "clock" }
                    GlassChip { title: "macOS 14.4" }
                }
            }
        }
        GridLayout {
            Layout.fillWidth: true
            columns: 3
            columnSpacing: 14
            rowSpacing: 14
            Panel { Layout.fillWidth: true; Layout.preferredWidth: 1; glass: true; cornerRadius: 18; compact: true
                MetricCard { title: Loc.chinese ? "总大小" : "Total size"; value: "128.4 GB"; note: Loc.chinese ? "主文件夹" : "Home folder"; symbol: "internaldrive" } }
            Panel { Layout.fillWidth: true; Layout.preferredWidth: 1; glass: true; cornerRadius: 18; compact: true
                MetricCard { title: Loc.chinese ? "文件数" : "Files"; value: "1,204,331"; note: Loc.chinese ? "含隐藏文件以及其他一些很长的说明" : "Including hidden files and a much longer note"; symbol: "doc" } }
            Panel { Layout.fillWidth: true; Layout.preferredWidth: 1; glass: true; cornerRadius: 18; compact: true
                MetricCard { title: Loc.chinese ? "扫描位置中最大的文件夹名称" : "Largest folder in the scanned location"; value: "Library/Developer/Xcode/DerivedData"; note: "41.7 GB"; symbol: "folder" } }
        }
        NativeSection {
            Layout.fillWidth: true
            title: Loc.chinese ? "窗口背景" : "Window background"
            subtitle: Loc.chinese ? "未设置、已设置、文件损坏" : "None, a picture, a broken file"
            RowLayout {
                spacing: 16
                WindowBackgroundPreview { url: ""; revision: 0; previewSize: 80 }
                WindowBackgroundPreview { url: picture; revision: 1; previewSize: 80 }
                WindowBackgroundPreview { url: picture + ".missing"; revision: 1; previewSize: 80 }
                FilterChip { title: Loc.chinese ? "全部安装包" : "All Installers"; systemImage: "shippingbox"; selected: true }
                FilterChip { title: Loc.chinese ? "按大小排序" : "Sort by Size"; systemImage: "arrow.up.arrow.down" }
            }
        }
    })";

const char* symbolsBody = R"(
    NativePage {
        anchors.fill: parent
        pageScrolls: true
        title: Loc.chinese ? "符号" : "Symbols"
        subtitle: Loc.chinese ? "界面使用的每个符号名称及其图标。" : "Every symbol name the interface uses, with its icon."
        RowLayout {
            spacing: 12
            ToolbarActionButton { objectName: "hoveredButton"; title: Loc.chinese ? "悬停" : "Hovered"; systemImage: "eye" }
            ToolbarActionButton { title: Loc.chinese ? "主要" : "Primary"; systemImage: "sparkles"; isPrimary: true }
            ToolbarActionButton { title: Loc.chinese ? "一个标题很长的按钮会变宽" : "A button with a long title grows wider"; systemImage: "trash" }
            LiquidGlassInteractive { implicitWidth: 120; implicitHeight: 30; capsule: true; pressed: true }
        }
        Panel {
            Layout.fillWidth: true
            glass: true; cornerRadius: 26; compact: true
            FlowLayout {
                Layout.fillWidth: true
                spacing: 6
                Repeater {
                    model: names
                    RowLayout {
                        required property string modelData
                        width: 236
                        spacing: 8
                        SymbolImage { Layout.preferredWidth: 22; systemName: modelData; size: 14; color: AppTheme.accent }
                        Text { Layout.fillWidth: true; text: modelData; elide: Text.ElideRight; textFormat: Text.PlainText; color: AppTheme.muted; font: AppTypography.font(11, Font.Normal, "monospaced", AppTypography.usesEnglish) }
                    }
                }
            }
        }
    })";

const bool pageFrame
    = add({QStringLiteral("kit-page-frame"), [](test::ViewFixture& view) { show(view, pageBody); }, {}, true});

const bool results = add({QStringLiteral("kit-results-list"),
                          [](test::ViewFixture& view) {
                              show(view, resultsBody, {{QStringLiteral("rows"), QVariant::fromValue(rowsModel(view))}});
                          },
                          {},
                          true});

const bool plainResults
    = add({QStringLiteral("kit-results-plain"),
           [](test::ViewFixture& view) {
               show(view, purgeBody, {{QStringLiteral("rows"), QVariant::fromValue(rowsModel(view))}});
           },
           {},
           true});

const bool small = add({QStringLiteral("kit-small-components"),
                        [](test::ViewFixture& view) {
                            ImagePreviews::clearCache();
                            show(view, smallBody, {{QStringLiteral("picture"), backdropPicture(view)}});
                            view.settle(60);
                        },
                        {},
                        true});

const bool glass = add({QStringLiteral("kit-glass-over-picture"),
                        [](test::ViewFixture& view) {
                            const QString picture = backdropPicture(view);
                            QQuickItem* root = show(view,
                                                    QByteArray(R"(
    Image { anchors.fill: parent; source: ImagePreviews.source(picture, 0, "fill"); sourceSize.width: width; sourceSize.height: height; fillMode: Image.PreserveAspectCrop }
    Rectangle { anchors.fill: parent; color: Qt.rgba(0.93, 0.93, 0.93, 0.18) })")
                                                        + pageBody,
                                                    {{QStringLiteral("picture"), picture}});
                            GlassSource::shared().setHasCustomWindowBackground(true);
                            if (root)
                                GlassSource::shared().setBackdropFile(picture, 0, root->size());
                            view.settle(60);
                        },
                        {},
                        true});

const bool symbols = add({QStringLiteral("kit-symbols-and-buttons"),
                          [](test::ViewFixture& view) {
                              show(view, symbolsBody, {{QStringLiteral("names"), SymbolCatalogue::names()}});
                              view.hover(view.find(QStringLiteral("hoveredButton")));
                          },
                          {},
                          true});

} // namespace
} // namespace roror::gallery
