#include "core/engines/installer/InstallerPreviewService.h"
#include "core/engines/installer/LocalInstallerPreview.h"
#include "tests/core/engines/installer/ZipWriter.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;
using roror::test::writeZip;

namespace {

const QString kHex64 = QStringLiteral("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");

QSet<QString> foundPaths(const InstallerPreviewReport& report)
{
    QSet<QString> paths;
    for (const auto& e : report.entries())
        paths.insert(e.path);
    return paths;
}

const InstallerPreviewReport::Entry* findByPath(const InstallerPreviewReport& report, const QString& path)
{
    for (const auto& e : report.entries()) {
        if (e.path == path)
            return &e;
    }
    return nullptr;
}

class InstallerScan : public ::testing::Test {
protected:
    TestEnv env;
    QString shared = env.outside() + QStringLiteral("/Shared");

    QString file(const QString& relative, const QByteArray& content = "data")
    {
        return env.writeFile(relative, content);
    }
};

} // namespace

TEST_F(InstallerScan, FindsInstallerFilesByExtensionDepthHiddenLinkAndPackageRules)
{
    struct Case {
        QString path; // below the home, or absolute
        bool found;
    };
    const QString target = env.writeFile(env.outside() + QStringLiteral("/real.dmg"), "x");
    const QList<Case> cases = {
        {QStringLiteral("Downloads/Setup.DMG"), true},
        {QStringLiteral("Downloads/Flat.pkg"), true},
        {QStringLiteral("Downloads/a/b.dmg"), true},
        {QStringLiteral("Downloads/a/b/c.dmg"), false},
        {QStringLiteral("Downloads/notes.txt"), false},
        {QStringLiteral("Downloads/.Hidden.dmg"), false},
        {QStringLiteral("Downloads/.stash/inner.dmg"), false},
        {QStringLiteral("Downloads/Tool.app/bundled.dmg"), false},
        {QStringLiteral("Downloads/Bundle.pkg/Contents.dmg"), false},
        {QStringLiteral("Desktop/disc.iso"), true},
        {QStringLiteral("Documents/profile.mobileconfig"), true},
        {QStringLiteral("Public/Xcode.xip"), true},
        {QStringLiteral("Library/Downloads/old.mpkg"), true},
        {QStringLiteral("Library/Caches/Homebrew/downloads/app.appinstaller"), true},
        {QStringLiteral("Library/Caches/Other/skipped.dmg"), false},
        {shared + QStringLiteral("/team.pkg"), true},
        {shared + QStringLiteral("/Downloads/x/team2.dmg"), true},
    };
    for (const Case& c : cases)
        file(c.path);
    QFile::link(target, env.home() + QStringLiteral("/Downloads/Linked.dmg"));
    QFile::link(env.outside(), env.home() + QStringLiteral("/Downloads/linkedfolder"));
    env.writeFile(env.outside() + QStringLiteral("/behind-link.dmg"));

    const QSet<QString> found = foundPaths(LocalInstallerPreview::snapshot(env.home(), shared, 2));
    for (const Case& c : cases) {
        const QString path = c.path.startsWith(QLatin1Char('/')) ? c.path : env.home() + QLatin1Char('/') + c.path;
        EXPECT_EQ(found.contains(path), c.found) << path.toStdString();
    }
    EXPECT_FALSE(found.contains(env.home() + QStringLiteral("/Downloads/Linked.dmg")));
    EXPECT_FALSE(found.contains(env.home() + QStringLiteral("/Downloads/linkedfolder/behind-link.dmg")));
    EXPECT_EQ(found.size(), 10);
}

TEST_F(InstallerScan, DepthLimitCountsLevelsBelowEachLocation)
{
    file(QStringLiteral("Downloads/top.dmg"));
    file(QStringLiteral("Downloads/a/second.dmg"));
    file(QStringLiteral("Downloads/a/b/third.dmg"));
    struct Case {
        int depth;
        int count;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}}) {
        EXPECT_EQ(LocalInstallerPreview::snapshot(env.home(), shared, c.depth).entries().size(), c.count)
            << "depth " << c.depth;
    }
}

