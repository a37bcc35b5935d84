#include "core/engines/analysis/LocalAnalysis.h"

#include "core/support/FolderWalker.h"
#include "core/support/StandardPath.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>

using roror::AnalysisReport;
namespace LocalAnalysis = roror::LocalAnalysis;

namespace {

constexpr qint64 GB = 1000LL * 1000 * 1000;

// A file of `size` logical bytes; large ones stay sparse, so gigabytes cost nothing.
QString makeFile(const QString& path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_TRUE(file.resize(size));
    return path;
}

QString makeFolder(const QString& path)
{
    QDir().mkpath(path);
    return path;
}

QStringList names(const QList<AnalysisReport::Entry>& entries)
{
    QStringList result;
    for (const auto& entry : entries)
        result.append(entry.name.value_or(QStringLiteral("<none>")));
    return result;
}

const AnalysisReport::Entry* findEntry(const QList<AnalysisReport::Entry>& entries, const QString& name)
{
    for (const auto& entry : entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

bool anyPathContains(const QList<AnalysisReport::Entry>& entries, const QString& piece)
{
    return std::any_of(entries.begin(), entries.end(),
                       [&](const AnalysisReport::Entry& e) { return e.path.value_or(QString()).contains(piece); });
}

// A plain single-threaded transcription of the walk on the shared depth-first walker: the listing
// seeds the top-level records, bundles are summed separately, every other regular file is a large-
// file candidate in walk order, and both lists are sorted stably and cut. Equal-sized top-level
// entries keep the listing order.
AnalysisReport referenceWalk(const QString& rootPath)
{
    AnalysisReport report;
    report.path = rootPath;
    report.overview = false;
    report.totalSize = 0;
    report.totalFiles = 0;
    const QString root = roror::standardizedPath(rootPath);
    if (!QFileInfo::exists(root))
        return report;

    QSet<QString> protectedPaths;
    const QString home = roror::standardizedPath(QDir::homePath());
    if (root == home) {
        for (const char* relative : {"Desktop", "Documents", "Downloads", "Library/Mobile Documents"})
            protectedPaths.insert(home + QLatin1Char('/') + QString::fromUtf8(relative));
    }

    QList<AnalysisReport::Entry> records;
    QHash<QString, qsizetype> recordIndex;
    QList<AnalysisReport::Entry> large;
    qint64 totalSize = 0;
    qint64 totalFiles = 0;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');

    auto addToTopLevel = [&](const QString& path, qint64 bytes) {
        if (!path.startsWith(prefix))
            return;
        const QString first = path.mid(prefix.size()).section(QLatin1Char('/'), 0, 0);
        const auto it = recordIndex.find(prefix + first);
        if (it != recordIndex.end())
            records[*it].size = *records[*it].size + bytes;
    };

    roror::WalkOptions options;
    options.skipHidden = true;
    roror::walkFolder(root, options, [&](const roror::WalkEntry& item) {
        if (protectedPaths.contains(item.path))
            return roror::WalkAction::SkipDescendants;
        if (item.depth == 1) {
            recordIndex.insert(item.path, records.size());
            records.append({item.name, item.path, 0, item.info.isDirectory});
        }
        const QString extension = roror::pathExtension(item.name).toLower();
        if (item.info.isDirectory
            && (extension == QLatin1String("app") || extension == QLatin1String("framework")
                || extension == QLatin1String("xcarchive"))) {
            qint64 bytes = 0;
            qint64 files = 0;
            roror::WalkOptions inside;
            inside.skipHidden = true;
            roror::walkFolder(item.path, inside, [&](const roror::WalkEntry& inner) {
                if (inner.info.isRegularFile) {
                    bytes += inner.info.logicalSize;
                    ++files;
                }
                return roror::WalkAction::Continue;
            });
            totalSize += bytes;
            totalFiles += files;
            addToTopLevel(item.path, bytes);
            return roror::WalkAction::SkipDescendants;
        }
        if (item.info.isRegularFile) {
            totalSize += item.info.logicalSize;
            ++totalFiles;
            addToTopLevel(item.path, item.info.logicalSize);
            large.append({item.name, item.path, item.info.logicalSize, false});
        }
        return roror::WalkAction::Continue;
    });

    const auto bySize = [](const AnalysisReport::Entry& a, const AnalysisReport::Entry& b) {
        return a.size.value_or(0) > b.size.value_or(0);
    };
    std::stable_sort(records.begin(), records.end(), bySize);
    std::stable_sort(large.begin(), large.end(), bySize);
    report.entries = records.mid(0, LocalAnalysis::listLimit);
    report.largeFiles = large.mid(0, LocalAnalysis::listLimit);
    report.totalSize = totalSize;
    report.totalFiles = totalFiles;
    return report;
}

class LocalAnalysisTest : public ::testing::Test {
protected:
    roror::test::TestEnv env;
};

TEST_F(LocalAnalysisTest, LargestChildrenComeFirstAndCountInTheTotals)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    makeFile(root + QStringLiteral("/Logs/system.log"), 1 * GB);
    makeFile(root + QStringLiteral("/Caches/a/blob"), 2 * GB);
    makeFile(root + QStringLiteral("/Caches/b.bin"), 1 * GB);
    makeFile(root + QStringLiteral("/note.txt"), 10);

    const AnalysisReport report = LocalAnalysis::snapshot(root);

    ASSERT_EQ(report.entries.size(), 3);
    EXPECT_EQ(names(report.entries), (QStringList{"Caches", "Logs", "note.txt"}));
    EXPECT_EQ(report.entries[0].size, 3 * GB);
    EXPECT_EQ(report.entries[0].isDirectory, true);
    EXPECT_EQ(report.entries[0].path, root + QStringLiteral("/Caches"));
    EXPECT_EQ(report.entries[1].size, 1 * GB);
    EXPECT_EQ(report.entries[1].isDirectory, true);
    EXPECT_EQ(report.entries[2].isDirectory, false);
    EXPECT_EQ(report.totalSize, 4 * GB + 10);
    EXPECT_EQ(report.totalFiles, 4);
    EXPECT_EQ(report.overview, false);
    EXPECT_EQ(report.path, root);
    ASSERT_EQ(report.largeFiles.size(), 4);
    EXPECT_EQ(report.largeFiles[0].path, root + QStringLiteral("/Caches/a/blob"));
    EXPECT_EQ(report.largeFiles[0].name, QStringLiteral("blob"));
    EXPECT_EQ(report.largeFiles[0].isDirectory, false);
    EXPECT_EQ(report.largeFiles[3].name, QStringLiteral("note.txt"));
}

TEST_F(LocalAnalysisTest, HomeRootLeavesOutThePersonalFolders)
{
    const QString home = env.home();
    makeFile(home + QStringLiteral("/Desktop/shot.png"), 900);
    makeFile(home + QStringLiteral("/Documents/report.pdf"), 800);
    makeFile(home + QStringLiteral("/Downloads/setup.bin"), 700);
    makeFile(home + QStringLiteral("/Library/Mobile Documents/cloud.doc"), 600);
    makeFile(home + QStringLiteral("/Library/Caches/cache.db"), 50);
    makeFile(home + QStringLiteral("/Music/song.mp3"), 20);

    // The trailing slash and a ".." detour still name the home folder.
    for (const QString& rootPath : {home, home + QStringLiteral("/"), home + QStringLiteral("/Music/..")}) {
        SCOPED_TRACE(rootPath.toStdString());
        const AnalysisReport report = LocalAnalysis::snapshot(rootPath);
        EXPECT_EQ(report.path, rootPath);
        QStringList listed = names(report.entries);
        listed.sort();
        EXPECT_EQ(listed, (QStringList{"Library", "Music"}));
        EXPECT_EQ(findEntry(report.entries, QStringLiteral("Library"))->size, 50);
        EXPECT_EQ(findEntry(report.entries, QStringLiteral("Library"))->path, home + QStringLiteral("/Library"));
        EXPECT_EQ(report.totalSize, 70);
        EXPECT_EQ(report.totalFiles, 2);
        EXPECT_EQ(names(report.largeFiles), (QStringList{"cache.db", "song.mp3"}));
    }
}

TEST_F(LocalAnalysisTest, LibraryRootWalksMobileDocuments)
{
    const QString library = env.home() + QStringLiteral("/Library");
    makeFile(library + QStringLiteral("/Mobile Documents/cloud.doc"), 600);
    makeFile(library + QStringLiteral("/Caches/cache.db"), 50);

    const AnalysisReport report = LocalAnalysis::snapshot(library);

    EXPECT_EQ(names(report.entries), (QStringList{"Mobile Documents", "Caches"}));
    EXPECT_EQ(report.entries[0].size, 600);
    EXPECT_EQ(report.totalSize, 650);
    EXPECT_EQ(names(report.largeFiles), (QStringList{"cloud.doc", "cache.db"}));
}

TEST_F(LocalAnalysisTest, BundlesCountAsUnitsAndOtherPackagesAreWalked)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    makeFile(root + QStringLiteral("/Tool.APP/Contents/MacOS/tool"), 5000);
    makeFile(root + QStringLiteral("/Tool.APP/Contents/Resources/big.dat"), 9000);
    makeFile(root + QStringLiteral("/Tool.APP/Contents/Frameworks/Inner.framework/lib"), 100);
    makeFile(root + QStringLiteral("/Tool.APP/Contents/.hidden-cache"), 7777);
    makeFile(root + QStringLiteral("/Apps/Deep.xcarchive/Products/app.bin"), 4000);
    makeFile(root + QStringLiteral("/Apps/readme.txt"), 1);
    makeFile(root + QStringLiteral("/Pictures.photoslibrary/originals/img.heic"), 3000);
    makeFile(root + QStringLiteral("/small.txt"), 2);

    const AnalysisReport report = LocalAnalysis::snapshot(root);

    const auto* tool = findEntry(report.entries, QStringLiteral("Tool.APP"));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->size, 14100);
    EXPECT_EQ(tool->isDirectory, true);
    EXPECT_EQ(findEntry(report.entries, QStringLiteral("Apps"))->size, 4001);
    EXPECT_EQ(findEntry(report.entries, QStringLiteral("Pictures.photoslibrary"))->size, 3000);
    EXPECT_EQ(report.totalSize, 14100 + 4001 + 3000 + 2);
    EXPECT_EQ(report.totalFiles, 3 + 2 + 1 + 1);
    EXPECT_EQ(names(report.largeFiles), (QStringList{"img.heic", "small.txt", "readme.txt"}));
    EXPECT_FALSE(anyPathContains(report.largeFiles, QStringLiteral(".APP")));
    EXPECT_FALSE(anyPathContains(report.largeFiles, QStringLiteral(".xcarchive")));
}

