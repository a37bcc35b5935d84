#include "core/engines/purge/LocalPurgePreview.h"

#include "core/engines/purge/GitRepositories.h"
#include "core/support/FolderWalker.h"
#include "core/support/Log.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <QHash>
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

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

// Target names people also give their own folders, with what the tool that makes such a folder
// writes into it ("../" for beside it). Without a stamp the folder counts only when git ignores it.
// Bundler's and Cargo's vendor folders, and dist, out and .cache, leave no stamp of their own.
const QHash<QString, QStringList>& genericTargetStamps()
{
    static const QStringList virtualEnv = {QStringLiteral("pyvenv.cfg"), QStringLiteral("conda-meta/history")};
    static const QHash<QString, QStringList> stamps = {
        // Cargo, Maven's compiler, sbt
        {QStringLiteral("target"),
         {QStringLiteral("CACHEDIR.TAG"), QStringLiteral(".rustc_info.json"), QStringLiteral("maven-status"),
          QStringLiteral("streams")}},
        // CMake, Meson, Xcode
        {QStringLiteral("build"),
         {QStringLiteral("CMakeCache.txt"), QStringLiteral("meson-private/coredata.dat"),
          QStringLiteral("XCBuildData")}},
        {QStringLiteral(".build"), {QStringLiteral("workspace-state.json")}}, // SwiftPM
        {QStringLiteral("dist"), {}},
        {QStringLiteral("out"), {}},
        {QStringLiteral(".cache"), {}},
        {QStringLiteral("venv"), virtualEnv},
        {QStringLiteral(".venv"), virtualEnv},
        {QStringLiteral("env"), virtualEnv},
        {QStringLiteral(".env"), virtualEnv},
        {QStringLiteral(".output"), {QStringLiteral("nitro.json")}},
        {QStringLiteral("vendor"), {QStringLiteral("modules.txt"), QStringLiteral("autoload.php")}}, // Go, Composer
        // The .NET SDK restores into obj and builds into bin beside it.
        {QStringLiteral("bin"), {QStringLiteral("../obj/project.assets.json")}},
        {QStringLiteral("obj"), {QStringLiteral("project.assets.json")}},
        // Istanbul (json, lcov, clover) and SimpleCov
        {QStringLiteral("coverage"),
         {QStringLiteral("coverage-final.json"), QStringLiteral("lcov.info"), QStringLiteral("clover.xml"),
          QStringLiteral(".resultset.json"), QStringLiteral(".last_run.json")}},
        {QStringLiteral("Pods"), {QStringLiteral("Manifest.lock")}},
        {QStringLiteral("Carthage"), {QStringLiteral("Build")}},
    };
    return stamps;
}