TEST_F(InstallerScan, HomebrewCacheNamesLoseTheirHashPrefixOnlyThere)
{
    const QString brew = QStringLiteral("Library/Caches/Homebrew/");
    file(brew + kHex64 + QStringLiteral("--Setup.dmg"));
    file(brew + kHex64.toUpper() + QStringLiteral("--Upper.dmg"));
    file(brew + kHex64.left(63) + QStringLiteral("--Short.dmg"));
    file(QStringLiteral("Downloads/") + kHex64 + QStringLiteral("--Kept.dmg"));

    QStringList names;
    const auto report = LocalInstallerPreview::snapshot(env.home(), shared, 2);
    for (const auto& e : report.entries())
        names.append(e.name);
    names.sort();
    EXPECT_EQ(
        names,
        (QStringList{kHex64.toUpper() + QStringLiteral("--Upper.dmg"), kHex64.left(63) + QStringLiteral("--Short.dmg"),
                     kHex64 + QStringLiteral("--Kept.dmg"), QStringLiteral("Setup.dmg")}));
}

TEST_F(InstallerScan, ZipArchivesCountOnlyWhenTheyCarryAnInstaller)
{
    const QString downloads = env.makeDir(QStringLiteral("Downloads"));
    ASSERT_TRUE(writeZip(downloads + QStringLiteral("/with-app.zip"), {{"Cool.app/Contents/Info.plist", "x"}}));
    ASSERT_TRUE(writeZip(downloads + QStringLiteral("/with-dmg.zip"), {{"docs/readme.txt", "x"}, {"Setup.dmg", "x"}}));
    ASSERT_TRUE(writeZip(downloads + QStringLiteral("/docs.zip"), {{"docs/", ""}, {"docs/manual.pdf", "x"}}));
    file(QStringLiteral("Downloads/Named.app.zip"), "not even an archive");

    QStringList names;
    const auto report = LocalInstallerPreview::snapshot(env.home(), shared, 2);
    for (const auto& e : report.entries())
        names.append(e.name);
    names.sort();
    EXPECT_EQ(names, (QStringList{"Named.app.zip", "with-app.zip", "with-dmg.zip"}));
}

TEST_F(InstallerScan, EntriesAreSizedLabelledAndInNaturalOrder)
{
    file(QStringLiteral("Downloads/Setup10.dmg"), QByteArray(10, 'x'));
    file(QStringLiteral("Downloads/Setup2.dmg"), QByteArray(10, 'x'));
    file(QStringLiteral("Desktop/Big.dmg"), QByteArray(200 * 1024, 'x'));

    const auto report = LocalInstallerPreview::snapshot(env.home(), shared, 2);
    ASSERT_EQ(report.entries().size(), 3);
    EXPECT_EQ(report.entries().at(0).name, QStringLiteral("Big.dmg"));
    EXPECT_EQ(report.entries().at(0).source, QStringLiteral("Desktop"));
    EXPECT_GE(report.entries().at(0).byteCount, 200 * 1024);
    EXPECT_EQ(report.entries().at(1).name, QStringLiteral("Setup2.dmg"));
    EXPECT_EQ(report.entries().at(2).name, QStringLiteral("Setup10.dmg"));
    EXPECT_EQ(report.entries().at(1).byteCount, report.entries().at(2).byteCount);
    EXPECT_NE(report.entries().at(1).id, report.entries().at(2).id);
}

TEST_F(InstallerScan, FileUnderOverlappingLocationsIsListedOnceWithTheFirstLabel)
{
    const QString path = file(QStringLiteral("Downloads/Telegram Desktop/chat.dmg"));
    const QString sharedPath = file(shared + QStringLiteral("/Downloads/both.pkg"));
    for (const auto& [language, downloads, sharedLabel] :
         {std::tuple{"english", "Downloads", "Shared"}, std::tuple{"chinese", "下载", "共享"}}) {
        env.setLanguagePreference(QString::fromUtf8(language));
        const auto report = LocalInstallerPreview::snapshot(env.home(), shared, 2);
        ASSERT_EQ(report.entries().size(), 2);
        const auto* chat = findByPath(report, path);
        ASSERT_NE(chat, nullptr);
        EXPECT_EQ(chat->source, QString::fromUtf8(downloads));
        const auto* both = findByPath(report, sharedPath);
        ASSERT_NE(both, nullptr);
        EXPECT_EQ(both->source, QString::fromUtf8(sharedLabel));
    }
}

