#include "core/engines/purge/LocalPurgePreview.h"
#include "core/engines/purge/PurgePreviewService.h"
#include "core/model/FolderAccessError.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/FileInfo.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcessEnvironment>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

// Relative path (below the root) -> entry, for the entries of a report.
QMap<QString, PurgePreviewReport::Entry> byPath(const PurgePreviewReport& report, const QString& root)
{
    QMap<QString, PurgePreviewReport::Entry> result;
    for (const auto& e : report.entries())
        result.insert(e.path.mid(root.size() + 1), e);
    return result;
}

class PurgeScan : public ::testing::Test {
protected:
    TestEnv env;
    QString root = env.makeDir(QStringLiteral("Projects"));

    QString file(const QString& relative, const QByteArray& content = "x")
    {
        return env.writeFile(root + QLatin1Char('/') + relative, content);
    }
    QString dir(const QString& relative) { return env.makeDir(root + QLatin1Char('/') + relative); }
    QMap<QString, PurgePreviewReport::Entry> scan(int depth = 6)
    {
        return byPath(LocalPurgePreview::snapshot(root, depth), root);
    }
};

} // namespace

TEST_F(PurgeScan, TargetListHasTheFiftyOneNames)
{
    const QStringList& names = LocalPurgePreview::targetDirectoryNames();
    EXPECT_EQ(names.size(), 51);
    EXPECT_EQ(names.first(), QStringLiteral("node_modules"));
    EXPECT_EQ(names.last(), QStringLiteral(".vscode-test"));
    EXPECT_EQ(QSet<QString>(names.cbegin(), names.cend()).size(), 51);
}

TEST_F(PurgeScan, FindsTargetsByExactNameAndSuffix)
{
    struct Case {
        QString folder;
        bool reported;
        QString target;
    };
    const QList<Case> cases = {
        {"web/node_modules", true, "node_modules"},
        {"py/.venv", true, ".venv"},
        {"py/__pycache__", true, "__pycache__"},
        {"site/.next", true, ".next"},
        {"ios/DerivedData", true, "DerivedData"},
        {"ide/.idea/system", true, ".idea/system"},
        {"ide/.idea", false, ""},
        {"ide/.idea/other", false, ""},
        {"ide/system", false, ""},
        {"caps/Node_Modules", false, ""},
        {"caps/BUILD", false, ""},
        {"caps/derivedData", false, ""},
        {"plain/src", false, ""},
    };
    for (const Case& c : cases)
        file(c.folder + "/content.txt");
    file("web/package.json");
    file("py/.venv/pyvenv.cfg"); // .venv is also a name people give their own folders
    file("files/build");         // a file named like a target is not a folder
    file("files/node_modules");

    const auto found = scan();
    for (const Case& c : cases) {
        EXPECT_EQ(found.contains(c.folder), c.reported) << c.folder.toStdString();
        if (c.reported) {
            EXPECT_EQ(found.value(c.folder).target, c.target);
            EXPECT_EQ(found.value(c.folder).name, c.target);
        }
    }
    EXPECT_EQ(found.size(), 6);
}

TEST_F(PurgeScan, DepthSixIsMatchedAndSevenIsNot)
{
    dir("a/b/c/d/e/build");      // depth 6
    dir("a/b/c/d/e/f/build");    // depth 7, below a folder at depth 6 that is not a target
    dir("a/b/c/d/e/f/g/target"); // depth 8
    dir("x/node_modules");
    // Each build folder carries its tool's stamp, so only the depth decides.
    file("a/b/c/d/e/build/CMakeCache.txt");
    file("a/b/c/d/e/f/build/CMakeCache.txt");
    file("a/b/c/d/e/f/g/target/CACHEDIR.TAG");
    file("x/package.json");
    const auto found = scan();
    EXPECT_TRUE(found.contains("a/b/c/d/e/build"));
    EXPECT_FALSE(found.contains("a/b/c/d/e/f/build"));
    EXPECT_EQ(found.size(), 2);

    EXPECT_EQ(scan(2).keys(), QStringList{"x/node_modules"});
    EXPECT_TRUE(scan(0).isEmpty());
}

TEST_F(PurgeScan, NestedTargetsAreReportedOnceAndMeasuredWithTheOuter)
{
    file("app/node_modules/left/index.js", QByteArray(5000, 'a'));
    file("app/node_modules/pkg/node_modules/dep/index.js", QByteArray(7000, 'b'));
    file("app/node_modules/pkg/build/out.o", "o");
    file("app/node_modules/.bin/tool", "t");
    file("app/package.json");
    const auto found = scan();
    ASSERT_EQ(found.keys(), QStringList{"app/node_modules"});
    const auto& outer = found.value("app/node_modules");
    EXPECT_EQ(outer.fileCount, 4);
    // left, pkg, pkg/node_modules, dep, pkg/build, .bin
    EXPECT_EQ(outer.directoryCount, 6);
    const qint64 expected = sizeOnDisk(root + "/app/node_modules/left/index.js")
        + sizeOnDisk(root + "/app/node_modules/pkg/node_modules/dep/index.js")
        + sizeOnDisk(root + "/app/node_modules/pkg/build/out.o") + sizeOnDisk(root + "/app/node_modules/.bin/tool");
    EXPECT_EQ(outer.byteCount, expected);
    EXPECT_EQ(outer.detailText(), QStringLiteral("4 files / 6 folders"));
}

