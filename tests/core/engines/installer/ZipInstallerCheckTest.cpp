#include "core/engines/installer/ZipInstallerCheck.h"
#include "tests/core/engines/installer/ZipWriter.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;
using roror::test::writeZip;

namespace {

using Member = QPair<QByteArray, QByteArray>;
using Members = QList<Member>;

Members documents(int count)
{
    Members members;
    for (int i = 0; i < count; ++i)
        members.append(Member(QByteArray("docs/page-") + QByteArray::number(i) + ".txt", "text"));
    return members;
}

// A stand-in listing tool: a shell script that ignores its arguments.
ZipInstallerCheck::ListingTool scriptTool(const TestEnv& env, const QString& name, const QByteArray& body)
{
    const QString path = env.writeFile(env.outside() + QStringLiteral("/tools/") + name, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return {path, {}};
}

ZipInstallerCheck::ListingTool unzip()
{
    return ZipInstallerCheck::listingTools().at(0);
}

ZipInstallerCheck::ListingTool zipinfo()
{
    return ZipInstallerCheck::listingTools().at(1);
}

} // namespace

TEST(ZipInstallerCheck, ListingToolsAreUnzipThenZipinfo)
{
    const auto& tools = ZipInstallerCheck::listingTools();
    ASSERT_EQ(tools.size(), 2);
    EXPECT_EQ(tools.at(0).executable, QStringLiteral("/usr/bin/unzip"));
    EXPECT_EQ(tools.at(0).arguments, (QStringList{QStringLiteral("-Z"), QStringLiteral("-1")}));
    EXPECT_EQ(tools.at(1).executable, QStringLiteral("/usr/bin/zipinfo"));
    EXPECT_EQ(tools.at(1).arguments, QStringList{QStringLiteral("-1")});
}

TEST(ZipInstallerCheck, NameEndingInAppZipAnswersWithoutReadingTheFile)
{
    TestEnv env;
    // Not an archive at all and no marker inside: only the name can say yes.
    const QString path = env.writeFile(QStringLiteral("Downloads/TOOL.APP.ZIP"), "not a zip");
    const auto witness = scriptTool(env, QStringLiteral("witness"), "touch \"$0.ran\"\necho App.app\n");
    EXPECT_TRUE(ZipInstallerCheck::zipHoldsInstaller(path, {witness}));
    EXPECT_FALSE(QFileInfo::exists(witness.executable + QStringLiteral(".ran")));
}

TEST(ZipInstallerCheck, ListingDecidesByMembers)
{
    struct Case {
        const char* label;
        Members members;
        bool expected;
    };
    Members appInside = documents(3);
    appInside.append(Member("Cool.app/Contents/MacOS/Cool", "bin"));
    Members pkgLast = documents(3);
    pkgLast.append(Member("payload/Installer.PKG", "x"));
    Members xipFolder = {{"Xcode.xip/", ""}, {"Xcode.xip/part", "x"}};
    Members onLine51 = documents(50);
    onLine51.append(Member("Installer.pkg", "x"));
    Members onLine50 = documents(49);
    onLine50.append(Member("Installer.pkg", "x"));
    // Only documents, but one of them names a disk image in its content: the tail would say yes,
    // the listing says no and decides.
    Members docsWithMarkerText = {{"readme.txt", "Drag Setup.dmg and Tool.app/ here"}};
    const QList<Case> cases = {
        {"application folder inside", appInside, true},
        {"package member, any case", pkgLast, true},
        {"xip folder", xipFolder, true},
        {"package on line 51", onLine51, false},
        {"package on line 50", onLine50, true},
        {"documents only", docsWithMarkerText, false},
    };
    TestEnv env;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = env.outside() + QStringLiteral("/case.zip");
        ASSERT_TRUE(writeZip(path, c.members));
        EXPECT_EQ(ZipInstallerCheck::zipHoldsInstaller(path), c.expected);
        EXPECT_EQ(ZipInstallerCheck::zipHoldsInstaller(path, {zipinfo()}), c.expected);
    }
}

