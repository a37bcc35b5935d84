#include "core/support/FolderWalker.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <QSet>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

struct Tree {
    TestEnv env;
    QString root;

    Tree()
    {
        root = env.makeDir(QStringLiteral("root"));
        env.writeFile(QStringLiteral("root/a.txt"), QByteArray(5000, 'a'));
        env.writeFile(QStringLiteral("root/.hidden/inside.txt"), QByteArray(100, 'h'));
        env.writeFile(QStringLiteral("root/.dotfile"), QByteArray(10, 'd'));
        env.writeFile(QStringLiteral("root/sub/deeper/b.bin"), QByteArray(3000, 'b'));
        env.writeFile(QStringLiteral("root/Tool.APP/Contents/exe"), QByteArray(700, 'x'));
        env.writeFile(env.outside() + QStringLiteral("/big.bin"), QByteArray(100000, 'o'));
        QFile::link(env.outside(), root + QStringLiteral("/linkdir"));
        QFile::link(env.outside() + QStringLiteral("/big.bin"), root + QStringLiteral("/linkfile"));
    }

    QSet<QString> walk(const WalkOptions& options, const WalkVisitor& extra = {}) const
    {
        QSet<QString> seen;
        walkFolder(root, options, [&](const WalkEntry& e) {
            seen.insert(e.path.mid(root.size() + 1));
            return extra ? extra(e) : WalkAction::Continue;
        });
        return seen;
    }
};

} // namespace

TEST(FolderWalker, ReportsEverythingButNeverEntersLinks)
{
    Tree t;
    const auto seen = t.walk({});
    const QSet<QString> expected = {
        "a.txt",      ".hidden",          ".hidden/inside.txt", ".dotfile",          "sub",
        "sub/deeper", "sub/deeper/b.bin", "Tool.APP",           "Tool.APP/Contents", "Tool.APP/Contents/exe",
        "linkdir",    "linkfile",
    };
    EXPECT_EQ(seen, expected);
}

TEST(FolderWalker, OptionsSkipHiddenPackagesAndDepth)
{
    Tree t;
    const auto noHidden = t.walk({.skipHidden = true, .skipPackageDescendants = true});
    EXPECT_FALSE(noHidden.contains(".hidden"));
    EXPECT_FALSE(noHidden.contains(".hidden/inside.txt"));
    EXPECT_FALSE(noHidden.contains(".dotfile"));
    EXPECT_TRUE(noHidden.contains("Tool.APP"));
    EXPECT_FALSE(noHidden.contains("Tool.APP/Contents"));

    const auto shallow = t.walk({.maxDepth = 1});
    EXPECT_TRUE(shallow.contains("sub"));
    EXPECT_FALSE(shallow.contains("sub/deeper"));

    const auto skipSub = t.walk({}, [](const WalkEntry& e) {
        return e.name == QStringLiteral("sub") ? WalkAction::SkipDescendants : WalkAction::Continue;
    });
    EXPECT_TRUE(skipSub.contains("sub"));
    EXPECT_FALSE(skipSub.contains("sub/deeper"));

    int count = 0;
    walkFolder(t.root, {}, [&](const WalkEntry&) { return ++count == 3 ? WalkAction::Stop : WalkAction::Continue; });
    EXPECT_EQ(count, 3);
}

TEST(FolderWalker, LinkEntriesCarryLinkType)
{
    Tree t;
    walkFolder(t.root, {}, [](const WalkEntry& e) {
        if (e.name.startsWith(QStringLiteral("link"))) {
            EXPECT_TRUE(e.info.isSymbolicLink) << e.path.toStdString();
            EXPECT_FALSE(e.info.isDirectory);
        }
        return WalkAction::Continue;
    });
    EXPECT_FALSE(walkFolder(t.root + QStringLiteral("/linkdir"), {}, [](const WalkEntry&) {
        return WalkAction::Continue;
    })) << "a link given as the root is not entered either";
    EXPECT_FALSE(
        walkFolder(t.root + QStringLiteral("/missing"), {}, [](const WalkEntry&) { return WalkAction::Continue; }));
}

TEST(FolderWalker, MeasureTreeCountsHiddenFilesAndSkipsLinks)
{
    Tree t;
    const TreeSize size = measureTree(t.root);
    EXPECT_EQ(size.logicalBytes, 5000 + 100 + 10 + 3000 + 700);
    EXPECT_EQ(size.fileCount, 5);
    EXPECT_GT(size.allocatedBytes, 0);
    EXPECT_TRUE(size.complete);

    const TreeSize limited = measureTree(t.root, 2);
    EXPECT_FALSE(limited.complete);

    EXPECT_EQ(measureTree(t.root + QStringLiteral("/a.txt")).logicalBytes, 5000);
    EXPECT_EQ(measureTree(t.root + QStringLiteral("/linkfile")).fileCount, 0);
}

TEST(FolderWalker, WalkingLeavesFolderAccessTimesAlone)
{
    TestEnv env;
    const QString root = env.makeDir(QStringLiteral("walk"));
    env.writeFile(QStringLiteral("walk/Old.app/Contents/Info.plist"), "x");
    const QString bundle = root + QStringLiteral("/Old.app");
    // Put the access time far in the past, then walk and measure through it.
    const QByteArray path = QFile::encodeName(bundle);
    struct timespec times[2] = {{1000000, 0}, {UTIME_OMIT, UTIME_OMIT}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    walkFolder(root, {}, [](const WalkEntry&) { return WalkAction::Continue; });
    measureTree(root);
    EXPECT_EQ(fileInfo(bundle)->accessTime, 1000000);
}