TEST_F(InstallerScan, ScanLocationsDependOnWhoseHomeItIs)
{
    const auto own = LocalInstallerPreview::installerScanPaths(env.home(), shared);
    ASSERT_EQ(own.size(), 15);
    EXPECT_EQ(own.at(0).path, env.home() + QStringLiteral("/Downloads"));
    EXPECT_EQ(own.at(5).path, shared);
    EXPECT_EQ(own.at(8).path, env.home() + QStringLiteral("/Library/Mobile Documents/com~apple~CloudDocs/Downloads"));
    EXPECT_EQ(own.at(12).path, QStringLiteral("/Library/Updates"));
    EXPECT_EQ(own.at(13).path, QStringLiteral("/opt/homebrew/Caskroom"));
    EXPECT_EQ(own.at(14).path, QStringLiteral("/usr/local/Caskroom"));
    // The same home written with "." and a trailing "/" is still the user's own.
    EXPECT_EQ(LocalInstallerPreview::installerScanPaths(env.home() + QStringLiteral("/./"), shared).size(), 15);

    const QString other = env.makeDir(env.outside() + QStringLiteral("/otherhome"));
    EXPECT_EQ(LocalInstallerPreview::installerScanPaths(other, shared).size(), 12);

    env.setLanguagePreference(QStringLiteral("chinese"));
    const auto chinese = LocalInstallerPreview::installerScanPaths(env.home(), shared);
    const QStringList labels = [&] {
        QStringList l;
        for (const auto& location : chinese)
            l.append(location.source);
        return l;
    }();
    EXPECT_EQ(labels,
              (QStringList{"下载", "桌面", "文稿", "公共", "资源库", "共享", "共享", "Homebrew", "iCloud", "邮件",
                           "Telegram", "Telegram", "系统更新", "Homebrew Cask", "Homebrew Cask"}));
}

TEST_F(InstallerScan, AvailableLocationsReportExistenceAndDisplayName)
{
    env.makeDir(QStringLiteral("Downloads"));
    file(QStringLiteral("Desktop")); // a plain file where a folder is expected still exists
    const auto locations = LocalInstallerPreview::availableScanLocations(env.home(), QStringLiteral("/"));
    ASSERT_EQ(locations.size(), 15);
    EXPECT_EQ(locations.at(0),
              (LocalInstallerPreview::ScanLocation{env.home() + QStringLiteral("/Downloads"),
                                                   QStringLiteral("Downloads"), QStringLiteral("Downloads"), true}));
    EXPECT_TRUE(locations.at(1).exists);
    EXPECT_FALSE(locations.at(2).exists);
    EXPECT_EQ(locations.at(5).path, QStringLiteral("/"));
    EXPECT_EQ(locations.at(5).displayName, QStringLiteral("/"));
    EXPECT_EQ(locations.at(6).displayName, QStringLiteral("Downloads"));
}

TEST_F(InstallerScan, NothingIsScannedOnceTheTimeIsUp)
{
    file(QStringLiteral("Downloads/Setup.dmg"));
    EXPECT_TRUE(
        LocalInstallerPreview::snapshot(env.home(), shared, 2, std::chrono::milliseconds(0)).entries().isEmpty());
    EXPECT_EQ(LocalInstallerPreview::snapshot(env.home(), shared, 2).entries().size(), 1);
}

TEST_F(InstallerScan, ServiceScansTheHomeAtDepthTwoWhateverTheEnvironment)
{
    file(QStringLiteral("Downloads/a/found.dmg"));
    file(QStringLiteral("Downloads/a/b/deep.dmg"));
    const QDateTime before = QDateTime::currentDateTime();
    QProcessEnvironment elsewhere;
    elsewhere.insert(QStringLiteral("HOME"), QStringLiteral("/elsewhere"));
    for (const QProcessEnvironment& environment :
         {QProcessEnvironment(), QProcessEnvironment::systemEnvironment(), elsewhere}) {
        auto future = InstallerPreviewService::snapshot(env.home(), environment);
        const InstallerPreviewReport report = future.result();
        ASSERT_EQ(report.entries().size(), 1);
        EXPECT_EQ(report.entries().at(0).path, env.home() + QStringLiteral("/Downloads/a/found.dmg"));
        EXPECT_GE(report.generatedAt(), before);
    }
    EXPECT_EQ(InstallerPreviewService::sharedRoot(), QStringLiteral("/Users/Shared"));
}