TEST_F(PurgeScan, LinksAreNeitherEnteredNorCounted)
{
    const QString elsewhere = env.outside() + QStringLiteral("/elsewhere");
    env.writeFile(elsewhere + "/node_modules/big.js", QByteArray(50000, 'z'));
    env.writeFile(elsewhere + "/payload.bin", QByteArray(80000, 'z'));
    dir("proj");
    ASSERT_TRUE(QFile::link(elsewhere, root + "/proj/linked"));
    ASSERT_TRUE(QFile::link(elsewhere + "/node_modules", root + "/proj/node_modules"));
    file("other/target/real.o", "o");
    file("other/target/CACHEDIR.TAG", "");
    ASSERT_TRUE(QFile::link(elsewhere, root + "/other/target/link-out"));
    ASSERT_TRUE(QFile::link(elsewhere + "/payload.bin", root + "/other/target/payload-link"));

    const auto found = scan();
    ASSERT_EQ(found.keys(), QStringList{"other/target"});
    EXPECT_EQ(found.value("other/target").fileCount, 2);
    EXPECT_EQ(found.value("other/target").directoryCount, 0);
    EXPECT_EQ(found.value("other/target").byteCount,
              sizeOnDisk(root + "/other/target/real.o") + sizeOnDisk(root + "/other/target/CACHEDIR.TAG"));
}

TEST_F(PurgeScan, PackagesInsideATargetCountAsOneFolder)
{
    file("mac/build/Debug/App.app/Contents/MacOS/App", QByteArray(90000, 'x'));
    file("mac/build/Debug/log.txt", "l");
    dir("mac/build/XCBuildData");
    dir("mac/App.xcodeproj");
    const auto found = scan();
    ASSERT_TRUE(found.contains("mac/build"));
    EXPECT_EQ(found.value("mac/build").fileCount, 1);
    EXPECT_EQ(found.value("mac/build").directoryCount, 3); // Debug, App.app and XCBuildData
}

TEST_F(PurgeScan, MeasuringStopsAtTheItemLimit)
{
    file("huge/package.json");
    const QString big = dir("huge/node_modules");
    // Hard links to one small file: 60,000 regular files without 60,000 allocations.
    const QByteArray original = QFile::encodeName(file("huge/node_modules/f0", "x"));
    const QByteArray folder = QFile::encodeName(big);
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(dirFd, 0);
    for (int i = 1; i < 60000; ++i)
        ASSERT_EQ(
            ::linkat(AT_FDCWD, original.constData(), dirFd, QByteArray("f" + QByteArray::number(i)).constData(), 0), 0);
    ::close(dirFd);
    dir("huge/node_modules/sub");

    const auto found = scan();
    const auto& entry = found.value("huge/node_modules");
    EXPECT_EQ(*entry.fileCount + *entry.directoryCount, LocalPurgePreview::summaryItemLimit);
    EXPECT_EQ(entry.byteCount, static_cast<qint64>(*entry.fileCount) * sizeOnDisk(big + "/f0"));
}

TEST_F(PurgeScan, EqualSizesAreOrderedByPathWithNumbersByValue)
{
    dir("app10/node_modules");
    dir("app2/node_modules");
    file("app1/node_modules/bundle.js", QByteArray(20000, 'x'));
    for (const char* project : {"app10", "app2", "app1"})
        file(QString::fromUtf8(project) + "/package.json");
    const auto report = LocalPurgePreview::snapshot(root, 6);
    QStringList order;
    for (const auto& e : report.entries())
        order.append(e.path.mid(root.size() + 1));
    EXPECT_EQ(order, (QStringList{"app1/node_modules", "app2/node_modules", "app10/node_modules"}));
    EXPECT_EQ(report.totalBytes(), report.entries().at(0).byteCount);
}

TEST_F(PurgeScan, RootIsKeptAsPassedAndEntriesAreStandardized)
{
    dir("web/node_modules");
    file("web/package.json");
    const QString written = env.home() + QStringLiteral("/./Projects/../Projects/");
    const auto report = LocalPurgePreview::snapshot(written, 6);
    EXPECT_EQ(report.rootPath(), written);
    ASSERT_EQ(report.entries().size(), 1);
    EXPECT_EQ(report.entries().at(0).path, root + "/web/node_modules");

    const QString missing = env.outside() + QStringLiteral("/does-not-exist");
    const auto none = LocalPurgePreview::snapshot(missing, 6);
    EXPECT_EQ(none.rootPath(), missing);
    EXPECT_TRUE(none.entries().isEmpty());
    EXPECT_EQ(none.totalBytes(), 0);
    EXPECT_EQ(none.totalSizeText(), formatByteCount(0));
}

