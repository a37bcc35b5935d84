#include "core/engines/purge/LocalPurgePreview.h"

#include "core/support/FolderWalker.h"
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

// The project files of each ecosystem; "*" stands for any start of a name.
const QStringList kJavaScript = {QStringLiteral("package.json")};
const QStringList kPython = {QStringLiteral("pyproject.toml"), QStringLiteral("setup.py"), QStringLiteral("setup.cfg"),
                             QStringLiteral("requirements.txt"), QStringLiteral("Pipfile"), QStringLiteral("tox.ini")};
const QStringList kRust = {QStringLiteral("Cargo.toml")};
const QStringList kJvm = {QStringLiteral("pom.xml"), QStringLiteral("build.gradle"), QStringLiteral("build.gradle.kts"),
                          QStringLiteral("settings.gradle"), QStringLiteral("settings.gradle.kts"), QStringLiteral("build.sbt")};
const QStringList kGo = {QStringLiteral("go.mod")};
const QStringList kPhp = {QStringLiteral("composer.json")};
const QStringList kRuby = {QStringLiteral("Gemfile")};
const QStringList kDotNet = {QStringLiteral("*.csproj"), QStringLiteral("*.fsproj"), QStringLiteral("*.vbproj"),
                             QStringLiteral("*.sln")};
const QStringList kNative = {QStringLiteral("CMakeLists.txt"), QStringLiteral("Makefile"), QStringLiteral("meson.build")};
const QStringList kDart = {QStringLiteral("pubspec.yaml")};
const QStringList kSwift = {QStringLiteral("Package.swift")};
const QStringList kXcode = {QStringLiteral("*.xcodeproj"), QStringLiteral("*.xcworkspace")};
const QStringList kElixir = {QStringLiteral("mix.exs")};

// Target names that people also give their own folders (bin, build, vendor, env, ...). Such a folder
// is build output only beside a project file of an ecosystem that makes it; the other names are made
// by build tools alone and count by name.
const QHash<QString, QStringList>& genericTargetMarkers()
{
    static const QHash<QString, QStringList> markers = {
        {QStringLiteral("target"), kRust + kJvm},
        {QStringLiteral("build"), kJavaScript + kPython + kJvm + kNative + kDart + kXcode + kElixir},
        {QStringLiteral(".build"), kSwift},
        {QStringLiteral("dist"), kJavaScript + kPython},
        {QStringLiteral("out"), kJavaScript + kJvm + kNative},
        {QStringLiteral(".cache"), kJavaScript},
        {QStringLiteral("venv"), kPython},
        {QStringLiteral(".venv"), kPython},
        {QStringLiteral("env"), kPython},
        {QStringLiteral(".env"), kPython},
        {QStringLiteral(".output"), kJavaScript},
        {QStringLiteral("vendor"), kPhp + kGo + kRuby + kRust},
        {QStringLiteral("bin"), kDotNet},
        {QStringLiteral("obj"), kDotNet},
        {QStringLiteral("coverage"), kJavaScript + kPython + kRuby + kPhp},
        {QStringLiteral("Pods"), {QStringLiteral("Podfile")}},
        {QStringLiteral("Carthage"), {QStringLiteral("Cartfile")}},
    };
    return markers;
}

bool holdsMarker(const QString& folder, const QStringList& markers)
{
    QStringList suffixes;
    for (const QString& marker : markers) {
        if (marker.startsWith(QLatin1Char('*'))) {
            suffixes.append(marker.mid(1));
            continue;
        }
        struct stat st {};
        if (::lstat(QFile::encodeName(joinPath(folder, marker)).constData(), &st) == 0)
            return true;
    }
    if (suffixes.isEmpty())
        return false;
    bool found = false;
    WalkOptions options;
    options.maxDepth = 1;
    options.statItems = false;
    walkFolder(folder, options, [&](const WalkEntry& entry) {
        for (const QString& suffix : suffixes)
            found = found || (entry.name.size() > suffix.size() && entry.name.endsWith(suffix));
        return found ? WalkAction::Stop : WalkAction::SkipDescendants;
    });
    return found;
}

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
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

    const QString home = standardizedPath(QDir::homePath());
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
        const QString parent = parentOf(item.path);
        // The home's own folders (~/bin, ~/.cache, ~/go) hold the user's tools and data, never a
        // project's build output; they are neither listed nor searched.
        if (parent == home)
            return WalkAction::SkipDescendants;
        const auto generic = genericTargetMarkers().constFind(*target);
        if (generic != genericTargetMarkers().constEnd() && !holdsMarker(parent, *generic))
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
