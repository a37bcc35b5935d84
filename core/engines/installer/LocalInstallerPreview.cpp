#include "core/engines/installer/LocalInstallerPreview.h"

#include "core/engines/installer/ZipInstallerCheck.h"
#include "core/model/AppLocalization.h"
#include "core/support/FileInfo.h"
#include "core/support/FolderWalker.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <sys/stat.h>

namespace roror::LocalInstallerPreview {

namespace {

using Clock = std::chrono::steady_clock;

QString path(const QString& base, std::initializer_list<const char*> components)
{
    QString result = base;
    for (const char* component : components)
        result = joinPath(result, QString::fromUtf8(component));
    return result;
}

bool existsFollowingLinks(const QString& location)
{
    struct stat st { };
    return ::stat(QFile::encodeName(location).constData(), &st) == 0;
}

QList<QString> findInstallerFiles(const QString& location, int maxDepth, Clock::time_point deadline)
{
    QList<QString> found;
    if (Clock::now() >= deadline)
        return found;
    static const QSet<QString> extensions(scannedFileExtensions().cbegin(), scannedFileExtensions().cend());

    WalkOptions options;
    options.skipHidden = true;
    options.skipPackageDescendants = true;
    options.maxDepth = std::max(maxDepth, 0);
    options.statItems = false;
    walkFolder(location, options, [&](const WalkEntry& item) {
        if (Clock::now() >= deadline)
            return WalkAction::Stop;
        if (item.depth > maxDepth)
            return WalkAction::SkipDescendants;
        if (item.info.isSymbolicLink)
            return WalkAction::Continue;
        if (!item.info.isRegularFile) {
            // A folder-style installer package is a bundle: shown as one item, never entered.
            if (item.info.isDirectory && pathExtension(item.name).toLower() == QLatin1String("pkg"))
                return WalkAction::SkipDescendants;
            return WalkAction::Continue;
        }
        if (extensions.contains(pathExtension(item.name).toLower()))
            found.append(item.path);
        return WalkAction::Continue;
    });
    return found;
}

QList<InstallerPreviewReport::Entry> scanInstallers(const QString& location, const QString& source, int maxDepth,
                                                    Clock::time_point deadline)
{
    QList<InstallerPreviewReport::Entry> entries;
    if (!existsFollowingLinks(location))
        return entries;
    if (Clock::now() >= deadline)
        return entries;

    static const QRegularExpression homebrewPrefix(QStringLiteral("^[0-9a-f]{64}--"));
    const bool homebrew = source == QLatin1String("Homebrew");
    for (const QString& file : findInstallerFiles(location, maxDepth, deadline)) {
        if (pathExtension(file).toLower() == QLatin1String("zip") && !ZipInstallerCheck::zipHoldsInstaller(file))
            continue;
        InstallerPreviewReport::Entry entry;
        entry.id = QUuid::createUuid();
        entry.name = lastPathComponent(file);
        if (homebrew)
            entry.name.remove(homebrewPrefix);
        entry.path = file;
        entry.source = source;
        entry.byteCount = sizeOnDisk(file);
        entries.append(entry);
    }
    return entries;
}

} // namespace

const QStringList& scannedFileExtensions()
{
    static const QStringList extensions = {
        QStringLiteral("dmg"), QStringLiteral("pkg"), QStringLiteral("mpkg"),         QStringLiteral("iso"),
        QStringLiteral("xip"), QStringLiteral("zip"), QStringLiteral("appinstaller"), QStringLiteral("mobileconfig"),
    };
    return extensions;
}

QList<LabelledLocation> installerScanPaths(const QString& home, const QString& sharedRoot)
{
    using AppLocalization::coreText;
    const QString shared = coreText(QStringLiteral("共享"), QStringLiteral("Shared"));
    const QString telegram = QStringLiteral("Telegram");
    QList<LabelledLocation> locations = {
        {path(home, {"Downloads"}), coreText(QStringLiteral("下载"), QStringLiteral("Downloads"))},
        {path(home, {"Desktop"}), coreText(QStringLiteral("桌面"), QStringLiteral("Desktop"))},
        {path(home, {"Documents"}), coreText(QStringLiteral("文稿"), QStringLiteral("Documents"))},
        {path(home, {"Public"}), coreText(QStringLiteral("公共"), QStringLiteral("Public"))},
        {path(home, {"Library", "Downloads"}), coreText(QStringLiteral("资源库"), QStringLiteral("Library"))},
        {sharedRoot, shared},
        {path(sharedRoot, {"Downloads"}), shared},
        {path(home, {"Library", "Caches", "Homebrew"}), QStringLiteral("Homebrew")},
        {path(home, {"Library", "Mobile Documents", "com~apple~CloudDocs", "Downloads"}), QStringLiteral("iCloud")},
        {path(home, {"Library", "Containers", "com.apple.mail", "Data", "Library", "Mail Downloads"}),
         coreText(QStringLiteral("邮件"), QStringLiteral("Mail"))},
        {path(home, {"Library", "Application Support", "Telegram Desktop"}), telegram},
        {path(home, {"Downloads", "Telegram Desktop"}), telegram},
    };
    if (standardizedPath(home) == standardizedPath(QDir::homePath())) {
        const QString cask = QStringLiteral("Homebrew Cask");
        locations.append({QStringLiteral("/Library/Updates"),
                          coreText(QStringLiteral("系统更新"), QStringLiteral("System Updates"))});
        locations.append({QStringLiteral("/opt/homebrew/Caskroom"), cask});
        locations.append({QStringLiteral("/usr/local/Caskroom"), cask});
    }
    return locations;
}

QList<ScanLocation> availableScanLocations(const QString& home, const QString& sharedRoot)
{
    QList<ScanLocation> result;
    for (const LabelledLocation& location : installerScanPaths(home, sharedRoot)) {
        const QString last = lastPathComponent(location.path);
        result.append({location.path, last.isEmpty() ? location.path : last, location.source,
                       existsFollowingLinks(location.path)});
    }
    return result;
}

InstallerPreviewReport snapshot(const QString& home, const QString& sharedRoot, int maxDepth)
{
    return snapshot(home, sharedRoot, maxDepth, scanBudget);
}

InstallerPreviewReport snapshot(const QString& home, const QString& sharedRoot, int maxDepth,
                                std::chrono::milliseconds budget)
{
    const QList<LabelledLocation> locations = installerScanPaths(home, sharedRoot);
    const Clock::time_point deadline = Clock::now() + budget;
    QList<InstallerPreviewReport::Entry> found;
    for (const LabelledLocation& location : locations) {
        if (Clock::now() >= deadline)
            break;
        found.append(scanInstallers(location.path, location.source, maxDepth, deadline));
    }

    // Overlapping locations (Downloads and its Telegram folder) meet the same file twice; the
    // first location in the list keeps it.
    QSet<QString> seen;
    QList<InstallerPreviewReport::Entry> unique;
    for (const auto& entry : found) {
        const QString key = standardizedPath(entry.path);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        unique.append(entry);
    }
    return InstallerPreviewReport(unique, QDateTime::currentDateTime());
}

} // namespace roror::LocalInstallerPreview