TEST_F(LocalAnalysisTest, HiddenItemsCountNowhere)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    makeFile(root + QStringLiteral("/.secret"), 5000);
    makeFile(root + QStringLiteral("/.git/objects/pack.bin"), 9000);
    makeFile(root + QStringLiteral("/Work/.DS_Store"), 6000);
    makeFile(root + QStringLiteral("/Work/.cache/blob"), 6000);
    makeFile(root + QStringLiteral("/Work/visible.txt"), 10);

    const AnalysisReport report = LocalAnalysis::snapshot(root);

    EXPECT_EQ(names(report.entries), QStringList{"Work"});
    EXPECT_EQ(report.entries[0].size, 10);
    EXPECT_EQ(report.totalSize, 10);
    EXPECT_EQ(report.totalFiles, 1);
    EXPECT_EQ(names(report.largeFiles), QStringList{"visible.txt"});
}

TEST_F(LocalAnalysisTest, LinksAddNothingAndEmptyFoldersStayListed)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    const QString elsewhere = makeFolder(env.outside() + QStringLiteral("/elsewhere"));
    makeFile(elsewhere + QStringLiteral("/huge.bin"), 5 * GB);
    makeFolder(root + QStringLiteral("/Empty"));
    makeFile(root + QStringLiteral("/Data/file"), 3);
    ASSERT_TRUE(QFile::link(elsewhere, root + QStringLiteral("/Data/folder-link")));
    ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral("/huge.bin"), root + QStringLiteral("/file-link")));

    const AnalysisReport report = LocalAnalysis::snapshot(root);

    const auto* empty = findEntry(report.entries, QStringLiteral("Empty"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->size, 0);
    EXPECT_EQ(empty->isDirectory, true);
    const auto* link = findEntry(report.entries, QStringLiteral("file-link"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->size, 0);
    EXPECT_EQ(link->isDirectory, false);
    EXPECT_EQ(report.totalSize, 3);
    EXPECT_EQ(report.totalFiles, 1);
    EXPECT_EQ(names(report.largeFiles), QStringList{"file"});
}

TEST_F(LocalAnalysisTest, ListsStopAtEighty)
{
    struct Case {
        int children;
        int expected;
    };
    for (const Case& c : {Case{79, 79}, Case{80, 80}, Case{81, 80}, Case{120, 80}}) {
        SCOPED_TRACE(c.children);
        QTemporaryDir dir(env.outside() + QStringLiteral("/limits-XXXXXX"));
        // Each child is one file of a distinct size, so the smallest are the ones cut.
        for (int i = 0; i < c.children; ++i)
            makeFile(dir.path() + QStringLiteral("/f%1").arg(i), 100 + i);

        const AnalysisReport report = LocalAnalysis::snapshot(dir.path());

        ASSERT_EQ(report.entries.size(), c.expected);
        ASSERT_EQ(report.largeFiles.size(), c.expected);
        EXPECT_EQ(report.totalFiles, c.children);
        EXPECT_EQ(report.entries.first().size, 100 + c.children - 1);
        EXPECT_EQ(report.entries.last().size, 100 + c.children - c.expected);
        EXPECT_EQ(report.largeFiles.last().size, 100 + c.children - c.expected);
    }
}

TEST_F(LocalAnalysisTest, DottedRootsAreWalkedWhereTheyPoint)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    makeFolder(env.outside() + QStringLiteral("/other"));
    makeFile(root + QStringLiteral("/Sub/file"), 42);

    for (const QString& rootPath : {root + QStringLiteral("/"), env.outside() + QStringLiteral("/other/../root"),
                                    root + QStringLiteral("/./Sub/..//")}) {
        SCOPED_TRACE(rootPath.toStdString());
        const AnalysisReport report = LocalAnalysis::snapshot(rootPath);
        EXPECT_EQ(report.path, rootPath);
        ASSERT_EQ(report.entries.size(), 1);
        EXPECT_EQ(report.entries[0].path, root + QStringLiteral("/Sub"));
        ASSERT_EQ(report.largeFiles.size(), 1);
        EXPECT_EQ(report.largeFiles[0].path, root + QStringLiteral("/Sub/file"));
        EXPECT_EQ(report.totalSize, 42);
    }
}

