#include "core/engines/purge/LocalPurgePreview.h"

#include "core/support/FolderWalker.h"
#include "core/support/StandardPath.h"

#include <QFile>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>
#include <sys/stat.h>

namespace roror::LocalPurgePreview {

namespace {

// Targets recognised by their last path components rather than by one name.
const QList<QStringList>& targetPathSuffixes()
{
    static const QList<QStringList> suffixes = [] {
        QList<QStringList> result;
        for (const QString& suffix : {QStringLiteral(".idea/system")})
            result.append(suffix.split(QLatin1Char('/'), Qt::SkipEmptyParts));
        return result;
    }();
    return suffixes;
}

std::optional<QString> targetName(const QString& path, const QString& name, const QSet<QString>& targets,
                                  const QList<QStringList>& suffixes)
{
    if (targets.contains(name))
        return name;
    bool possible = false;
    for (const QStringList& suffix : suffixes)
        possible = possible || name == suffix.constLast();
    if (!possible)
        return std::nullopt;
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QStringList& suffix : suffixes) {
        if (suffix.size() > components.size())
            continue;
        bool same = true;
        for (qsizetype i = 1; i <= suffix.size() && same; ++i)
            same = components.at(components.size() - i) == suffix.at(suffix.size() - i);
        if (same)
            return suffix.join(QLatin1Char('/'));
    }
    return std::nullopt;
}

struct Summary {
    qint64 bytes = 0;
    int files = 0;
    int directories = 0;
};

Summary directorySummary(const QString& folder)
{
    Summary summary;
    WalkOptions options;
    options.skipPackageDescendants = true;
    walkFolder(folder, options, [&summary](const WalkEntry& item) {
        if (item.info.isRegularFile) {
            ++summary.files;
            summary.bytes += item.info.allocatedSize > 0 ? item.info.allocatedSize : item.info.logicalSize;
        } else if (item.info.isDirectory) {
            ++summary.directories; // a package counts once; its contents are not entered
        } else {
            return WalkAction::Continue;
        }
        return summary.files + summary.directories >= summaryItemLimit ? WalkAction::Stop : WalkAction::Continue;
    });
    return summary;
}

} // namespace

const QStringList& targetDirectoryNames()
{
    static const QStringList names = {
        QStringLiteral("node_modules"), QStringLiteral("bower_components"), QStringLiteral("target"),
        QStringLiteral("build"), QStringLiteral(".build"), QStringLiteral("dist"), QStringLiteral("out"),
        QStringLiteral(".cache"), QStringLiteral("venv"), QStringLiteral(".venv"), QStringLiteral("env"),
        QStringLiteral(".env"), QStringLiteral(".pytest_cache"), QStringLiteral(".mypy_cache"),
        QStringLiteral(".tox"), QStringLiteral(".nox"), QStringLiteral(".ruff_cache"), QStringLiteral(".pytype"),
        QStringLiteral(".coverage"), QStringLiteral(".gradle"), QStringLiteral(".kotlin"),
        QStringLiteral("__pycache__"), QStringLiteral(".next"), QStringLiteral(".nuxt"), QStringLiteral(".output"),
        QStringLiteral("vendor"), QStringLiteral("bin"), QStringLiteral("obj"), QStringLiteral(".turbo"),
        QStringLiteral(".parcel-cache"), QStringLiteral(".vite"), QStringLiteral(".webpack"),
        QStringLiteral(".rollup.cache"), QStringLiteral(".dart_tool"), QStringLiteral("build-cache"),
        QStringLiteral(".zig-cache"), QStringLiteral("zig-out"), QStringLiteral(".angular"),
        QStringLiteral(".svelte-kit"), QStringLiteral(".astro"), QStringLiteral("coverage"),
        QStringLiteral("DerivedData"), QStringLiteral(".swiftpm"), QStringLiteral("Pods"), QStringLiteral("Carthage"),
        QStringLiteral(".cxx"), QStringLiteral(".expo"), QStringLiteral(".expo-shared"), QStringLiteral(".serverless"),
        QStringLiteral(".terraform"), QStringLiteral(".vscode-test"),
    };
    return names;
}

PurgePreviewReport snapshot(const QString& rootPath, int maxDepth)
{
    const QString root = standardizedPath(rootPath);
    struct stat st {};
    if (root.isEmpty() || ::stat(QFile::encodeName(root).constData(), &st) != 0)
        return PurgePreviewReport(rootPath, {}, QDateTime::currentDateTime());

    static const QSet<QString> targets(targetDirectoryNames().cbegin(), targetDirectoryNames().cend());
    const QList<QStringList>& suffixes = targetPathSuffixes();

    QSet<QString> recorded;
    QList<PurgePreviewReport::Entry> entries;
    QStringList folders;
    WalkOptions options;
    options.skipPackageDescendants = true;
    options.maxDepth = std::max(maxDepth, 0);
    options.statItems = false;
    walkFolder(root, options, [&](const WalkEntry& item) {
        if (!item.info.isDirectory)
            return WalkAction::Continue;
        if (item.depth > maxDepth)
            return WalkAction::SkipDescendants;
        const auto target = targetName(item.path, item.name, targets, suffixes);
        if (!target)
            return WalkAction::Continue;
        if (!recorded.contains(item.path)) {
            recorded.insert(item.path);
            PurgePreviewReport::Entry entry;
            entry.id = QUuid::createUuid();
            entry.name = *target;
            entry.path = item.path;
            entry.target = *target;
            entries.append(entry);
            folders.append(item.path);
        }
        return WalkAction::SkipDescendants;
    });

    // The matched folders share nothing, so they are measured side by side; the time goes into
    // file-system calls, which run in parallel well.
    const QList<Summary> summaries = QtConcurrent::blockingMapped(folders, directorySummary);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i].byteCount = summaries.at(i).bytes;
        entries[i].fileCount = summaries.at(i).files;
        entries[i].directoryCount = summaries.at(i).directories;
    }
    return PurgePreviewReport(rootPath, entries, QDateTime::currentDateTime());
}

} // namespace roror::LocalPurgePreview
