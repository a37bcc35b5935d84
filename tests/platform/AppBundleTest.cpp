#include "platform/AppBundle.h"
#include "platform/DiskImage.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

} // namespace
