#include "tests/gallery/PageGallerySupport.h"

#include "core/engines/uninstall/UninstallPreviewReport.h"
#include "core/model/SizeText.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>

namespace roror::gallery {
namespace {

using Entry = UninstallPreviewReport::Entry;

// An application bundle with a drawn icon: a rounded tile in `color` with the name's initial.
QString bundle(const test::TestEnv& env, const QString& name, const QColor& color)
{
    const QString path = env.home() + QStringLiteral("/Applications/") + name + QStringLiteral(".app");
    QDir().mkpath(path + QStringLiteral("/Contents/Resources"));
    QFile plist(path + QStringLiteral("/Contents/Info.plist"));
    if (plist.open(QIODevice::WriteOnly))
        plist.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                    "<key>CFBundleIconFile</key><string>AppIcon.png</string></dict></plist>\n");
    QImage icon(256, 256, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(16, 16, 224, 224), 52, 52);
    QLinearGradient fill(0, 16, 0, 240);
    fill.setColorAt(0, color.lighter(130));
    fill.setColorAt(1, color.darker(115));
    painter.fillPath(tile, fill);
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(128);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(16, 16, 224, 224), Qt::AlignCenter, name.left(1));
    painter.end();
    icon.save(path + QStringLiteral("/Contents/Resources/AppIcon.png"));
    return path;
}

Entry app(const QString& name, const QString& path, const QString& source, std::optional<qint64> bytes,
          std::optional<int> daysAgo, QStringList leftovers = {}, std::optional<QString> leftoverSize = std::nullopt)
{
    Entry e;
    e.name = name;
    e.path = path;
    e.id = path;
    e.source = source;
    e.appSizeBytes = bytes;
    if (bytes)
        e.appSizeText = SizeText::bytes(*bytes);
    if (daysAgo)
        e.lastOpened = QDateTime::currentDateTime().addSecs(-qint64(*daysAgo) * 86400 - 3600);
    e.leftoverPaths = leftovers;
    e.leftoverSizeText = leftoverSize;
    return e;
}

UninstallPreviewReport sampleReport(const test::TestEnv& env)
{
    const QString library = env.home() + QStringLiteral("/Library");
    return UninstallPreviewReport({
        app("Xcode", "/Applications/Xcode.app", "Applications", 11'800'000'000, 3, {library + "/Developer"}, "23.4 GB"),
        app("Figma", bundle(env, "Figma", QColor(162, 89, 255)), "~/Applications", 412'000'000, 41,
            {library + "/Caches/com.figma.Desktop"}, "182 MB"),
        app("Slack", "/Applications/Slack.app", "Applications", 301'000'000, 0, {library + "/Logs/Slack"}),
        app("Notion", bundle(env, "Notion", QColor(40, 40, 40)), "~/Applications", 268'000'000, 120),
        app("Docker", "/Applications/Docker.app", "Applications", 2'100'000'000, std::nullopt,
            {library + "/Containers/com.docker.docker"}, "14.2 GB"),
        app("Spotify", bundle(env, "Spotify", QColor(30, 185, 84)), "~/Applications", std::nullopt, 9),
        app("A Very Long Application Name That Keeps Going Pro Max Edition",
            "/Applications/A Very Long Application Name That Keeps Going Pro Max Edition.app", "Applications",
            88'000'000, 400),
        app("zoom.us", "/Applications/zoom.us.app", "Applications", 190'000'000, std::nullopt),
        app("<b>Bold<i> Tool", "/Applications/<b>Bold<i> Tool.app", "Applications", 12'000'000, 30),
    });
}

void showUninstall(test::ViewFixture& view)
{
    showPage(view, "Roror.Pages.Uninstall", "UninstallView");
}

void withReport(AppModelServices& s, const test::TestEnv& env)
{
    const UninstallPreviewReport report = sampleReport(env);
    s.uninstallPreview = [report] { return QtFuture::makeReadyFuture(report); };
    // A past uninstall, so the header shows its line.
    auto settings = s.openSettings();
    settings->setValue(QStringLiteral("lastUninstallDate"), double(QDateTime::currentSecsSinceEpoch() - 2 * 86400));
    settings->setValue(QStringLiteral("lastUninstallCount"), 3);
}

void previewed(test::ViewFixture& view)
{
    showUninstall(view);
    call(view, "uninstallPage", "preview");
    settleRuns(view);
    // Icons arrive from their own threads.
    for (int i = 0; i < 20; ++i)
        view.settle(5);
}

const bool first
    = add({QStringLiteral("uninstall-first-visit"), [](test::ViewFixture& view) { showUninstall(view); }, {}});

const bool busy = add({QStringLiteral("uninstall-busy"),
                       [](test::ViewFixture& view) {
                           showUninstall(view);
                           call(view, "uninstallPage", "preview");
                           view.settle();
                       },
                       [](AppModelServices& s, const test::TestEnv&) {
                           s.uninstallPreview = [] { return neverFinishing<UninstallPreviewReport>(); };
                       }});

const bool report = add({QStringLiteral("uninstall-report"), previewed, withReport});

const bool bySize = add({QStringLiteral("uninstall-sorted-by-size"),
                         [](test::ViewFixture& view) {
                             previewed(view);
                             call(view, "uninstallPage", "toggleSizeSort");
                             view.settle();
                         },
                         withReport});

const bool bySizeAscending = add({QStringLiteral("uninstall-sorted-by-size-ascending"),
                                  [](test::ViewFixture& view) {
                                      previewed(view);
                                      call(view, "uninstallPage", "toggleSizeSort");
                                      call(view, "uninstallPage", "toggleSizeSort");
                                      view.settle();
                                  },
                                  withReport});

const bool recentFirst = add({QStringLiteral("uninstall-sorted-recent-first"),
                              [](test::ViewFixture& view) {
                                  previewed(view);
                                  call(view, "uninstallPage", "toggleLastOpenedSort");
                                  view.settle();
                              },
                              withReport});

const bool selection = add({QStringLiteral("uninstall-selection"),
                            [](test::ViewFixture& view) {
                                previewed(view);
                                call(view, "uninstallPage", "enterUninstallSelection");
                                const auto paths = view.model().uninstallPreviewReport()->entries();
                                QMetaObject::invokeMethod(pageObject(view, "uninstallPage"), "setSelected",
                                                          Q_ARG(QString, paths.at(1).path), Q_ARG(bool, true));
                                QMetaObject::invokeMethod(pageObject(view, "uninstallPage"), "setSelected",
                                                          Q_ARG(QString, paths.at(4).path), Q_ARG(bool, true));
                                view.settle();
                            },
                            withReport});

const bool confirmation = add({QStringLiteral("uninstall-confirmation"),
                               [](test::ViewFixture& view) {
                                   previewed(view);
                                   call(view, "uninstallPage", "enterUninstallSelection");
                                   call(view, "uninstallPage", "selectAll");
                                   call(view, "uninstallPage", "requestUninstall");
                                   view.settle();
                               },
                               withReport});

const bool empty = add({QStringLiteral("uninstall-empty"),
                        [](test::ViewFixture& view) {
                            showUninstall(view);
                            call(view, "uninstallPage", "enterUninstallSelection");
                            settleRuns(view);
                        },
                        [](AppModelServices& s, const test::TestEnv&) {
                            s.uninstallPreview = [] { return QtFuture::makeReadyFuture(UninstallPreviewReport{}); };
                        }});

} // namespace
} // namespace roror::gallery
