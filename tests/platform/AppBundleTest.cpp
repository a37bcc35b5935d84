#include "platform/AppBundle.h"
#include "platform/DiskImage.h"
#include "platform/ToolRunner.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace roror;

namespace {

TEST(AppBundle, TheInstalledLayoutIsTheRororAppFolderAboveTheExecutable)
{
    test::TestEnv env;
    const QString installed = env.writeFile(env.outside() + QStringLiteral("/opt/Roror.app/bin/roror"), "x");
    const QString nested = env.writeFile(env.outside() + QStringLiteral("/Roror.app/Contents/MacOS/roror"), "x");
    const QString loose = env.writeFile(env.outside() + QStringLiteral("/build/release/roror"), "x");
    const QString otherName = env.writeFile(env.outside() + QStringLiteral("/Other.app/bin/roror"), "x");

    const std::optional<AppBundle::Location> a = AppBundle::locate(installed);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->bundlePath, env.outside() + QStringLiteral("/opt/Roror.app"));
    EXPECT_EQ(a->executablePath, QStringLiteral("bin/roror"));

    const std::optional<AppBundle::Location> b = AppBundle::locate(nested);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->executablePath, QStringLiteral("Contents/MacOS/roror"));

    EXPECT_FALSE(AppBundle::locate(loose));
    EXPECT_FALSE(AppBundle::locate(otherName));
    const QString deep = env.writeFile(env.outside() + QStringLiteral("/src/Roror.app/build/release/roror"), "x");
    EXPECT_FALSE(AppBundle::locate(deep)) << "a Roror.app folder further up is not this program's bundle";
    const QString flat = env.writeFile(env.outside() + QStringLiteral("/flat/Roror.app/roror"), "x");
    ASSERT_TRUE(AppBundle::locate(flat));
    EXPECT_EQ(AppBundle::locate(flat)->executablePath, QStringLiteral("roror"));
    EXPECT_FALSE(AppBundle::locate(env.outside() + QStringLiteral("/missing/Roror.app/roror")));
    EXPECT_FALSE(AppBundle::current()); // the test program runs from the build tree
}

TEST(DiskImage, DetachRemovesTheFolderWithoutFollowingLinks)
{
    test::TestEnv env;
    const QString keep = env.writeFile(env.outside() + QStringLiteral("/keep/file"), "keep");
    const QString mount = env.makeDir(env.outside() + QStringLiteral("/mnt"));
    env.writeFile(mount + QStringLiteral("/Roror.app/bin/roror"), "x");
    ASSERT_TRUE(QFile::link(QFileInfo(keep).absolutePath(), mount + QStringLiteral("/link")));

    DiskImage::detach(mount);
    EXPECT_FALSE(QFileInfo::exists(mount));
    EXPECT_EQ(QFileInfo(keep).size(), 4);
}

// A gzip tar archive of `files` (relative path and size; the content does not pack).
QString packArchive(const test::TestEnv& env, const QString& name, const QList<QPair<QString, qsizetype>>& files)
{
    const QString staging = env.makeDir(env.outside() + QStringLiteral("/staging-") + name);
    for (const auto& [path, size] : files) {
        QByteArray bytes(size, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
        env.writeFile(staging + QLatin1Char('/') + path, bytes);
    }
    const QString archive = env.outside() + QLatin1Char('/') + name + QStringLiteral(".tar.gz");
    const ToolRunResult packed = runTool(QStringLiteral("/usr/bin/tar"),
                                         {QStringLiteral("-c"), QStringLiteral("-z"), QStringLiteral("-f"), archive,
                                          QStringLiteral("-C"), staging, QStringLiteral(".")});
    EXPECT_TRUE(packed.succeeded()) << packed.standardError.toStdString();
    return archive;
}

TEST(DiskImage, TheListingAddsUpSizesAndStopsPastTheLimit)
{
    test::TestEnv env;
    const QString archive
        = packArchive(env, QStringLiteral("small"),
                      {{QStringLiteral("Roror.app/a"), 1000}, {QStringLiteral("Roror.app/bin/b"), 2000}});
    const DiskImage::Listing listing = DiskImage::list(archive, 1 << 20);
    EXPECT_TRUE(listing.readable);
    EXPECT_FALSE(listing.tooLarge);
    EXPECT_EQ(listing.bytes, 3000);
    EXPECT_EQ(listing.entries, 5); // ".", two folders, two files

    const DiskImage::Listing limited = DiskImage::list(archive, 2999);
    EXPECT_TRUE(limited.tooLarge);

    const QString notAnArchive
        = env.writeFile(env.outside() + QStringLiteral("/page.tar.gz"), "<html>Not Found</html>");
    EXPECT_FALSE(DiskImage::list(notAnArchive, 1 << 20).readable);
    EXPECT_EQ(DiskImage::attach(notAnArchive, env.makeDir(env.outside() + QStringLiteral("/mnt-page")), 1 << 20),
              DiskImage::AttachResult::unreadable);
}

TEST(DiskImage, UnpackingStopsOnceTheLimitIsPassed)
{
    test::TestEnv env;
    const qsizetype size = 3 << 20;
    const QString archive = packArchive(env, QStringLiteral("large"), {{QStringLiteral("Roror.app/payload"), size}});

    // The extraction itself gives up once the unpacked stream passes its limit: what was written
    // stays below it.
    const QString stopped = env.makeDir(env.outside() + QStringLiteral("/mnt-stopped"));
    EXPECT_EQ(DiskImage::extract(archive, stopped, 1 << 20), DiskImage::AttachResult::tooLarge);
    EXPECT_LT(QFileInfo(stopped + QStringLiteral("/Roror.app/payload")).size(), 1 << 20);

    const QString whole = env.makeDir(env.outside() + QStringLiteral("/mnt-whole"));
    EXPECT_EQ(DiskImage::extract(archive, whole, 8 << 20), DiskImage::AttachResult::attached);
    EXPECT_EQ(QFileInfo(whole + QStringLiteral("/Roror.app/payload")).size(), size);

    // Attaching lists first: past the limit, nothing is unpacked at all.
    const QString refused = env.makeDir(env.outside() + QStringLiteral("/mnt-refused"));
    EXPECT_EQ(DiskImage::attach(archive, refused, 2 << 20), DiskImage::AttachResult::tooLarge);
    EXPECT_TRUE(QDir(refused).isEmpty());
    const QString attached = env.makeDir(env.outside() + QStringLiteral("/mnt-attached"));
    EXPECT_EQ(DiskImage::attach(archive, attached, size), DiskImage::AttachResult::attached);
    EXPECT_EQ(QFileInfo(attached + QStringLiteral("/Roror.app/payload")).size(), size);
}

} // namespace
