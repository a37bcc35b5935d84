#include "core/engines/uninstall/LocalUninstallPreview.h"
#include "core/engines/uninstall/UninstallPreviewService.h"
#include "core/model/SizeText.h"
#include "core/support/FileInfo.h"
#include "tests/core/engines/QtPrinters.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimeZone>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace roror;
using roror::test::fixturePath;
using roror::test::TestEnv;

namespace {

QByteArray xmlInfo(const QList<QPair<QString, QString>>& strings)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
    for (const auto& [key, value] : strings)
        xml += "  <key>" + key.toUtf8() + "</key><string>" + value.toUtf8() + "</string>\n";
    return xml + "</dict>\n</plist>\n";
}

QByteArray fixture(const QString& name)
{
    QFile file(fixturePath(QStringLiteral("uninstall/") + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

const UninstallPreviewReport::Entry* entryNamed(const UninstallPreviewReport& report, const QString& name)
{
    for (const auto& e : report.entries()) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

void setAccessTime(const QString& path, const QDateTime& when)
{
    struct timespec times[2];
    times[0].tv_sec = when.toSecsSinceEpoch();
    times[0].tv_nsec = 0;
    times[1].tv_sec = 0;
    times[1].tv_nsec = UTIME_OMIT;
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// A home with applications (XML, binary and missing Info.plist) and Library leftovers, some of
// which only a loose name match would give to the wrong application.
class UninstallScan : public ::testing::Test {
protected:
    TestEnv env;
    QString apps = env.home() + QStringLiteral("/Applications");
    QString library = env.home() + QStringLiteral("/Library");

    void SetUp() override
    {
        env.writeFile(apps + "/Notes.app/Contents/Info.plist",
                      xmlInfo({{"CFBundleDisplayName", "Notes"},
                               {"CFBundleIdentifier", "com.example.notes"},
                               {"CFBundleExecutable", "NotesExec"}}));
        env.writeFile(apps + "/Notes.app/Contents/MacOS/Notes", QByteArray(9000, 'n'));
        env.writeFile(apps + "/Notes.app/Contents/Frameworks/Kit.framework/Kit", QByteArray(300000, 'k'));
        env.writeFile(apps + "/MyNotesApp.app/Contents/Info.plist",
                      xmlInfo({{"CFBundleName", "MyNotesApp"}, {"CFBundleIdentifier", "com.other.mynotesapp"}}));
        env.writeFile(apps + "/Viewer.app/Contents/Info.plist", fixture("Info-full.binary.plist"));
        env.writeFile(apps + "/Numbered.app/Contents/Info.plist", fixture("Info-numbername.binary.plist"));
        env.makeDir(apps + "/Foo Bar.app/Contents");
        env.writeFile(apps + "/Plain.app", "a file, not a bundle");
        env.makeDir(apps + "/Shouty.APP");
        env.makeDir(apps + "/Utilities/Inner.app");
        env.makeDir(apps + "/.Hidden.app");

        for (const char* item : {"Application Support/Notes/data.db", "Preferences/com.example.notes.plist",
                                 "Saved Application State/com.example.notes.savedState/window.data",
                                 "Group Containers/group.com.example.notes/x", "Containers/com.example.notes.helper/x",
                                 "Caches/xyzcom.example.notesabc", "Logs/Notes.log", "Caches/MyNotesApp/cache.db",
                                 "Caches/notes-backup", "Caches/Cache/Notes", "Application Support/.notes",
                                 "WebKit/com.other.mynotesapp/x", "Preferences/com.example.binaryviewer.plist",
                                 "Application Support/Foo/x", "Application Support/Foo Bar/x", "Logs/Foo.Bar.log"}) {
            env.writeFile(library + "/" + QString::fromUtf8(item), QByteArray(700, 'x'));
        }
    }
};

} // namespace

TEST_F(UninstallScan, ListsBundlesDirectlyInTheApplicationFolderSortedByName)
{
    const auto report = LocalUninstallPreview::snapshot(env.home());
    QStringList names;
    for (const auto& e : report.entries())
        names.append(e.name);
    EXPECT_EQ(names, (QStringList{"Binary Viewer", "Foo", "Foo Bar", "MyNotesApp", "Notes", "Plain"}));

    const auto* viewer = entryNamed(report, "Binary Viewer");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->bundleID, QStringLiteral("com.example.binaryviewer"));
    EXPECT_EQ(viewer->uninstallName, QStringLiteral("com.example.binaryviewer"));
    EXPECT_EQ(viewer->path, apps + "/Viewer.app");
    EXPECT_EQ(viewer->id, viewer->path);

    // CFBundleDisplayName holds a number, so CFBundleName names it; no identifier.
    const auto* numbered = entryNamed(report, "Foo");
    ASSERT_NE(numbered, nullptr);
    EXPECT_EQ(numbered->path, apps + "/Numbered.app");
    EXPECT_FALSE(numbered->bundleID.has_value());
    EXPECT_EQ(numbered->uninstallName, QStringLiteral("Foo"));

    const auto* unnamed = entryNamed(report, "Foo Bar");
    ASSERT_NE(unnamed, nullptr);
    EXPECT_FALSE(unnamed->bundleID.has_value());
}

TEST_F(UninstallScan, LeftoversFollowTheAnchoredRule)
{
    const auto report = LocalUninstallPreview::snapshot(env.home());
    const auto leftovers = [&](const QString& name) {
        const auto* e = entryNamed(report, name);
        EXPECT_NE(e, nullptr) << name.toStdString();
        QStringList relative;
        if (e) {
            for (const QString& path : e->leftoverPaths)
                relative.append(path.mid(library.size() + 1));
        }
        return relative;
    };
    EXPECT_EQ(
        leftovers("Notes"),
        (QStringList{"Application Support/Notes", "Group Containers/group.com.example.notes",
                     "Preferences/com.example.notes.plist", "Saved Application State/com.example.notes.savedState"}));
    EXPECT_EQ(leftovers("MyNotesApp"), (QStringList{"Caches/MyNotesApp", "WebKit/com.other.mynotesapp"}));
    EXPECT_EQ(leftovers("Binary Viewer"), QStringList{"Preferences/com.example.binaryviewer.plist"});
    // "Foo Bar" could keep its vendor's files in a "Foo" folder too.
    EXPECT_EQ(leftovers("Foo"), QStringList{});
    EXPECT_EQ(leftovers("Foo Bar"), QStringList{"Application Support/Foo Bar"});
    EXPECT_EQ(leftovers("Plain"), QStringList{});
}

TEST_F(UninstallScan, MatchingTable)
{
    struct Case {
        const char* folder;
        const char* item;
        bool isFolder;
        const char* name;
        std::optional<QString> bundleID;
        bool matches;
    };
    const std::optional<QString> notesID = QStringLiteral("com.example.Notes");
    const QList<Case> cases = {
        // By the identifier, letter case ignored, whole names only.
        {"Preferences", "com.example.notes.plist", false, "Notes", notesID, true},
        {"Caches", "com.example.notes", true, "Notes", notesID, true},
        {"Saved Application State", "com.example.notes.savedState", true, "Notes", notesID, true},
        {"Group Containers", "group.com.example.notes", true, "Notes", notesID, true},
        {"Group Containers", "ABCDE12345.com.example.notes", true, "Notes", notesID, true},
        {"Group Containers", "ABCDE12345.group.com.example.notes", true, "Notes", notesID, true},
        {"Group Containers", "Group.com.example.notes", true, "Notes", notesID, true},
        // Only a group or team prefix: any other label before the identifier makes another identifier.
        {"Containers", "com.example.Tool.helper", true, "Helper", QStringLiteral("example.Tool.helper"), false},
        {"Group Containers", "org.com.example.notes", true, "Notes", notesID, false},
        {"Group Containers", "abcde12345.com.example.notes", true, "Notes", notesID, false},
        {"Group Containers", "ABCDE1234.com.example.notes", true, "Notes", notesID, false},
        {"Group Containers", "ABCDE12345.team.com.example.notes", true, "Notes", notesID, false},
        {"Group Containers", "x.group.com.example.notes", true, "Notes", notesID, false},
        {"Containers", "com.example.notes.helper", true, "Notes", notesID, false},
        {"Caches", "xcom.example.notesx", true, "Notes", notesID, false},
        {"Caches", "acom.example.notes", true, "Notes", notesID, false},
        {"Caches", "com.example.note", true, "Notes", notesID, false},
        // An identifier without two dots, or with an empty label, names nothing.
        {"Caches", "com", true, "Xyz", QStringLiteral("com"), false},
        {"Caches", "com.example", true, "Xyz", QStringLiteral("com.example"), false},
        {"Caches", ".", true, "Xyz", QStringLiteral("."), false},
        {"Caches", "com..x", true, "Xyz", QStringLiteral("com..x"), false},
        {"Caches", "x.com..x", true, "Xyz", QStringLiteral("com..x"), false},
        // By the name: exactly, a folder, in Application Support, Caches or Logs, three characters at least.
        {"Application Support", "Notes", true, "Notes", std::nullopt, true},
        {"Logs", "Notes", true, "Notes", std::nullopt, true},
        {"Logs", "Notes", false, "Notes", std::nullopt, false},
        {"Containers", "Notes", true, "Notes", std::nullopt, false},
        {"Preferences", "Notes.plist", false, "Notes", std::nullopt, false},
        {"Caches", "notes", true, "Notes", std::nullopt, false},
        {"Caches", "MyNotesApp", true, "Notes", std::nullopt, false},
        {"Caches", "group.Notes", true, "Notes", std::nullopt, false},
        {"Caches", "Go", true, "Go", std::nullopt, false},
        {"Caches", "anything", true, "", std::optional<QString>(QString()), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LocalUninstallPreview::matchesApp(QString::fromUtf8(c.folder), QString::fromUtf8(c.item), c.isFolder,
                                                    QString::fromUtf8(c.name), c.bundleID),
                  c.matches)
            << c.folder << "/" << c.item << " for " << c.name;
    }
}

// Applications side by side whose Library items a loose match would hand to the wrong one.
TEST(UninstallLeftovers, NoApplicationClaimsAnotherApplicationsFilesTable)
{
    TestEnv env;
    const QString apps = env.home() + QStringLiteral("/Applications");
    const QString library = env.home() + QStringLiteral("/Library");
    const struct {
        const char* bundle;
        const char* name;
        const char* id; // "" for none
        QStringList leftovers;
    } table[] = {
        {"Chrome.app",
         "Google Chrome",
         "com.google.Chrome",
         {"Caches/com.google.Chrome", "Preferences/com.google.Chrome.plist"}},
        {"VSCode.app", "Code", "com.microsoft.VSCode", {"Application Support/Code", "Caches/com.microsoft.VSCode"}},
        {"Firefox.app",
         "Firefox",
         "org.mozilla.firefox",
         {"Application Support/Firefox", "Caches/org.mozilla.firefox"}},
        {"Dot.app", "Dot", ".", {}},
        {"Com.app", "Comm", "com", {}},
        {"Plist.app", "plist", "", {}},
        {"Log.app", "log", "", {"Logs/log"}}, // its own folder only, not Logs/installer.log
        {"Mail.app", "Mail", "com.thirdparty.mail", {"Caches/com.thirdparty.mail"}},
        {"StudioA.app", "Studio", "com.a.studio", {"Caches/com.a.studio"}},
        {"StudioB.app", "Studio", "com.b.studio", {"Caches/com.b.studio"}},
    };
    for (const auto& app : table) {
        QList<QPair<QString, QString>> keys = {{"CFBundleName", QString::fromUtf8(app.name)}};
        if (*app.id)
            keys.append({"CFBundleIdentifier", QString::fromUtf8(app.id)});
        env.writeFile(apps + "/" + app.bundle + "/Contents/Info.plist", xmlInfo(keys));
    }
    for (const char* folder :
         {"Caches/com.google.Chrome", "Caches/com.google.Chrome.canary", "Application Support/com.google.Chrome.canary",
          "Application Support/Code", "Caches/com.microsoft.VSCode", "Caches/com.microsoft.VSCodeInsiders",
          "Application Support/Firefox", "Caches/org.mozilla.firefox", "Caches/org.mozilla.firefoxdeveloperedition",
          "Caches/com.apple.Safari", "Logs/log", "Containers/com.apple.mail", "Caches/com.thirdparty.mail",
          "Application Support/Studio", "Caches/com.a.studio", "Caches/com.b.studio"})
        env.writeFile(library + "/" + folder + "/data", QByteArray(100, 'x'));
    for (const char* file : {"Preferences/com.google.Chrome.plist", "Preferences/com.google.Chrome.canary.plist",
                             "Preferences/com.microsoft.VSCodeInsiders.plist", "Preferences/com.apple.finder.plist",
                             "Preferences/installer.plist", "Logs/installer.log"})
        env.writeFile(library + "/" + file, QByteArray(100, 'x'));

    const auto report = LocalUninstallPreview::snapshot(env.home());
    ASSERT_EQ(report.entries().size(), std::size(table));
    for (const auto& app : table) {
        const QString path = apps + "/" + app.bundle;
        const auto entry = std::find_if(report.entries().begin(), report.entries().end(),
                                        [&](const auto& e) { return e.path == path; });
        ASSERT_NE(entry, report.entries().end()) << app.bundle;
        QStringList relative;
        for (const QString& leftover : entry->leftoverPaths)
            relative.append(leftover.mid(library.size() + 1));
        EXPECT_EQ(relative, app.leftovers) << app.bundle;
    }
}

namespace {

// Log lines of one category, caught while the object lives.
class CaughtLog {
public:
    explicit CaughtLog(const char* rules)
    {
        lines().clear();
        QLoggingCategory::setFilterRules(QString::fromUtf8(rules));
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { lines().append(message); });
    }
    ~CaughtLog()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    static QStringList& lines()
    {
        static QStringList caught;
        return caught;
    }

private:
    QtMessageHandler m_previous = nullptr;
};

} // namespace

// A folder named after an application, or a container found through its prefix, that another
// application of the same scan has a better claim to stays out of the list.
TEST(UninstallLeftovers, AClaimByNameOrPrefixYieldsToAnotherApplicationTable)
{
    struct App {
        const char* bundle;
        const char* name;
        const char* id; // "" for none
        QStringList leftovers;
    };
    struct Case {
        const char* label;
        QList<App> apps;
        QStringList items;
        QStringList leftOut; // claimed, but left out (and logged)
    };
    const QStringList vendorFolders = {"Application Support/Google", "Caches/Google", "Application Support/Microsoft"};
    const QList<Case> cases = {
        {"a vendor folder and the vendor's browser",
         {{"Google.app", "Google", "", {}},
          {"Chrome.app", "Google Chrome", "com.google.Chrome", {"Caches/com.google.Chrome"}}},
         vendorFolders + QStringList{"Caches/com.google.Chrome"},
         {"Application Support/Google", "Caches/Google"}},
        {"letter case does not matter",
         {{"Google.app", "google", "", {}}, {"Chrome.app", "GOOGLE CHROME", "", {}}},
         {"Application Support/google"},
         {"Application Support/google"}},
        {"the vendor label of another identifier",
         {{"Microsoft.app", "Microsoft", "", {}}, {"Teams.app", "Teams", "com.microsoft.teams2", {}}},
         vendorFolders,
         {"Application Support/Microsoft"}},
        {"the vendor label, letter case ignored",
         {{"Microsoft.app", "Microsoft", "", {}}, {"Teams.app", "Teams", "COM.MICROSOFT.Teams2", {}}},
         vendorFolders,
         {"Application Support/Microsoft"}},
        {"a longer word is another name",
         {{"Google.app", "Google", "", {"Application Support/Google", "Caches/Google"}},
          {"Drive.app", "GoogleDrive", "com.googledrive.app", {}},
          {"Scholar.app", "Googler Scholar", "", {}},
          {"Teams.app", "Teams", "google", {}}}, // a single label is no vendor
         vendorFolders,
         {}},
        {"the application's own identifier does not share its name",
         {{"Microsoft.app", "Microsoft", "com.microsoft.hub", {"Application Support/Microsoft"}}},
         vendorFolders,
         {}},
        {"an identifier after a vendor's top-level label",
         {{"Helper.app", "Helper", "example.Tool.helper", {"Caches/example.Tool.helper"}}},
         {"Containers/com.example.Tool.helper", "Caches/example.Tool.helper"},
         {}},
        {"a container claimed through its prefix goes to the exact identifier",
         {{"Notes.app", "Notes", "com.example.notes", {"Group Containers/ABCDE12345.com.example.notes"}},
          {"Group.app", "Grouper", "group.com.example.notes", {"Group Containers/group.com.example.notes"}}},
         {"Group Containers/group.com.example.notes", "Group Containers/ABCDE12345.com.example.notes"},
         {}},
        {"two exact claims still share",
         {{"One.app", "One", "com.example.same", {}}, {"Two.app", "Two", "com.example.same", {}}},
         {"Caches/com.example.same"},
         {"Caches/com.example.same"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TestEnv env;
        const QString apps = env.home() + QStringLiteral("/Applications");
        const QString library = env.home() + QStringLiteral("/Library");
        for (const App& app : c.apps) {
            QList<QPair<QString, QString>> keys = {{"CFBundleName", QString::fromUtf8(app.name)}};
            if (*app.id)
                keys.append({"CFBundleIdentifier", QString::fromUtf8(app.id)});
            env.writeFile(apps + "/" + app.bundle + "/Contents/Info.plist", xmlInfo(keys));
        }
        for (const QString& item : c.items)
            env.writeFile(library + "/" + item + "/data", QByteArray(100, 'x'));

        const CaughtLog log("roror.uninstall.info=true");
        const auto report = LocalUninstallPreview::snapshot(env.home());
        for (const App& app : c.apps) {
            const QString path = apps + "/" + app.bundle;
            const auto entry = std::find_if(report.entries().begin(), report.entries().end(),
                                            [&](const auto& e) { return e.path == path; });
            ASSERT_NE(entry, report.entries().end()) << app.bundle;
            QStringList relative;
            for (const QString& leftover : entry->leftoverPaths)
                relative.append(leftover.mid(library.size() + 1));
            EXPECT_EQ(relative, app.leftovers) << app.bundle;
        }
        for (const QString& item : c.leftOut) {
            const QString path = library + "/" + item;
            EXPECT_TRUE(
                std::any_of(log.lines().begin(), log.lines().end(),
                            [&](const QString& line) { return line.contains(path) && line.contains("left out"); }))
                << item.toStdString() << " not in " << log.lines().join('\n').toStdString();
        }
    }
}

TEST_F(UninstallScan, SourceSizesAndTextsInTheScanLanguage)
{
    const QString notesApp = apps + "/Notes.app";
    const qint64 expectedApp
        = sizeOnDisk(notesApp + "/Contents/Info.plist") + sizeOnDisk(notesApp + "/Contents/MacOS/Notes");

    auto report = LocalUninstallPreview::snapshot(env.home());
    const auto* notes = entryNamed(report, "Notes");
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->source, QStringLiteral("User Apps · 4 leftovers"));
    // The framework inside the bundle is a package: not entered, so not counted.
    EXPECT_EQ(notes->appSizeBytes, expectedApp);
    EXPECT_EQ(notes->appSizeText, SizeText::bytes(expectedApp));
    EXPECT_EQ(notes->size, notes->appSizeText);
    qint64 leftoverBytes = 0;
    for (const QString& path : notes->leftoverPaths)
        leftoverBytes += LocalUninstallPreview::allocatedSize(path);
    EXPECT_GT(leftoverBytes, 0);
    EXPECT_EQ(notes->leftoverSizeText, SizeText::bytes(leftoverBytes));

    const auto* plain = entryNamed(report, "Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->source, QStringLiteral("User Apps"));
    EXPECT_EQ(plain->leftoverSizeText, SizeText::bytes(0));
    EXPECT_EQ(plain->appSizeBytes, sizeOnDisk(apps + "/Plain.app"));

    env.setLanguagePreference(QStringLiteral("chinese"));
    report = LocalUninstallPreview::snapshot(env.home());
    EXPECT_EQ(entryNamed(report, "Notes")->source, QStringLiteral("用户应用 · 4 项残留"));
    EXPECT_EQ(entryNamed(report, "Plain")->source, QStringLiteral("用户应用"));
}

TEST_F(UninstallScan, LastOpenedFallsBackToTheBundleAccessTime)
{
    if (QFileInfo::exists(QStringLiteral("/usr/bin/mdls")))
        GTEST_SKIP() << "the metadata tool is present here";
    // A date long ago: sizing the bundle reads its folders, which must not make it look just opened.
    const QDateTime opened(QDate(2020, 1, 2), QTime(3, 4, 5), QTimeZone::utc());
    setAccessTime(apps + "/Notes.app", opened);
    setAccessTime(apps + "/Foo Bar.app", opened.addDays(10));
    const auto report = LocalUninstallPreview::snapshot(env.home());
    EXPECT_EQ(entryNamed(report, "Notes")->lastOpened, opened);
    EXPECT_EQ(entryNamed(report, "Foo Bar")->lastOpened, opened.addDays(10));
}

TEST_F(UninstallScan, AnotherHomeIsScannedWithoutTheSystemFolder)
{
    const QString other = env.outside() + QStringLiteral("/otherhome");
    env.writeFile(other + "/Applications/Solo.app/Contents/Info.plist", xmlInfo({{"CFBundleName", "Solo"}}));
    env.writeFile(other + "/Library/Caches/Solo/x", "x");
    const auto report = LocalUninstallPreview::snapshot(other);
    ASSERT_EQ(report.entries().size(), 1);
    EXPECT_EQ(report.entries().at(0).source, QStringLiteral("User Apps · 1 leftovers"));
    EXPECT_EQ(report.entries().at(0).leftoverPaths, QStringList{other + "/Library/Caches/Solo"});

    const QString empty = env.makeDir(env.outside() + QStringLiteral("/emptyhome"));
    EXPECT_TRUE(LocalUninstallPreview::snapshot(empty).entries().isEmpty());
}

TEST_F(UninstallScan, LinkedApplicationAndLibraryFoldersAreListedThroughTheLink)
{
    // Applications and Caches kept elsewhere and linked into the home; a link inside them is
    // still not entered.
    const QString other = env.outside() + QStringLiteral("/linkedhome");
    const QString elsewhere = env.outside() + QStringLiteral("/disk");
    env.writeFile(elsewhere + "/apps/Solo.app/Contents/Info.plist",
                  xmlInfo({{"CFBundleName", "Solo"}, {"CFBundleIdentifier", "com.example.solo"}}));
    env.writeFile(elsewhere + "/caches/com.example.solo/blob", QByteArray(5000, 'c'));
    env.writeFile(elsewhere + "/outside-caches/com.example.solo.deep/x", "x");
    QFile::link(elsewhere + "/outside-caches", elsewhere + "/caches/linked");
    env.makeDir(other + "/Library");
    ASSERT_TRUE(QFile::link(elsewhere + "/apps", other + "/Applications"));
    ASSERT_TRUE(QFile::link(elsewhere + "/caches", other + "/Library/Caches"));

    const auto report = LocalUninstallPreview::snapshot(other);
    ASSERT_EQ(report.entries().size(), 1);
    const auto& solo = report.entries().at(0);
    EXPECT_EQ(solo.path, other + QStringLiteral("/Applications/Solo.app"));
    EXPECT_EQ(solo.id, solo.path);
    EXPECT_EQ(solo.leftoverPaths, QStringList{other + QStringLiteral("/Library/Caches/com.example.solo")});
    EXPECT_EQ(solo.leftoverSizeText, SizeText::bytes(sizeOnDisk(elsewhere + "/caches/com.example.solo/blob")));

    // A link to something that is not a folder lists nothing.
    const QString broken = env.outside() + QStringLiteral("/brokenhome");
    env.makeDir(broken);
    QFile::link(elsewhere + "/missing", broken + "/Applications");
    EXPECT_TRUE(LocalUninstallPreview::snapshot(broken).entries().isEmpty());
}

TEST_F(UninstallScan, ServiceScansTheCurrentHome)
{
    const UninstallPreviewReport fromService = UninstallPreviewService::snapshot().result();
    const UninstallPreviewReport direct = LocalUninstallPreview::snapshot(env.home());
    ASSERT_EQ(fromService.entries().size(), direct.entries().size());
    for (qsizetype i = 0; i < direct.entries().size(); ++i) {
        auto a = fromService.entries().at(i);
        auto b = direct.entries().at(i);
        a.lastOpened = b.lastOpened = std::nullopt; // reading a bundle may move its access time
        EXPECT_EQ(a, b);
    }
}

TEST(UninstallMetadata, InfoPlistInBothFormsAndBroken)
{
    TestEnv env;
    struct Case {
        const char* label;
        QByteArray plist;
        LocalUninstallPreview::AppMetadata expected;
    };
    const QList<Case> cases = {
        {"xml",
         fixture("Info-full.xml.plist"),
         {QStringLiteral("Binary Viewer"), QStringLiteral("com.example.binaryviewer")}},
        {"binary",
         fixture("Info-full.binary.plist"),
         {QStringLiteral("Binary Viewer"), QStringLiteral("com.example.binaryviewer")}},
        {"number as display name", fixture("Info-numbername.binary.plist"), {QStringLiteral("Foo"), std::nullopt}},
        {"executable only", xmlInfo({{"CFBundleExecutable", "Exec"}}), {QStringLiteral("Exec"), std::nullopt}},
        {"empty display name",
         xmlInfo({{"CFBundleDisplayName", ""}, {"CFBundleName", "N"}}),
         {QString(""), std::nullopt}},
        {"top-level array", fixture("Info-toparray.binary.plist"), {}},
        {"truncated binary", fixture("Info-full.binary.plist").left(100), {}},
        {"garbage", "garbage", {}},
    };
    for (const Case& c : cases) {
        const QString app = env.outside() + QStringLiteral("/Case.app");
        env.writeFile(app + "/Contents/Info.plist", c.plist);
        EXPECT_EQ(LocalUninstallPreview::appMetadata(app), c.expected) << c.label;
    }
    EXPECT_EQ(LocalUninstallPreview::appMetadata(env.outside() + QStringLiteral("/Missing.app")),
              LocalUninstallPreview::AppMetadata{});
    const QString piped = env.makeDir(env.outside() + QStringLiteral("/Piped.app/Contents"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(piped + "/Info.plist").constData(), 0644), 0);
    EXPECT_EQ(LocalUninstallPreview::appMetadata(env.outside() + QStringLiteral("/Piped.app")),
              LocalUninstallPreview::AppMetadata{});
}

TEST(UninstallMetadata, LastUsedDateFromTheMetadataToolOutput)
{
    const auto read = [](const QString& name) { return LocalUninstallPreview::parseLastUsedDate(fixture(name)); };
    EXPECT_EQ(read("mdls-date.txt"), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 33), QTimeZone::utc()));
    EXPECT_EQ(read("mdls-offset.txt"), QDateTime(QDate(2023, 12, 1), QTime(1, 29, 59), QTimeZone::utc()));
    EXPECT_FALSE(read("mdls-null.txt").has_value());
    for (const QByteArray& text :
         {QByteArray(""), QByteArray("  \n"), QByteArray("2024-03-05"), QByteArray("2024-13-05 14:07:33 +0000"),
          QByteArray("2024-03-05 14:07:33"), QByteArray("2024-03-05 14:07:33 +0000 extra"), QByteArray("\xff\xfe")}) {
        EXPECT_FALSE(LocalUninstallPreview::parseLastUsedDate(text).has_value()) << text.toStdString();
    }
}