TEST(ZipInstallerCheck, LargeArchiveAnswersFromTheFirstFiftyLines)
{
    TestEnv env;
    // 5,000 members fill far more than a pipe's buffer; the listing must still come back (cut to
    // 50 lines) instead of timing out and falling back to the tail, which names the disk image.
    Members members = documents(5000);
    members[4000] = Member("late/Setup.dmg", "x");
    const QString late = env.outside() + QStringLiteral("/late.zip");
    ASSERT_TRUE(writeZip(late, members));
    ASSERT_TRUE(ZipInstallerCheck::zipTailContainsInstallerMarker(late));

    for (const auto& tool : {unzip(), zipinfo()}) {
        SCOPED_TRACE(tool.executable.toStdString());
        const auto listing = ZipInstallerCheck::listZipEntries(late, 50, {tool});
        ASSERT_TRUE(listing.has_value());
        ASSERT_EQ(listing->size(), 50);
        EXPECT_EQ(listing->first(), QStringLiteral("docs/page-0.txt"));
        EXPECT_EQ(listing->last(), QStringLiteral("docs/page-49.txt"));
        EXPECT_FALSE(ZipInstallerCheck::zipHoldsInstaller(late, {tool}));
    }

    members = documents(5000);
    members[10] = Member("early/Setup.dmg", "x");
    const QString early = env.outside() + QStringLiteral("/early.zip");
    ASSERT_TRUE(writeZip(early, members));
    EXPECT_TRUE(ZipInstallerCheck::zipHoldsInstaller(early));
}

TEST(ZipInstallerCheck, NextToolIsTriedWhenOneGivesNoListing)
{
    TestEnv env;
    const QString path = env.outside() + QStringLiteral("/a.zip");
    ASSERT_TRUE(writeZip(path, {{"Cool.app/Contents/Info.plist", "x"}}));
    const auto failing = scriptTool(env, QStringLiteral("failing"), "echo Other.pkg\nexit 3\n");
    const auto silent = scriptTool(env, QStringLiteral("silent"), "exit 0\n");
    const auto blankLines = scriptTool(env, QStringLiteral("blank"), "printf '\\n\\r\\n\\n'\n");
    const auto notUtf8 = scriptTool(env, QStringLiteral("latin1"), "printf 'Caf\\351.pkg\\n'\n");
    const ZipInstallerCheck::ListingTool missing{QStringLiteral("/nonexistent/unzip"), {QStringLiteral("-Z")}};
    const ZipInstallerCheck::ListingTool notExecutable{
        env.writeFile(env.outside() + QStringLiteral("/tools/plain"), "#!/bin/sh\necho Other.pkg\n"), {}};

    for (const auto& broken : {failing, silent, blankLines, notUtf8, missing, notExecutable}) {
        SCOPED_TRACE(broken.executable.toStdString());
        EXPECT_FALSE(ZipInstallerCheck::runListingTool(broken.executable, broken.arguments + QStringList{path}, 50));
        const auto listing = ZipInstallerCheck::listZipEntries(path, 50, {broken, zipinfo()});
        ASSERT_TRUE(listing.has_value());
        EXPECT_EQ(*listing, QStringList{QStringLiteral("Cool.app/Contents/Info.plist")});
    }
    EXPECT_FALSE(ZipInstallerCheck::listZipEntries(path, 50, {failing, missing}).has_value());
}

TEST(ZipInstallerCheck, ListingLinesSplitAtEveryLineBreak)
{
    TestEnv env;
    const auto tool = scriptTool(
        env, QStringLiteral("breaks"),
        "printf 'a.txt\\r\\nb.txt\\rc.txt\\013d.txt\\014e.txt\\302\\205f.txt\\342\\200\\250g.txt\\n\\n'\n");
    const auto lines = ZipInstallerCheck::runListingTool(tool.executable, {}, 50);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt", "g.txt"}));
    const auto cut = ZipInstallerCheck::runListingTool(tool.executable, {}, 3);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(*cut, (QStringList{"a.txt", "b.txt", "c.txt"}));
}