TEST_F(LocalAnalysisTest, MissingRootGivesTheEmptyReport)
{
    const QString missing = env.outside() + QStringLiteral("/nothing/here/");
    const AnalysisReport report = LocalAnalysis::snapshot(missing);

    AnalysisReport expected;
    expected.path = missing;
    expected.overview = false;
    expected.totalSize = 0;
    expected.totalFiles = 0;
    EXPECT_EQ(report, expected);
    EXPECT_TRUE(report.totalSize.has_value());
    EXPECT_TRUE(report.totalFiles.has_value());
}

TEST_F(LocalAnalysisTest, UnreadableFolderIsPassedOver)
{
    if (roror::test::ranUnprivileged())
        return;
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    makeFile(root + QStringLiteral("/Locked/inside"), 500);
    makeFile(root + QStringLiteral("/Open/file"), 5);
    QFile::setPermissions(root + QStringLiteral("/Locked"), QFileDevice::Permissions());

    const AnalysisReport report = LocalAnalysis::snapshot(root);
    QFile::setPermissions(root + QStringLiteral("/Locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    EXPECT_EQ(findEntry(report.entries, QStringLiteral("Locked"))->size, 0);
    EXPECT_EQ(report.totalSize, 5);
}

// A tree shaped like a real home: several levels, many folders, few distinct sizes (so equal sizes
// decide the cut of the large-file list), bundles at several depths, hidden items and links.
void generateTree(const QString& root, int topLevel, int depth, int fanOut, int filesPerFolder)
{
    int counter = 0;
    std::function<void(const QString&, int)> fill = [&](const QString& folder, int level) {
        QDir().mkpath(folder);
        for (int f = 0; f < filesPerFolder; ++f) {
            ++counter;
            makeFile(folder + QStringLiteral("/file-%1.dat").arg(counter), (counter * 37 % 11) * 64);
        }
        if (counter % 7 == 0)
            makeFile(folder + QStringLiteral("/.hidden-%1").arg(counter), 999999);
        if (counter % 5 == 0) {
            makeFile(folder + QStringLiteral("/Helper%1.app/Contents/bin").arg(counter), 640);
            makeFile(folder + QStringLiteral("/Helper%1.app/Contents/Sub.framework/lib").arg(counter), 999999);
        }
        if (counter % 9 == 0)
            QFile::link(folder, folder + QStringLiteral("/loop-%1").arg(counter));
        if (level == depth)
            return;
        for (int s = 0; s < fanOut; ++s)
            fill(folder + QStringLiteral("/d%1").arg(s), level + 1);
    };
    for (int t = 0; t < topLevel; ++t)
        fill(root + QStringLiteral("/top%1").arg(t), 1);
    makeFolder(root + QStringLiteral("/empty"));
    makeFile(root + QStringLiteral("/Loose.APP/Contents/x"), 10);
    makeFile(root + QStringLiteral("/loose-file"), 640);
}

TEST_F(LocalAnalysisTest, ParallelWalkGivesTheSameReportAsASequentialWalk)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/tree"));
    generateTree(root, 6, 4, 3, 12); // 6 * 40 = 240 folders, about 2,900 files

    const AnalysisReport reference = referenceWalk(root);
    ASSERT_GT(*reference.totalFiles, 2500);
    ASSERT_EQ(reference.largeFiles.size(), LocalAnalysis::listLimit);
    // The cut falls inside a run of equal sizes, so the walk order decides which files stay.
    EXPECT_EQ(reference.largeFiles.first().size, reference.largeFiles.last().size);

    const AnalysisReport sequential = LocalAnalysis::snapshot(root, 1);
    EXPECT_EQ(sequential, reference);
    for (int workers : {2, 3, 8, 32}) {
        for (int run = 0; run < 3; ++run) {
            SCOPED_TRACE(workers);
            EXPECT_EQ(LocalAnalysis::snapshot(root, workers), sequential);
        }
    }
    EXPECT_EQ(LocalAnalysis::snapshot(root), sequential);
}

TEST_F(LocalAnalysisTest, ParallelWalkOfTheHomeFolderMatchesTheSequentialWalk)
{
    const QString home = env.home();
    generateTree(home + QStringLiteral("/Library"), 3, 3, 3, 5);
    generateTree(home + QStringLiteral("/Documents"), 2, 2, 2, 5);
    generateTree(home + QStringLiteral("/Library/Mobile Documents"), 1, 2, 2, 5);
    generateTree(home + QStringLiteral("/Projects"), 2, 3, 2, 5);

    const AnalysisReport reference = referenceWalk(home);
    EXPECT_FALSE(anyPathContains(reference.largeFiles, QStringLiteral("/Documents/")));
    EXPECT_EQ(LocalAnalysis::snapshot(home, 1), reference);
    EXPECT_EQ(LocalAnalysis::snapshot(home, 8), reference);
}

TEST_F(LocalAnalysisTest, HardLinksCountOnceForEveryName)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/root"));
    const QString original = makeFile(root + QStringLiteral("/A/data.bin"), 5000);
    makeFolder(root + QStringLiteral("/B"));
    ASSERT_EQ(::link(QFile::encodeName(original).constData(),
                     QFile::encodeName(root + QStringLiteral("/B/same.bin")).constData()),
              0);

    const AnalysisReport report = LocalAnalysis::snapshot(root, 4);

    EXPECT_EQ(report, referenceWalk(root));
    EXPECT_EQ(report.totalFiles, 2);
    EXPECT_EQ(report.totalSize, 10000);
    EXPECT_EQ(findEntry(report.entries, QStringLiteral("A"))->size, 5000);
    EXPECT_EQ(findEntry(report.entries, QStringLiteral("B"))->size, 5000);
    QStringList listed = names(report.largeFiles);
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"data.bin", "same.bin"}));
}

