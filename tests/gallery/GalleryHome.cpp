#include "tests/gallery/GalleryHome.h"

#include "core/engines/analysis/LocalAnalysis.h"
#include "core/engines/clean/CleanPreviewService.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/engines/installer/InstallerPreviewService.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/engines/optimize/OptimizePreviewService.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/engines/purge/PurgePreviewService.h"
#include "core/engines/uninstall/UninstallPreviewService.h"
#include "core/model/FolderAccessError.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcessEnvironment>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace roror::gallery {
namespace {

constexpr qint64 kB = 1024;
constexpr qint64 MB = 1024 * 1024;

// A file of `bytes` allocated bytes (and its folders).
QString file(const test::TestEnv& env, const QString& relative, qint64 bytes)
{
    const QString path = env.writeFile(relative);
    if (bytes <= 0)
        return path;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return path;
    if (::posix_fallocate(fd, 0, bytes) != 0) {
        const QByteArray chunk(64 * kB, 'x');
        for (qint64 written = 0; written < bytes; written += chunk.size())
            if (::write(fd, chunk.constData(), std::min<qint64>(chunk.size(), bytes - written)) < 0)
                break;
    }
    ::close(fd);
    return path;
}

// Moves a file's last access `days` ago (what the platform reads as "last opened").
void accessedDaysAgo(const QString& path, int days)
{
    const qint64 when = QDateTime::currentSecsSinceEpoch() - qint64(days) * 86400 - 3600;
    struct timespec times[2] = {{static_cast<time_t>(when), 0}, {0, UTIME_OMIT}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

QByteArray infoPlist(const QString& name, const QString& id, bool icon)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    const auto key = [&xml](const char* k, const QString& v) {
        xml += QByteArray("  <key>") + k + "</key><string>" + v.toHtmlEscaped().toUtf8() + "</string>\n";
    };
    key("CFBundleName", name);
    if (!id.isEmpty())
        key("CFBundleIdentifier", id);
    if (icon)
        key("CFBundleIconFile", QStringLiteral("AppIcon.png"));
    return xml + "</dict>\n</plist>\n";
}

// A rounded tile in `color` with the name's initial, as an application's icon.
void drawIcon(const QString& path, const QString& name, const QColor& color)
{
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
    icon.save(path);
}

struct App {
    const char* bundle;
    const char* name;
    const char* id;
    qint64 bytes;
    int daysAgo;
    QColor icon;           // invalid: no icon of its own
    QStringList leftovers; // below Library
};

void buildApps(const test::TestEnv& env)
{
    const App apps[] = {
        {"Figma",
         "Figma",
         "com.figma.Desktop",
         41 * MB,
         41,
         QColor(162, 89, 255),
         {"Caches/com.figma.Desktop", "Application Support/Figma"}},
        {"Slack", "Slack", "com.tinyspeck.slackmacgap", 30 * MB, 0, QColor(74, 21, 75), {"Logs/Slack"}},
        {"Notion", "Notion", "notion.id", 26 * MB, 120, QColor(40, 40, 40), {}},
        {"Docker", "Docker", "com.docker.docker", 21 * MB, 2, {}, {"Containers/com.docker.docker"}},
        {"Spotify",
         "Spotify",
         "com.spotify.client",
         12 * MB,
         9,
         QColor(30, 185, 84),
         {"Caches/com.spotify.client", "Preferences/com.spotify.client.plist", "Application Support/Spotify"}},
        {"A Very Long Application Name That Keeps Going Pro Max Edition",
         "A Very Long Application Name That Keeps Going Pro Max Edition",
         "com.example.longname",
         9 * MB,
         400,
         {},
         {}},
        {"zoom.us", "zoom.us", "us.zoom.xos", 19 * MB, 30, QColor(45, 140, 255), {}},
        {"<b>Bold<i> Tool", "<b>Bold<i> Tool", "", 1 * MB, 15, {}, {}},
    };
    const QString library = QStringLiteral("Library/");
    for (const App& app : apps) {
        const QString root = QStringLiteral("Applications/") + QString::fromUtf8(app.bundle) + QStringLiteral(".app");
        const QString name = QString::fromUtf8(app.name);
        env.writeFile(root + QStringLiteral("/Contents/Info.plist"),
                      infoPlist(name, QString::fromUtf8(app.id), app.icon.isValid()));
        file(env, root + QStringLiteral("/Contents/MacOS/") + name.section(QLatin1Char(' '), 0, 0), app.bytes);
        if (app.icon.isValid())
            drawIcon(env.makeDir(root + QStringLiteral("/Contents/Resources")) + QStringLiteral("/AppIcon.png"), name,
                     app.icon);
        for (const QString& leftover : app.leftovers) {
            if (leftover.endsWith(QStringLiteral(".plist")))
                file(env, library + leftover, 4 * kB);
            else
                file(env, library + leftover + QStringLiteral("/data"), 3 * MB);
        }
        accessedDaysAgo(env.home() + QLatin1Char('/') + root, app.daysAgo);
    }
}

void buildCaches(const test::TestEnv& env)
{
    for (int i = 0; i < 6; ++i)
        file(env, QStringLiteral("Library/Caches/com.example.editor/blob-%1").arg(i), 2 * MB + i * 300 * kB);
    file(env,
         QStringLiteral("Library/Caches/com.example.editor/very/deep/folder/structure/that/keeps/going/and/"
                        "going/until/it/no/longer/fits/on/one/line/cache.db"),
         600 * kB);
    file(env, QStringLiteral("Library/Caches/JetBrains/IntelliJIdea/index.dat"), 5 * MB);
    file(env, QStringLiteral("Library/Caches/Mozilla/firefox/profile/cache2/entries"), 4 * MB);
    file(env, QStringLiteral("Library/Application Support/Google/Chrome/Default/Code Cache/js/index"), 3 * MB);
    file(env, QStringLiteral("Library/Logs/editor/editor.log"), 900 * kB);
    file(env, QStringLiteral("Library/Logs/sync.log"), 300 * kB);
    file(env, QStringLiteral("Library/Logs/DiagnosticReports/editor-2026-12-01.crash"), 120 * kB);
    file(env, QStringLiteral("Library/Developer/Xcode/DerivedData/Shop-abc/Build/Intermediates/o.bin"), 12 * MB);
    for (int i = 0; i < 20; ++i)
        file(env, QStringLiteral(".npm/_cacache/content-v2/sha512/%1").arg(i, 2, 10, QLatin1Char('0')), 200 * kB);
    file(env, QStringLiteral(".cargo/registry/cache/index.crates.io/serde-1.0.200.crate"), 1 * MB);
    const QString trash = QStringLiteral(".local/share/Trash/");
    file(env, trash + QStringLiteral("files/old-screenshots.zip"), 6 * MB);
    env.writeFile(trash + QStringLiteral("info/old-screenshots.zip.trashinfo"),
                  "[Trash Info]\nPath=/tmp/old-screenshots.zip\nDeletionDate=2026-12-01T10:00:00\n");
    env.writeFile(QStringLiteral(".config/roror/whitelist"),
                  "$HOME/Library/Caches/JetBrains*\n$HOME/Library/Caches/ms-playwright*\n~/Projects/keep-this-build\n"
                  "FINDER_METADATA\n");
    const auto& steps = OptimizePreviewCatalog::items();
    env.writeFile(QStringLiteral(".config/roror/whitelist_optimize"),
                  (steps.at(1).id + QLatin1Char('\n') + steps.at(4).id + QStringLiteral("\nmy-check\n")).toUtf8());
}

void buildProjects(const test::TestEnv& env)
{
    const QString p = QStringLiteral("Projects/");
    env.writeFile(p + QStringLiteral("web-shop/package.json"), "{\"name\": \"web-shop\"}\n");
    file(env, p + QStringLiteral("web-shop/node_modules/react/index.js"), 9 * MB);
    env.writeFile(p + QStringLiteral("engine/Cargo.toml"), "[package]\nname = \"engine\"\n");
    env.writeFile(p + QStringLiteral("engine/target/CACHEDIR.TAG"), "Signature: 8a477f597d28d172789f06886806bc55\n");
    file(env, p + QStringLiteral("engine/target/debug/engine"), 14 * MB);
    env.writeFile(p + QStringLiteral("ml-notebooks/.venv/pyvenv.cfg"), "home = /usr/bin\n");
    file(env, p + QStringLiteral("ml-notebooks/.venv/lib/python3.11/site-packages/numpy/core.so"), 6 * MB);
    env.writeFile(p + QStringLiteral("game/build/CMakeCache.txt"), "# cache\n");
    file(env, p + QStringLiteral("game/build/game"), 3 * MB);
    file(env, p + QStringLiteral("api/__pycache__/app.cpython-311.pyc"), 80 * kB);
    const QString longName
        = p + QStringLiteral("an-extremely-long-project-name-that-keeps-going-and-going/packages/frontend/");
    env.writeFile(longName + QStringLiteral("package.json"), "{}\n");
    file(env, longName + QStringLiteral("node_modules/vite/dist/index.js"), 4 * MB);
}

void buildInstallers(const test::TestEnv& env)
{
    file(env, QStringLiteral("Downloads/Docker.dmg"), 18 * MB);
    file(env, QStringLiteral("Downloads/Xcode_15.2.xip"), 24 * MB);
    file(env,
         QStringLiteral("Desktop/一个名字很长很长的安装包文件名称，用来检查中间省略是否正确显示 installer-package.pkg"),
         5 * MB);
    file(env, QStringLiteral("Downloads/<b>Setup<i>.dmg"), 2 * MB);
    file(env, QStringLiteral("Downloads/Figma-124.5.app.zip"), 7 * MB);
    file(env, QStringLiteral("Downloads/Profile.mobileconfig"), 12 * kB);
    file(env, QStringLiteral("Downloads/README"), 3 * kB);
    file(env,
         QStringLiteral("Library/Caches/Homebrew/downloads/"
                        "0f3d5e1c9a7b2d4e6f8a0b1c3d5e7f9a1b3c5d7e9f0a2b4c6d8e0f1a3b5c7d9e--firefox-120.0.dmg"),
         8 * MB);
    env.makeDir(QStringLiteral("Documents"));
}

} // namespace

QString brokenHome(const test::TestEnv& env)
{
    const QString home = env.outside() + QStringLiteral("/home/tester");
    for (const char* name : {"whitelist", "whitelist_optimize"})
        env.writeFile(home + QStringLiteral("/.config/roror/") + QLatin1String(name), QByteArray("/x\n\xff\xfe\n"));
    return home;
}

QString projectsFolder(const test::TestEnv& env)
{
    return env.home() + QStringLiteral("/Projects");
}

void buildHome(const test::TestEnv& env)
{
    buildCaches(env);
    buildApps(env);
    buildProjects(env);
    buildInstallers(env);
    env.makeDir(QStringLiteral("Pictures"));
}

PurgePreviewReport EngineReports::purge(const QString& root)
{
    QMutexLocker lock(&m_mutex);
    if (!m_purge.contains(root))
        m_purge.insert(root, PurgePreviewService::snapshot(root, QProcessEnvironment::systemEnvironment()).result());
    return m_purge.value(root);
}

AnalysisReport EngineReports::analysis(const QString& root)
{
    QMutexLocker lock(&m_mutex);
    if (!m_analysis.contains(root)) {
        FolderAccessError::check(root);
        m_analysis.insert(root, LocalAnalysis::snapshot(root));
    }
    return m_analysis.value(root);
}

std::shared_ptr<EngineReports> runEngines(const test::TestEnv& env)
{
    buildHome(env);
    auto reports = std::make_shared<EngineReports>();
    reports->home = env.home();
    reports->clean = CleanPreviewService::snapshot().result();
    reports->optimize = OptimizePreviewService::snapshot().result();
    reports->uninstall = UninstallPreviewService::snapshot().result();
    reports->installer
        = InstallerPreviewService::snapshot(env.home(), QProcessEnvironment::systemEnvironment()).result();
    // The clean removes what it shows; the home is built again so the other states find it whole.
    reports->cleaned = LocalCleanExecutor::clean(reports->clean, {env.home()});
    buildHome(env);
    return reports;
}

void useEngines(AppModelServices& s, const std::shared_ptr<EngineReports>& reports)
{
    s.cleanPreview = [reports] { return QtFuture::makeReadyFuture(reports->clean); };
    s.cleanExecutor = [reports](const CleanPreviewReport&, const QStringList&) { return reports->cleaned; };
    s.loadCleanWhitelist = [](const QString& home) { return CleanWhitelistStore::load(home); };
    s.optimizePreview = [reports] { return QtFuture::makeReadyFuture(reports->optimize); };
    s.loadOptimizeWhitelist = [](const QString& home) { return OptimizeWhitelistStore::load(home); };
    s.uninstallPreview = [reports] { return QtFuture::makeReadyFuture(reports->uninstall); };
    s.installerPreview = [reports](const QString&) { return QtFuture::makeReadyFuture(reports->installer); };
    s.purgePreview = [reports](const QString& root) { return QtFuture::makeReadyFuture(reports->purge(root)); };
    s.analysis = [reports](const QString& root) { return reports->analysis(root); };
    s.now = [] { return QDateTime::currentDateTime(); };
}

} // namespace roror::gallery