TEST(ZipInstallerCheck, ToolPastTheTimeOutIsEndedAndNotUsed)
{
    TestEnv env;
    // Prints a package name, then hangs: the name must not count, so the tail decides (no marker).
    const auto hanging = scriptTool(env, QStringLiteral("hanging"), "echo Installer.pkg\nexec sleep 60\n");
    const QString path = env.outside() + QStringLiteral("/plain.zip");
    ASSERT_TRUE(writeZip(path, {{"readme.txt", "hello"}}));
    EXPECT_FALSE(ZipInstallerCheck::runListingTool(hanging.executable, {path}, 50).has_value());
    EXPECT_FALSE(ZipInstallerCheck::zipHoldsInstaller(path, {hanging}));
}

TEST(ZipInstallerCheck, TailSearchWhenNoListing)
{
    TestEnv env;
    const QByteArray filler(600 * 1024, 'z');
    struct Case {
        const char* label;
        QByteArray content;
        bool expected;
    };
    const QList<Case> cases = {
        {"small file searched whole, capitals lowered", "PK....SETUP.DMG....", true},
        {"application folder marker", "xx Cool.APP/Contents yy", true},
        {"package needs its slash", "Installer.pkg", false},
        {"marker in the last 512 KiB", filler + "Setup.xip", true},
        {"marker only before the last 512 KiB", "Setup.dmg" + filler, false},
        {"no marker", "plain text", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = env.writeFile(env.outside() + QStringLiteral("/tail.zip"), c.content);
        EXPECT_EQ(ZipInstallerCheck::zipTailContainsInstallerMarker(path), c.expected);
        EXPECT_EQ(ZipInstallerCheck::zipHoldsInstaller(path, {}), c.expected);
    }
    EXPECT_FALSE(ZipInstallerCheck::zipTailContainsInstallerMarker(env.outside() + QStringLiteral("/missing.zip")));
}

TEST(ZipInstallerCheck, ArchivePathIsPassedLiterally)
{
    TestEnv env;
    const QString folder = env.makeDir(env.outside() + QStringLiteral("/names"));
    // Decoys that a wildcard or option reading of the name would pick up instead.
    ASSERT_TRUE(writeZip(folder + QStringLiteral("/Setup1.zip"), {{"Decoy.app/x", "x"}}));
    ASSERT_TRUE(writeZip(folder + QStringLiteral("/Setupx.zip"), {{"Decoy.pkg", "x"}}));
    const QStringList names = {
        QStringLiteral("Setup[1].zip"),
        QStringLiteral("Setup?.zip"),
        QStringLiteral("Setup*.zip"),
        QStringLiteral("-Z -1 with spaces.zip"),
        QStringLiteral("it's \"quoted\" $(touch pwned) `touch pwned2`; rm -rf x.zip"),
        QStringLiteral("-l.zip"),
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = folder + QLatin1Char('/') + name;
        ASSERT_TRUE(writeZip(path, {{"readme.txt", "Setup.dmg"}}));
        for (const auto& tool : {unzip(), zipinfo()}) {
            const auto listing = ZipInstallerCheck::listZipEntries(path, 50, {tool});
            ASSERT_TRUE(listing.has_value()) << tool.executable.toStdString();
            EXPECT_EQ(*listing, QStringList{QStringLiteral("readme.txt")});
        }
        EXPECT_FALSE(ZipInstallerCheck::zipHoldsInstaller(path));
        QFile::remove(path);
    }
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/pwned")));
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + QStringLiteral("/pwned")));
    EXPECT_FALSE(QFileInfo::exists(QDir::currentPath() + QStringLiteral("/pwned2")));
}

TEST(ZipInstallerCheck, EndlessListingIsCutAtTheLimitAndUsed)
{
    TestEnv env;
    // A tool that never stops printing: reading stops at 50 lines and ends it, so the listing is
    // used instead of being lost to the time-out.
    const auto endless = scriptTool(env, QStringLiteral("endless"), "echo Setup.dmg\nexec yes docs/readme.txt\n");
    const QString path = env.outside() + QStringLiteral("/plain.zip");
    ASSERT_TRUE(writeZip(path, {Member("readme.txt", "hello")}));
    const auto listing = ZipInstallerCheck::runListingTool(endless.executable, {path}, 50);
    ASSERT_TRUE(listing.has_value());
    EXPECT_EQ(listing->size(), 50);
    EXPECT_EQ(listing->at(0), QStringLiteral("Setup.dmg"));
    EXPECT_TRUE(ZipInstallerCheck::zipHoldsInstaller(path, {endless}));
}