constexpr int kNestedLevels = 700;
const char* const kNestedName = "nested-folder";

// A chain of folders whose paths pass the longest path the kernel takes whole, with a side folder
// on every level holding one file of `level * 10` bytes, and a file at the bottom. Made one level
// at a time through open folders.
bool makeNestedTree(const QString& top)
{
    int fd = ::open(QFile::encodeName(top).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 1; level <= kNestedLevels && fd >= 0; ++level) {
        int next = -1;
        if (::mkdirat(fd, kNestedName, 0700) == 0 && ::mkdirat(fd, "side", 0700) == 0)
            next = ::openat(fd, kNestedName, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int side = ::openat(fd, "side", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int file = side < 0 ? -1 : ::openat(side, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const bool written = file >= 0 && ::ftruncate(file, level * 10) == 0;
        for (int open : {file, side, fd}) {
            if (open >= 0)
                ::close(open);
        }
        fd = written ? next : -1;
    }
    if (fd < 0)
        return false;
    const int bottom = ::openat(fd, "bottom.bin", O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    const bool written = bottom >= 0 && ::ftruncate(bottom, 1000000) == 0;
    if (bottom >= 0)
        ::close(bottom);
    ::close(fd);
    return written;
}

// Removes a tree of any depth through open folders, one per level, without paths or recursion.
void removeTree(const QString& top)
{
    struct Level {
        int fd;
        std::string name;
    };
    constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    std::vector<Level> levels{{::open(QFile::encodeName(top).constData(), folderFlags), {}}};
    while (!levels.empty() && levels.back().fd >= 0) {
        const int fd = levels.back().fd;
        std::string folder;
        if (DIR* dir = ::fdopendir(::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name == "." || name == "..")
                    continue;
                if (entry->d_type == DT_DIR) {
                    folder = name;
                    break;
                }
                ::unlinkat(fd, name.c_str(), 0);
            }
            ::closedir(dir);
        }
        if (!folder.empty()) {
            levels.push_back({::openat(fd, folder.c_str(), folderFlags), folder});
            continue;
        }
        const Level done = levels.back();
        levels.pop_back();
        ::close(done.fd);
        if (levels.empty())
            ::rmdir(QFile::encodeName(top).constData());
        else
            ::unlinkat(levels.back().fd, done.name.c_str(), AT_REMOVEDIR);
    }
    for (const Level& level : levels) {
        if (level.fd >= 0)
            ::close(level.fd);
    }
}

// Sets the soft limit of open files for one test and restores it afterwards.
class OpenFileLimit {
public:
    explicit OpenFileLimit(rlim_t soft)
    {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = std::min(soft, m_saved.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved{};
};

// Folders with thousands of files, in the root itself, below it and inside a bundle, with
// subfolders met between the files: their files are counted on several threads, and the report
// is the same however many there are, also when few descriptors may stay open.
TEST_F(LocalAnalysisTest, FoldersOfManyFilesGiveTheSameReportOnAnyNumberOfThreads)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/many"));
    const auto fill = [](const QString& folder, int files, int firstSize) {
        for (int f = 0; f < files; ++f) {
            makeFile(folder + QStringLiteral("/f%1.dat").arg(f), (firstSize + f * 37 % 11) * 64);
            if (f % 500 == 250)
                makeFile(folder + QStringLiteral("/between-%1/inside.dat").arg(f), 64);
        }
        makeFile(folder + QStringLiteral("/.hidden"), 999999);
        QFile::link(folder + QStringLiteral("/f0.dat"), folder + QStringLiteral("/link.dat"));
    };
    fill(root, 1500, 0);
    fill(root + QStringLiteral("/big"), 3000, 2);
    fill(root + QStringLiteral("/big/deeper"), 700, 1);
    fill(root + QStringLiteral("/Big.app/Contents"), 600, 50);
    // A chain whose levels stay open while their side folders wait, so with few descriptors
    // allowed some levels count all their files themselves.
    QString level = root + QStringLiteral("/chain");
    for (int depth = 0; depth < 12; ++depth) {
        fill(level, 600, depth % 3);
        level += QStringLiteral("/next");
    }

    const AnalysisReport reference = referenceWalk(root);
    ASSERT_EQ(reference.totalFiles, 1500 + 3000 + 700 + 600 + 12 * 600 + (3 + 6 + 1 + 1 + 12)); // one per subfolder
    ASSERT_EQ(reference.largeFiles.size(), LocalAnalysis::listLimit);
    EXPECT_EQ(reference.largeFiles.first().size, reference.largeFiles.last().size);

    for (rlim_t openFiles : {rlim_t(0), rlim_t(32)}) {
        std::optional<OpenFileLimit> limit;
        if (openFiles > 0)
            limit.emplace(openFiles);
        for (int workers : {1, 2, 3, 8}) {
            SCOPED_TRACE(testing::Message() << workers << " threads, open files " << openFiles);
            EXPECT_EQ(LocalAnalysis::snapshot(root, workers), reference);
        }
    }
}

// Every level is counted however long its path grows, and with a small limit of open files: the
// side folders wait on every level while the walk goes down, more of them than it keeps open.
TEST_F(LocalAnalysisTest, TreesNestedPastTheLongestPathAreWalkedWhole)
{
    const QString root = makeFolder(env.outside() + QStringLiteral("/deep"));
    ASSERT_TRUE(makeNestedTree(root));

    AnalysisReport sequential;
    QList<AnalysisReport> parallel;
    {
        OpenFileLimit limit(64);
        sequential = LocalAnalysis::snapshot(root, 1);
        for (int workers : {2, 8})
            parallel.append(LocalAnalysis::snapshot(root, workers));
    }
    removeTree(root);
    EXPECT_FALSE(QFileInfo::exists(root));

    QString bottom = root;
    for (int level = 1; level <= kNestedLevels; ++level)
        bottom += QLatin1Char('/') + QString::fromLatin1(kNestedName);
    ASSERT_GT(bottom.size(), PATH_MAX);
    EXPECT_EQ(sequential.totalFiles, kNestedLevels + 1);
    EXPECT_EQ(sequential.totalSize, 10LL * kNestedLevels * (kNestedLevels + 1) / 2 + 1000000);
    EXPECT_EQ(names(sequential.entries), (QStringList{kNestedName, "side"}));
    EXPECT_EQ(sequential.entries[0].size, *sequential.totalSize - 10);
    ASSERT_EQ(sequential.largeFiles.size(), LocalAnalysis::listLimit);
    EXPECT_EQ(sequential.largeFiles[0].path, bottom + QStringLiteral("/bottom.bin"));
    const QString lastSide = bottom.chopped(int(std::strlen(kNestedName)) + 1) + QStringLiteral("/side/f");
    EXPECT_EQ(sequential.largeFiles[1].path, lastSide);
    EXPECT_EQ(sequential.largeFiles[1].size, 10 * kNestedLevels);
    EXPECT_EQ(sequential.largeFiles.last().size, 10 * (kNestedLevels - LocalAnalysis::listLimit + 2));
    for (const AnalysisReport& report : parallel)
        EXPECT_EQ(report, sequential);
}

} // namespace