TEST_F(PurgeScan, ServiceReportsProgressOnceThenScansAtDepthSix)
{
    dir("a/b/c/d/e/build");
    dir("a/b/c/d/e/f/build");
    file("a/b/c/d/e/build/CMakeCache.txt");
    file("a/b/c/d/e/f/build/CMakeCache.txt");
    QStringList progress;
    QThread* progressThread = nullptr;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/nowhere"));
    auto future = PurgePreviewService::snapshot(root, environment, [&](const QString& text) {
        progress.append(text);
        progressThread = QThread::currentThread();
    });
    EXPECT_EQ(progress, QStringList{root}); // before the walk, on the calling thread
    EXPECT_EQ(progressThread, QThread::currentThread());
    const PurgePreviewReport report = future.result();
    ASSERT_EQ(report.entries().size(), 1);
    EXPECT_EQ(report.entries().at(0).path, root + "/a/b/c/d/e/build");
    EXPECT_EQ(progress.size(), 1);
    EXPECT_EQ(PurgePreviewService::snapshot(root).result().entries().size(), 1);
}

TEST_F(PurgeScan, ServiceFailsForAFolderItCannotList)
{
    // An empty report would say the folder holds no build folder; it was never looked at.
    const QString file = env.writeFile(QStringLiteral("notes.txt"), "x");
    const QString link = env.home() + QStringLiteral("/projects-link");
    ASSERT_TRUE(QFile::link(root, link));
    dir("app/node_modules");
    env.writeFile(root + QStringLiteral("/app/package.json"));
    struct Case {
        QString path;
        std::optional<FolderAccessError::Kind> kind;
        QString description;
    };
    const Case cases[] = {
        {env.home() + QStringLiteral("/missing"), FolderAccessError::Kind::missing,
         QStringLiteral("The folder “%1/missing” doesn’t exist.").arg(env.home())},
        {file, FolderAccessError::Kind::notFolder, QStringLiteral("“%1” isn’t a folder.").arg(file)},
        {QString(), FolderAccessError::Kind::missing, QStringLiteral("The folder “” doesn’t exist.")},
        {root, std::nullopt, {}},
        {link, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        auto future = PurgePreviewService::snapshot(c.path);
        try {
            const PurgePreviewReport report = future.result();
            EXPECT_FALSE(c.kind);
            if (c.path == root) {
                EXPECT_EQ(report.entries().size(), 1);
            }
        } catch (const FolderAccessError& error) {
            ASSERT_TRUE(c.kind);
            EXPECT_EQ(error.kind(), *c.kind);
            EXPECT_EQ(error.description(), c.description);
        }
    }
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(FolderAccessError(FolderAccessError::Kind::missing, QStringLiteral("/x")).description(),
              QStringLiteral("文件夹“/x”不存在。"));
}

TEST_F(PurgeScan, ServiceFailsForAFolderItMayNotRead)
{
    if (test::ranUnprivileged())
        return;
    dir("app/node_modules");
    QFile::setPermissions(root, QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    auto future = PurgePreviewService::snapshot(root);
    try {
        future.result();
        ADD_FAILURE() << "a folder that cannot be listed was scanned";
    } catch (const FolderAccessError& error) {
        EXPECT_EQ(error.kind(), FolderAccessError::Kind::unreadable);
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("The folder “%1” couldn’t be read. ").arg(root)))
            << error.description().toStdString();
    }
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(PurgePreviewReport, DetailTextFollowsTheCountsAndLanguage)
{
    TestEnv env;
    PurgePreviewReport::Entry entry{QUuid::createUuid(), "build", "/p/build", "build", 10, 3, std::nullopt};
    EXPECT_EQ(entry.detailText(), QStringLiteral("3 files / 0 folders"));
    entry.fileCount = std::nullopt;
    EXPECT_FALSE(entry.detailText().has_value());
    entry.directoryCount = 2;
    EXPECT_EQ(entry.detailText(), QStringLiteral("0 files / 2 folders"));
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(entry.detailText(), QStringLiteral("0 文件 / 2 文件夹"));
    EXPECT_EQ(entry.sizeText(), formatByteCount(10));
}

TEST(PurgePreviewReport, ConstructorSortsAndKeepsTiesInOrder)
{
    const auto make = [](const QString& path, qint64 bytes) {
        return PurgePreviewReport::Entry{QUuid::createUuid(), "build", path, "build", bytes, 0, 0};
    };
    const auto tieA = make("/p/Same", 5);
    const auto tieB = make("/p/same", 5);
    const PurgePreviewReport report("/p", {make("/p/x10", 5), tieA, make("/p/big", 50), make("/p/x9", 5), tieB},
                                    QDateTime::currentDateTime());
    QStringList order;
    for (const auto& e : report.entries())
        order.append(e.path);
    EXPECT_EQ(order, (QStringList{"/p/big", "/p/Same", "/p/same", "/p/x9", "/p/x10"}));
    EXPECT_EQ(report.totalBytes(), 70);
    EXPECT_EQ(report.totalSizeText(), formatByteCount(70));
}