bool exists(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool holdsStamp(const QString& folder, const QStringList& stamps)
{
    for (const QString& stamp : stamps) {
        const QString path = stamp.startsWith(QLatin1String("../")) ? joinPath(parentOf(folder), stamp.mid(3))
                                                                    : joinPath(folder, stamp);
        if (exists(path))
            return true;
    }
    return false;
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
    options.onUnreadable = [](const QString& path, int error) {
        qCInfo(log::purge) << "not measured, unreadable:" << path << qt_error_string(error);
    };
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

// The walk that finds the target folders. A folder whose fate hangs on git's ignore rules is held
// back until the walk ends, so each repository is asked once for all of them; the ones git does
// not ignore are then searched like any other folder.
class TargetSearch {
public:
    TargetSearch(QString root, int maxDepth, const QString& gitProgram)
        : m_root(std::move(root))
        , m_maxDepth(maxDepth)
        , m_home(standardizedPath(QDir::homePath()))
        , m_git(gitProgram)
    {
        // Chosen on purpose, a hidden folder of the home is searched, but what only its name marks
        // there (caches of installed tools) needs git's word.
        m_insideHiddenHomeFolder
            = m_root.startsWith(joinPath(m_home, QStringLiteral("."))) && m_root.size() > m_home.size() + 2;
    }

    void run()
    {
        walk(m_root, 0);
        while (!m_pending.isEmpty())
            settlePending();
    }

    const QList<PurgePreviewReport::Entry>& entries() const { return m_entries; }

private:
    struct Pending {
        QString path;
        QString target;
        int depth = 0;
    };

    void walk(const QString& folder, int baseDepth)
    {
        WalkOptions options;
        options.skipPackageDescendants = true;
        options.maxDepth = m_maxDepth - baseDepth;
        options.statItems = false;
        options.onUnreadable = [](const QString& path, int error) {
            qCInfo(log::purge) << "not searched, unreadable:" << path << qt_error_string(error);
        };
        walkFolder(folder, options, [&](const WalkEntry& item) { return visit(item, baseDepth + item.depth); });
    }

    WalkAction visit(const WalkEntry& item, int depth)
    {
        if (!item.info.isDirectory)
            return WalkAction::Continue;
        if (depth > m_maxDepth)
            return WalkAction::SkipDescendants;
        if (item.name == QLatin1String(".git")) {
            qCInfo(log::purge) << "not searched, repository storage:" << item.path;
            return WalkAction::SkipDescendants;
        }
        const QString parent = parentOf(item.path);
        // The home's hidden folders hold installed tools, editors and their packages.
        if (parent == m_home && item.name.startsWith(QLatin1Char('.'))) {
            qCInfo(log::purge) << "not searched, hidden folder of the home:" << item.path;
            return WalkAction::SkipDescendants;
        }
        static const QSet<QString> targets(targetDirectoryNames().cbegin(), targetDirectoryNames().cend());
        const auto target = targetName(item.path, item.name, targets, targetPathSuffixes());
        if (!target)
            return WalkAction::Continue;
        // The home's own folders (~/bin, ~/go/..., ~/build) hold the user's tools and data.
        if (parent == m_home) {
            qCInfo(log::purge) << "skipped, the home's own folder:" << item.path;
            return WalkAction::SkipDescendants;
        }
        if (m_recorded.contains(item.path))
            return WalkAction::SkipDescendants;

        const auto stamps = genericTargetStamps().constFind(*target);
        const bool generic = stamps != genericTargetStamps().constEnd();
        const bool nodeModules = *target == QLatin1String("node_modules");
        bool stamped = false;
        if (nodeModules)
            stamped = exists(joinPath(parent, QStringLiteral("package.json")));
        else if (generic)
            stamped = holdsStamp(item.path, *stamps);
        else
            stamped = !m_insideHiddenHomeFolder;

        const QString top = m_git.workTreeOf(item.path);
        if (top == item.path) {
            qCInfo(log::purge) << "skipped, a repository of its own:" << item.path;
            return WalkAction::Continue;
        }
        if (!top.isEmpty() && m_git.tracks(top, relativeTo(top, item.path)) == true) {
            qCInfo(log::purge) << "skipped, holds files the repository tracks:" << item.path;
            return WalkAction::Continue;
        }
        if (stamped) {
            record(item.path, *target);
            return WalkAction::SkipDescendants;
        }
        if (!nodeModules && !top.isEmpty() && m_git.gitUsable()) {
            m_pending[top].append(Pending{item.path, *target, depth});
            return WalkAction::SkipDescendants;
        }
        qCInfo(log::purge) << "skipped, no build tool's stamp:" << item.path;
        return WalkAction::Continue;
    }

    void settlePending()
    {
        struct Batch {
            QString workTree;
            QList<Pending> folders;
            QStringList relative;
            std::optional<QSet<QString>> ignored;
        };
        QList<Batch> batches;
        const QHash<QString, QList<Pending>> pending = std::exchange(m_pending, {});
        for (auto repository = pending.cbegin(); repository != pending.cend(); ++repository) {
            Batch batch{repository.key(), *repository, {}, std::nullopt};
            for (const Pending& folder : batch.folders)
                batch.relative.append(relativeTo(batch.workTree, folder.path));
            batches.append(batch);
        }
        // One git run per repository; the runs wait mostly on process start-up, so they overlap.
        QtConcurrent::blockingMap(
            batches, [this](Batch& batch) { batch.ignored = m_git.ignoredPaths(batch.workTree, batch.relative); });
        QList<Pending> toSearch;
        for (const Batch& batch : batches) {
            for (qsizetype i = 0; i < batch.folders.size(); ++i) {
                const Pending& folder = batch.folders.at(i);
                if (batch.ignored && batch.ignored->contains(batch.relative.at(i))) {
                    record(folder.path, folder.target);
                } else {
                    qCInfo(log::purge) << "skipped, no build tool's stamp and not ignored by git:" << folder.path;
                    toSearch.append(folder);
                }
            }
        }
        for (const Pending& folder : toSearch) {
            if (folder.depth < m_maxDepth)
                walk(folder.path, folder.depth);
        }
    }

    void record(const QString& path, const QString& target)
    {
        m_recorded.insert(path);
        PurgePreviewReport::Entry entry;
        entry.id = QUuid::createUuid();
        entry.name = target;
        entry.path = path;
        entry.target = target;
        m_entries.append(entry);
    }

    static QString relativeTo(const QString& top, const QString& path)
    {
        return path.mid(top == QLatin1String("/") ? 1 : top.size() + 1);
    }

    QString m_root;
    int m_maxDepth;
    QString m_home;
    bool m_insideHiddenHomeFolder = false;
    GitRepositories m_git;
    QSet<QString> m_recorded;
    QList<PurgePreviewReport::Entry> m_entries;
    QHash<QString, QList<Pending>> m_pending; // by work tree
};

} // namespace

const QStringList& targetDirectoryNames()
{
    static const QStringList names = {
        QStringLiteral("node_modules"),  QStringLiteral("bower_components"),
        QStringLiteral("target"),        QStringLiteral("build"),
        QStringLiteral(".build"),        QStringLiteral("dist"),
        QStringLiteral("out"),           QStringLiteral(".cache"),
        QStringLiteral("venv"),          QStringLiteral(".venv"),
        QStringLiteral("env"),           QStringLiteral(".env"),
        QStringLiteral(".pytest_cache"), QStringLiteral(".mypy_cache"),
        QStringLiteral(".tox"),          QStringLiteral(".nox"),
        QStringLiteral(".ruff_cache"),   QStringLiteral(".pytype"),
        QStringLiteral(".coverage"),     QStringLiteral(".gradle"),
        QStringLiteral(".kotlin"),       QStringLiteral("__pycache__"),
        QStringLiteral(".next"),         QStringLiteral(".nuxt"),
        QStringLiteral(".output"),       QStringLiteral("vendor"),
        QStringLiteral("bin"),           QStringLiteral("obj"),
        QStringLiteral(".turbo"),        QStringLiteral(".parcel-cache"),
        QStringLiteral(".vite"),         QStringLiteral(".webpack"),
        QStringLiteral(".rollup.cache"), QStringLiteral(".dart_tool"),
        QStringLiteral("build-cache"),   QStringLiteral(".zig-cache"),
        QStringLiteral("zig-out"),       QStringLiteral(".angular"),
        QStringLiteral(".svelte-kit"),   QStringLiteral(".astro"),
        QStringLiteral("coverage"),      QStringLiteral("DerivedData"),
        QStringLiteral(".swiftpm"),      QStringLiteral("Pods"),
        QStringLiteral("Carthage"),      QStringLiteral(".cxx"),
        QStringLiteral(".expo"),         QStringLiteral(".expo-shared"),
        QStringLiteral(".serverless"),   QStringLiteral(".terraform"),
        QStringLiteral(".vscode-test"),
    };
    return names;
}

PurgePreviewReport snapshot(const QString& rootPath, int maxDepth)
{
    return snapshot(rootPath, maxDepth, QString::fromLatin1(defaultGitProgram));
}

PurgePreviewReport snapshot(const QString& rootPath, int maxDepth, const QString& gitProgram)
{
    const QString root = standardizedPath(rootPath);
    struct stat st { };
    if (root.isEmpty() || ::stat(QFile::encodeName(root).constData(), &st) != 0)
        return PurgePreviewReport(rootPath, {}, QDateTime::currentDateTime());

    TargetSearch search(root, std::max(maxDepth, 0), gitProgram);
    search.run();
    QList<PurgePreviewReport::Entry> entries = search.entries();

    // The matched folders share nothing, so they are measured side by side; the time goes into
    // file-system calls, which run in parallel well.
    QStringList folders;
    for (const auto& entry : entries)
        folders.append(entry.path);
    const QList<Summary> summaries = QtConcurrent::blockingMapped(folders, directorySummary);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i].byteCount = summaries.at(i).bytes;
        entries[i].fileCount = summaries.at(i).files;
        entries[i].directoryCount = summaries.at(i).directories;
    }
    return PurgePreviewReport(rootPath, entries, QDateTime::currentDateTime());
}

} // namespace roror::LocalPurgePreview
