#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/support/FolderWalker.h"
#include "tests/core/engines/clean/CleanFixtures.h"
#include "tests/core/engines/clean/CleanLog.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QThread>
#include <cstring>
#include <functional>
#include <memory>
#include <gtest/gtest.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace roror;
using roror::test::TestEnv;
using Status = CleanPreviewEntryStatus;

namespace {

// "{home}" and "{outside}" stand for the fixture's folders.
QString expand(const TestEnv& env, QString text)
{
    text.replace("{home}", env.home());
    text.replace("{outside}", env.outside());
    return text;
}

bool exists(const QString& path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

void link(const TestEnv& env, const QString& target, const QString& linkPath)
{
    const QString from = expand(env, linkPath);
    QDir().mkpath(QFileInfo(from).absolutePath());
    ASSERT_TRUE(QFile::link(expand(env, target), from)) << from.toStdString();
}

// Every object below the fixture's root (home, its siblings and the outside folder) with its
// allocated size, links not followed.
QMap<QString, qint64> allObjects(const TestEnv& env)
{
    QMap<QString, qint64> objects;
    const QString root = QFileInfo(QFileInfo(env.home()).absolutePath()).absolutePath();
    walkFolder(root, {}, [&](const WalkEntry& e) {
        objects.insert(e.path, e.info.allocatedSize);
        return WalkAction::Continue;
    });
    return objects;
}

CleanPreviewReport reportOf(const TestEnv& env, const QList<std::pair<QString, Status>>& entries)
{
    CleanPreviewReport report;
    report.generatedAt = QDateTime::currentDateTime();
    for (const auto& [path, status] : entries)
        report.entries.append({QUuid::createUuid(), "S", expand(env, path), std::nullopt, status});
    return report;
}

struct Case {
    const char* name;
    std::function<void(const TestEnv&)> setup;
    QList<std::pair<QString, Status>> entries;
    qint64 removed;
    qint64 failed;
    QStringList survive;
    QStringList gone;
    QSet<QString> running = {};
    bool fromHome = false;           // run with the home folder as the current folder
    QStringList protectionList = {}; // saved as the user's list when not empty
};

constexpr Status C = Status::cleanable;

void fill(const TestEnv& env, const QStringList& files)
{
    for (const QString& f : files)
        env.writeFile(expand(env, f), QByteArray(1500 + f.size() * 37, 'x'));
}

// Runs one case in a fresh fixture and checks the counts, the bytes against what really vanished,
// and that nothing outside the home folder went.
void runCase(const Case& c)
{
    SCOPED_TRACE(c.name);
    TestEnv env;
    c.setup(env);
    if (!c.protectionList.isEmpty())
        CleanWhitelistStore::save({c.protectionList}, env.home());
    const QMap<QString, qint64> before = allObjects(env);
    const QString previousFolder = QDir::currentPath();
    if (c.fromHome)
        QDir::setCurrent(env.home());
    const LocalCleanResult result = LocalCleanExecutor::clean(reportOf(env, c.entries), {env.home()}, c.running);
    QDir::setCurrent(previousFolder);
    const QMap<QString, qint64> after = allObjects(env);

    EXPECT_EQ(result.removedCount, c.removed);
    EXPECT_EQ(result.failedCount, c.failed);
    EXPECT_FALSE(result.errorDescription.has_value());
    // The bytes reported are those of exactly what vanished, hidden files included.
    qint64 vanishedBytes = 0;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!after.contains(it.key()))
            vanishedBytes += it.value();
    }
    EXPECT_EQ(result.removedBytes, vanishedBytes);
    if (c.removed > 0) {
        EXPECT_GT(result.removedBytes, 0);
    }
    for (const QString& path : c.survive)
        EXPECT_TRUE(exists(expand(env, path))) << "should survive: " << path.toStdString();
    for (const QString& path : c.gone)
        EXPECT_FALSE(exists(expand(env, path))) << "should be gone: " << path.toStdString();
    // Nothing outside the home folder ever goes.
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!it.key().startsWith(env.home() + "/")) {
            EXPECT_TRUE(after.contains(it.key())) << "outside the root: " << it.key().toStdString();
        }
    }
}

} // namespace

TEST(LocalCleanExecutor, GuardsLinksAndProtectionTable)
{
    const QList<Case> table = {
        {"outside the root",
         [](const TestEnv& e) { fill(e, {"{outside}/cache/canary"}); },
         {{"{outside}/cache", C}},
         0,
         0,
         {"{outside}/cache/canary"},
         {}},
        {"sibling folder sharing the root's prefix",
         [](const TestEnv& e) { fill(e, {"{home}-old/canary"}); },
         {{"{home}-old", C}},
         0,
         0,
         {"{home}-old/canary"},
         {}},
        {"'..' escapes the root",
         [](const TestEnv& e) { fill(e, {"{outside}/cache/canary"}); },
         {{"{home}/Library/../../../outside/cache", C}},
         0,
         0,
         {"{outside}/cache/canary"},
         {}},
        {"relative path",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"Library/Caches", C}},
         0,
         0,
         {"{home}/Library/Caches/app/a"},
         {},
         {},
         true},
        {"the root itself",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/app/a", "{home}/notes.txt"});
         },
         {{"{home}", C}, {"{home}/Library/..", C}, {"{home}/", C}},
         0,
         0,
         {"{home}/Library/Caches/app/a", "{home}/notes.txt"},
         {}},
        {"statuses other than cleanable",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"{home}/Library/Caches", Status::done},
          {"{home}/Library/Caches", Status::skipped},
          {"{home}/Library/Caches", Status::info},
          {"{home}/Library/Caches", Status::detail},
          {"{home}/Library/Caches", Status::review},
          {"{home}/Library/Caches", Status::summary}},
         0,
         0,
         {"{home}/Library/Caches/app/a"},
         {}},
        {"protected entry",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/JetBrains/idea/x"}); },
         {{"{home}/Library/Caches/JetBrains", C}},
         0,
         0,
         {"{home}/Library/Caches/JetBrains/idea/x"},
         {}},
        {"protected children survive, the rest goes, a second pass changes nothing",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/JetBrains/x", "{home}/Library/Caches/com.apple.finder/y",
                   "{home}/Library/Caches/.DS_Store", "{home}/Library/Caches/app/z",
                   "{home}/Library/Caches/app/.hidden", "{home}/Library/Caches/top.bin"});
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Caches/", C}},
         2,
         0,
         {"{home}/Library/Caches/JetBrains/x", "{home}/Library/Caches/com.apple.finder/y",
          "{home}/Library/Caches/.DS_Store"},
         {"{home}/Library/Caches/app", "{home}/Library/Caches/top.bin"}},
        {"protected grandchildren: the folders holding them are emptied and kept",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/pypoetry/virtualenvs/env/bin/python",
                   "{home}/Library/Caches/pypoetry/cache/c", "{home}/Library/Caches/pypoetry/artifacts/a",
                   "{home}/Library/Caches/foo/bar/.DS_Store", "{home}/Library/Caches/foo/bar/data",
                   "{home}/Library/Caches/foo/other"});
         },
         {{"{home}/Library/Caches", C}},
         4,
         0,
         {"{home}/Library/Caches/pypoetry/virtualenvs/env/bin/python", "{home}/Library/Caches/foo/bar/.DS_Store"},
         {"{home}/Library/Caches/pypoetry/cache", "{home}/Library/Caches/pypoetry/artifacts",
          "{home}/Library/Caches/foo/bar/data", "{home}/Library/Caches/foo/other"}},
        {"a folder whose every child is protected",
         [](const TestEnv& e) {
             fill(e, {"{home}/.m2/repository/org/lib.jar", "{home}/.m2/repository/com/x.jar"});
         },
         {{"{home}/.m2/repository", C}},
         0,
         0,
         {"{home}/.m2/repository/org/lib.jar", "{home}/.m2/repository/com/x.jar"},
         {}},
        {"missing path and a path with a star",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"{home}/Library/Caches/nothing", C}, {"{home}/Library/Caches/*", C}},
         0,
         0,
         {"{home}/Library/Caches/app/a"},
         {}},
        {"a file entry",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Logs/app.log", "{home}/Library/Logs/keep.log"});
         },
         {{"{home}/Library/Logs/app.log", C}},
         1,
         0,
         {"{home}/Library/Logs/keep.log"},
         {"{home}/Library/Logs/app.log"}},
        {"link: an entry that is a link is passed over",
         [](const TestEnv& e) {
             fill(e, {"{outside}/caches/canary", "{outside}/file-canary"});
             link(e, "{outside}/caches", "{home}/Library/Caches");
             link(e, "{outside}/file-canary", "{home}/Library/Logs/app.log");
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/app.log", C}},
         0,
         0,
         {"{outside}/caches/canary", "{outside}/file-canary", "{home}/Library/Caches", "{home}/Library/Logs/app.log"},
         {}},
        {"link: a child that is a link is removed as a link",
         [](const TestEnv& e) {
             fill(e, {"{outside}/dir/canary", "{outside}/file-canary", "{home}/Library/Caches/real/r"});
             link(e, "{outside}/dir", "{home}/Library/Caches/escape");
             link(e, "{outside}/file-canary", "{home}/Library/Caches/filelink");
             link(e, "{outside}/dir", "{home}/Library/Caches/real/deeper-link");
         },
         {{"{home}/Library/Caches", C}},
         3,
         0,
         {"{outside}/dir/canary", "{outside}/file-canary"},
         {"{home}/Library/Caches/escape", "{home}/Library/Caches/filelink", "{home}/Library/Caches/real"}},
        {"link: a link in the middle of the path leads outside",
         [](const TestEnv& e) {
             fill(e, {"{outside}/lib/Caches/canary", "{outside}/lib/Logs/log-canary"});
             link(e, "{outside}/lib", "{home}/Library");
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/log-canary", C}},
         0,
         0,
         {"{outside}/lib/Caches/canary", "{outside}/lib/Logs/log-canary"},
         {}},
        {"a running browser keeps its caches",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/Google/Chrome/x", "{home}/Library/Caches/Google/Update/u",
                   "{home}/Library/Caches/other/y", "{home}/Library/Caches/Firefox/f"});
         },
         {{"{home}/Library/Caches/Google/Chrome", C}, {"{home}/Library/Caches", C}},
         3,
         0,
         {"{home}/Library/Caches/Google/Chrome/x"},
         {"{home}/Library/Caches/Google/Update", "{home}/Library/Caches/other", "{home}/Library/Caches/Firefox"},
         {"Google Chrome Helper", "firefox"}},
        {"no entries", [](const TestEnv&) {}, {}, 0, 0, {}, {}},
        {"the home's Library and Applications folders are roots and are never emptied",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/app/a", "{home}/Library/Preferences/p.plist", "{home}/Applications/X.app/x"});
         },
         {{"{home}/Library", C}, {"{home}/Library/", C}, {"{home}/Library/Caches/..", C}, {"{home}/Applications", C}},
         0,
         0,
         {"{home}/Library/Caches/app/a", "{home}/Library/Preferences/p.plist", "{home}/Applications/X.app/x"},
         {}},
        {"an entry path holding a NUL is refused, not cut short by the kernel",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/com.apple.finder/f", "{home}/Library/Logs/l"});
         },
         {{QStringLiteral("{home}/Library/Caches/com.apple.finder") + QChar(0) + QStringLiteral("x"), C},
          {QStringLiteral("{home}/Library/Logs") + QChar(0), C}},
         0,
         0,
         {"{home}/Library/Caches/com.apple.finder/f", "{home}/Library/Logs/l"},
         {}},
    };

    for (const Case& c : table)
        runCase(c);
}

// Each pattern here used to let the folder it names be deleted.
TEST(LocalCleanExecutor, ProtectionPatternsKeepWhatTheyNameTable)
{
    const QString nfc = QStringLiteral("Caf\u00E9");
    const QString nfd = QStringLiteral("Cafe\u0301");
    const auto keepAndOther = [](const TestEnv& e) {
        fill(e, {"{home}/Library/Caches/keep/a", "{home}/Library/Caches/keep/sub/b", "{home}/Library/Caches/other/o"});
    };
    const QStringList keepSurvives = {"{home}/Library/Caches/keep/a", "{home}/Library/Caches/keep/sub/b"};
    QList<Case> table = {
        {"a doubled slash",
         keepAndOther,
         {{"{home}/Library/Caches", C}},
         1,
         0,
         keepSurvives,
         {"{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches//keep"}},
        {"a '.' component",
         keepAndOther,
         {{"{home}/Library/Caches", C}},
         1,
         0,
         keepSurvives,
         {"{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches/./keep"}},
        {"a '..' component",
         keepAndOther,
         {{"{home}/Library/Caches", C}},
         1,
         0,
         keepSurvives,
         {"{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches/x/../keep"}},
        {"a composed name for a name stored decomposed",
         [nfd](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/" + nfd + "/menu", "{home}/Library/Caches/other/o"});
         },
         {{"{home}/Library/Caches", C}},
         1,
         0,
         {"{home}/Library/Caches/" + nfd + "/menu"},
         {"{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches/" + nfc}},
        {"a wildcard covers an entry below what it matches",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Developer/Xcode/DerivedData/ModuleCache.noindex/m.pcm",
                   "{home}/Library/Application Support/Google/Chrome/Default/Code Cache/js/i"});
         },
         {{"{home}/Library/Developer/Xcode/DerivedData/ModuleCache.noindex", C},
          {"{home}/Library/Application Support/Google/Chrome/Default/Code Cache", C}},
         0,
         0,
         {"{home}/Library/Developer/Xcode/DerivedData/ModuleCache.noindex/m.pcm",
          "{home}/Library/Application Support/Google/Chrome/Default/Code Cache/js/i"},
         {},
         {},
         false,
         {"~/Library/Developer/*/DerivedData", "~/Library/Application Support/Google/*/Default"}},
        {"a pattern naming a link keeps the link and what it points to",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/com.vendor.models-store/weights.bin", "{home}/Library/Caches/other/o"});
             link(e, "{home}/Library/Caches/com.vendor.models-store", "{home}/Library/Caches/models");
         },
         {{"{home}/Library/Caches", C}},
         1,
         0,
         {"{home}/Library/Caches/models", "{home}/Library/Caches/com.vendor.models-store/weights.bin"},
         {"{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches/models"}},
        {"a pattern through a version link keeps the link and the versioned folder",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/tool/v2/models/m.bin", "{home}/Library/Caches/tool/v2/bin/tool",
                   "{home}/Library/Caches/tool/v1/old"});
             link(e, "{home}/Library/Caches/tool/v2", "{home}/Library/Caches/tool/current");
         },
         {{"{home}/Library/Caches", C}},
         2,
         0,
         {"{home}/Library/Caches/tool/current", "{home}/Library/Caches/tool/v2/models/m.bin"},
         {"{home}/Library/Caches/tool/v2/bin", "{home}/Library/Caches/tool/v1"},
         {},
         false,
         {"~/Library/Caches/tool/current/models"}},
        {"a folder on the way to a protected path stays, emptied, though that path is not there yet",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/tool/old/x", "{home}/Library/Caches/other/o"});
         },
         {{"{home}/Library/Caches", C}},
         2,
         0,
         {"{home}/Library/Caches/tool"},
         {"{home}/Library/Caches/tool/old", "{home}/Library/Caches/other"},
         {},
         false,
         {"~/Library/Caches/tool/models"}},
    };
    for (const Case& c : table)
        runCase(c);
}

TEST(LocalCleanExecutor, TheHomeTrashIsEmptiedThroughItsContentFoldersWhichStay)
{
    TestEnv env;
    const QString trash = env.home() + "/.local/share/Trash";
    fill(env,
         {trash + "/files/old.dmg", trash + "/files/dir/y", trash + "/info/old.dmg.trashinfo",
          trash + "/info/dir.trashinfo"});
    const LocalCleanResult result = LocalCleanExecutor::clean(reportOf(env, {{trash, C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 4);
    EXPECT_EQ(result.failedCount, 0);
    for (const char* folder : {"/files", "/info"}) {
        EXPECT_TRUE(QFileInfo(trash + folder).isDir()) << folder;
        EXPECT_TRUE(QDir(trash + folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            << folder;
    }
}

TEST(LocalCleanExecutor, AHardLinkedFileCountsItsSpaceOnce)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/a/file"});
    env.makeDir("Library/Caches/b");
    const QString caches = env.home() + "/Library/Caches";
    ASSERT_EQ(
        ::link(QFile::encodeName(caches + "/a/file").constData(), QFile::encodeName(caches + "/b/twin").constData()),
        0);
    ASSERT_EQ(
        ::link(QFile::encodeName(caches + "/a/file").constData(), QFile::encodeName(caches + "/third").constData()), 0);
    const auto size = [](const QString& path) {
        struct stat st { };
        ::lstat(QFile::encodeName(path).constData(), &st);
        return static_cast<qint64>(st.st_blocks) * 512;
    };
    const qint64 expected = size(caches + "/a/file") + size(caches + "/a") + size(caches + "/b");
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 3);
    EXPECT_EQ(result.removedBytes, expected);
}

// Its bytes used to be reported as freed though the other link kept them on the disk.
TEST(LocalCleanExecutor, AFileStillLinkedOutsideTheCacheFreesNothing)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/app/shared.bin", "{home}/Library/Caches/app/own.bin"});
    const QString outside = env.makeDir(env.outside() + "/keep") + "/shared.bin";
    ASSERT_EQ(::link(QFile::encodeName(env.home() + "/Library/Caches/app/shared.bin").constData(),
                     QFile::encodeName(outside).constData()),
              0);
    struct stat own { };
    struct stat folder { };
    ::lstat(QFile::encodeName(env.home() + "/Library/Caches/app/own.bin").constData(), &own);
    ::lstat(QFile::encodeName(env.home() + "/Library/Caches/app").constData(), &folder);

    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_EQ(result.removedBytes, (own.st_blocks + folder.st_blocks) * 512);
    EXPECT_FALSE(exists(env.home() + "/Library/Caches/app"));
    EXPECT_TRUE(exists(outside));
}

TEST(LocalCleanExecutor, AFolderEntryIsEmptiedAndKept)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/a/b/c", "{home}/Library/Caches/.hidden-dir/h"});
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 2);
    EXPECT_TRUE(QFileInfo(env.home() + "/Library/Caches").isDir());
    EXPECT_TRUE(QDir(env.home() + "/Library/Caches")
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

TEST(LocalCleanExecutor, NoAllowedRootsRemovesNothing)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/a"});
    EXPECT_EQ(LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {}, {}), LocalCleanResult{});
    EXPECT_TRUE(exists(env.home() + "/Library/Caches/a"));
}

TEST(LocalCleanExecutor, TheFileSystemRootIsNoAllowedRoot)
{
    TestEnv env;
    fill(env, {"{outside}/cache/canary"});
    link(env, "/", "{home}/rootlink");
    for (const QString& root : {QStringLiteral("/"), env.home() + "/rootlink"}) {
        SCOPED_TRACE(root.toStdString());
        const QString entry = (root == "/" ? QString() : root) + env.outside() + "/cache";
        EXPECT_EQ(LocalCleanExecutor::clean(reportOf(env, {{entry, C}}), {root}, {}), LocalCleanResult{});
        EXPECT_TRUE(exists(env.outside() + "/cache/canary"));
    }
}

TEST(LocalCleanExecutor, AProtectionListThatCannotBeUsedStopsTheCleanTable)
{
    const struct {
        const char* name;
        std::function<void(const TestEnv&)> breakList;
        QString mentions; // besides "protection list"
        bool fifo = false;
    } table[] = {
        {"not UTF-8", [](const TestEnv& e) { e.writeFile(".config/roror/whitelist", QByteArray("/x\n\xff\xfe\n")); },
         "whitelist"},
        {"not a file", [](const TestEnv& e) { e.makeDir(".config/roror/whitelist"); }, "whitelist"},
        {"legacy list not UTF-8",
         [](const TestEnv& e) { e.writeFile(".config/zida/whitelist", QByteArray("\xc3\x28")); }, "zida/whitelist"},
        // Used to hang the clean until something wrote to the pipe.
        {"a named pipe",
         [](const TestEnv& e) { ASSERT_TRUE(test::makeFifo(e.makeDir(".config/roror") + "/whitelist")); }, "whitelist",
         true},
        {"a link to a device", [](const TestEnv& e) { link(e, "/dev/zero", "{home}/.config/roror/whitelist"); },
         "whitelist"},
        {"larger than 1 MiB",
         [](const TestEnv& e) {
             e.writeFile(".config/roror/whitelist", "~/Library/Caches/app\n" + QByteArray(1024 * 1024, '#'));
         },
         "1 MiB"},
        // A relative line used to protect nothing, and what it named was deleted.
        {"a relative line",
         [](const TestEnv& e) {
             e.writeFile(".config/roror/whitelist", "# mine\nFINDER_METADATA\nLibrary/Caches/app\n");
         },
         "Library/Caches/app"},
        {"another user's home",
         [](const TestEnv& e) { e.writeFile(".config/zida/whitelist", "~someone/Library/Logs\n"); },
         "~someone/Library/Logs"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        fill(env, {"{home}/Library/Caches/app/a", "{home}/Library/Logs/l"});
        c.breakList(env);
        const auto run = [&env] {
            return LocalCleanExecutor::clean(
                reportOf(env, {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/l", C}}), {env.home()}, {});
        };
        const LocalCleanResult result
            = c.fifo ? test::withFifoUnblocked(env.home() + "/.config/roror/whitelist", run) : run();
        EXPECT_EQ(result.removedCount, 0);
        EXPECT_EQ(result.failedCount, 0);
        EXPECT_EQ(result.removedBytes, 0);
        ASSERT_TRUE(result.errorDescription.has_value());
        EXPECT_TRUE(result.errorDescription->contains("protection list")) << result.errorDescription->toStdString();
        EXPECT_TRUE(result.errorDescription->contains(c.mentions)) << result.errorDescription->toStdString();
        EXPECT_TRUE(exists(env.home() + "/Library/Caches/app/a"));
        EXPECT_TRUE(exists(env.home() + "/Library/Logs/l"));
    }
}

// A wildcard used to keep every regular file below its fixed start, so nothing was removed.
TEST(LocalCleanExecutor, BelowAWildcardOnlyWhatItCoversAndTheWayThereStayTable)
{
    QList<Case> table = {
        {"a wildcard inside the entry",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/.npm/_cacache/index/a", "{home}/.npm/_cacache/keep/k", "{home}/.npm/x.json",
                   "{home}/.npm/_logs/l.log"});
         },
         {{"{home}/.npm", C}},
         3,
         0,
         {"{home}/.npm/_cacache/keep/k", "{home}/.npm/_cacache/index", "{home}/.npm/_logs"},
         {"{home}/.npm/_cacache/index/a", "{home}/.npm/x.json", "{home}/.npm/_logs/l.log"},
         {},
         false,
         {"~/.npm/*/keep"}},
        {"a wildcard further down, beside a link that may lead to it",
         [](const TestEnv& e) {
             fill(e,
                  {"{home}/Library/Caches/tool/models/m.bin", "{home}/Library/Caches/tool/cache.bin",
                   "{home}/Library/Caches/top.bin", "{outside}/elsewhere/models/n.bin"});
             link(e, "{outside}/elsewhere", "{home}/Library/Caches/lnk");
         },
         {{"{home}/Library/Caches", C}},
         2,
         0,
         {"{home}/Library/Caches/tool/models/m.bin", "{home}/Library/Caches/lnk"},
         {"{home}/Library/Caches/tool/cache.bin", "{home}/Library/Caches/top.bin"},
         {},
         false,
         {"~/Library/Caches/*/models/*"}},
        {"a wildcard's fixed start beside the entry",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Logs/app/a.log", "{home}/Library/Logs/keep.log"});
         },
         {{"{home}/Library/Logs", C}},
         1,
         0,
         {"{home}/Library/Logs/keep.log"},
         {"{home}/Library/Logs/app"},
         {},
         false,
         {"~/Library/Logs/keep*.log"}},
    };
    for (const Case& c : table)
        runCase(c);
}

TEST(LocalCleanExecutor, TheUsersListIsApplied)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/keep-me/a", "{home}/Library/Caches/JetBrains/j", "{home}/Library/Caches/go/g"});
    CleanWhitelistStore::save({{"~/Library/Caches/keep-me"}}, env.home());
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 2) << "the list replaces the defaults, so JetBrains goes too";
    EXPECT_TRUE(exists(env.home() + "/Library/Caches/keep-me/a"));
    EXPECT_FALSE(exists(env.home() + "/Library/Caches/JetBrains"));
}

TEST(LocalCleanExecutor, ARefusedRelativeRootDoesNotChooseTheProtectionList)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/keep-me/a", "{home}/Library/Caches/go/g", "{outside}/rel/.config/roror/x"});
    CleanWhitelistStore::save({{"~/Library/Caches/keep-me"}}, env.home());
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(env.outside());
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {"rel", env.home()}, {});
    QDir::setCurrent(previousFolder);
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_TRUE(exists(env.home() + "/Library/Caches/keep-me/a"));
    EXPECT_FALSE(exists(env.home() + "/Library/Caches/go"));
}

TEST(LocalCleanExecutor, FailedRemovalsAreCountedAsFailed)
{
    if (test::ranUnprivileged())
        return;
    TestEnv env;
    fill(env, {"{home}/Library/Caches/locked/inner/f", "{home}/Library/Caches/free/g"});
    const QString locked = env.home() + "/Library/Caches/locked/inner";
    ::chmod(QFile::encodeName(locked).constData(), 0500);
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    ::chmod(QFile::encodeName(locked).constData(), 0700);
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_EQ(result.failedCount, 1);
    EXPECT_TRUE(exists(locked + "/f"));
}

TEST(LocalCleanExecutor, TheProcessTableOverloadCleansToo)
{
    TestEnv env;
    fill(env, {"{home}/Library/Logs/app.log"});
    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Logs/app.log", C}}), {env.home()});
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_FALSE(exists(env.home() + "/Library/Logs/app.log"));
}

TEST(LocalCleanExecutor, WhatIsPassedOverOrKeptIsLogged)
{
    TestEnv env;
    fill(env,
         {"{home}/Library/Caches/app/.DS_Store", "{home}/Library/Caches/app/x", "{home}/Library/Caches/go/g",
          "{home}/Library/Caches/tool/old/o", "{outside}/o"});
    link(env, "{outside}", "{home}/Library/Logs");
    CleanWhitelistStore::save({{"FINDER_METADATA", "~/Library/Caches/tool/models"}}, env.home());
    const test::CleanLog log;
    const LocalCleanResult result = LocalCleanExecutor::clean(
        reportOf(env,
                 {{"{home}/Library/Caches", C}, {"{home}/Library/Logs", C}, {"{home}/missing", C}, {"{outside}/o", C}}),
        {env.home()}, {});
    EXPECT_EQ(result.removedCount, 3) << "app/x, go and tool/old";
    const QStringList lines = log.lines();
    const auto logged = [&](const QString& words, const QString& path) {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& line) {
            return line.contains(words) && line.contains(expand(env, path));
        });
    };
    EXPECT_TRUE(logged("protected", "{home}/Library/Caches/app/.DS_Store")) << lines.join('\n').toStdString();
    EXPECT_TRUE(logged("on the way to a protected path", "{home}/Library/Caches/tool"));
    EXPECT_TRUE(logged("a link", "{home}/Library/Logs"));
    EXPECT_TRUE(logged("missing", "{home}/missing"));
    EXPECT_TRUE(logged("not inside an allowed root", "{outside}/o"));
}

namespace {

// Runs the calling thread with the file-system identity of an unprivileged user, so permissions stop
// it as they stop a normal user (the fixture is handed to that user first). Nothing changes when the
// test already runs unprivileged. Only this thread is affected, and the identity is restored.
class UnprivilegedThread {
public:
    explicit UnprivilegedThread(const TestEnv& env)
    {
        if (::geteuid() != 0)
            return;
        const QString root = QFileInfo(QFileInfo(env.home()).absolutePath()).absolutePath();
        chownTree(root);
        ::setfsgid(kNobody);
        ::setfsuid(kNobody);
        m_switched = true;
    }
    ~UnprivilegedThread()
    {
        if (m_switched) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    UnprivilegedThread(const UnprivilegedThread&) = delete;
    UnprivilegedThread& operator=(const UnprivilegedThread&) = delete;

    // setfsuid answers with the previous identity, so asking twice reads the current one.
    static bool isUnprivileged()
    {
        return ::geteuid() != 0 || static_cast<int>(::setfsuid(static_cast<uid_t>(-1))) == kNobody;
    }

private:
    static constexpr int kNobody = 65534;
    static void chownTree(const QString& root)
    {
        ::lchown(QFile::encodeName(root).constData(), kNobody, kNobody);
        walkFolder(root, {}, [](const WalkEntry& e) {
            ::lchown(QFile::encodeName(e.path).constData(), kNobody, kNobody);
            return WalkAction::Continue;
        });
    }
    bool m_switched = false;
};

void setMode(const QString& path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}

} // namespace

TEST(LocalCleanExecutor, AnEntryThatCannotBeOpenedCountsAsFailedTable)
{
    const struct {
        const char* name;
        const char* locked; // made unreadable and untraversable
        const char* entry;
    } table[] = {
        {"the entry folder", "{home}/Library/Caches", "{home}/Library/Caches"},
        {"the folder holding the entry", "{home}/Library/Logs", "{home}/Library/Logs/app"},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        fill(env, {"{home}/Library/Caches/app/a", "{home}/Library/Logs/app/l"});
        const QString locked = expand(env, QString::fromUtf8(c.locked));
        LocalCleanResult result;
        {
            const UnprivilegedThread unprivileged(env);
            ASSERT_TRUE(UnprivilegedThread::isUnprivileged());
            setMode(locked, 0);
            result = LocalCleanExecutor::clean(reportOf(env, {{QString::fromUtf8(c.entry), C}}), {env.home()}, {});
            setMode(locked, 0700);
        }
        EXPECT_EQ(result.removedCount, 0);
        EXPECT_EQ(result.failedCount, 1);
        EXPECT_TRUE(exists(env.home() + "/Library/Caches/app/a"));
        EXPECT_TRUE(exists(env.home() + "/Library/Logs/app/l"));
    }
}

namespace {

constexpr int kDeepLevels = 19500;

// A chain of folders named "d", deeper than any path the kernel takes whole, made one level at a time.
bool makeChain(const QString& top, int levels)
{
    int fd = ::open(QFile::encodeName(top).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < levels && fd >= 0; ++i) {
        if (::mkdirat(fd, "d", 0700) != 0) {
            ::close(fd);
            return false;
        }
        const int child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = child;
    }
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Removes what is left of such a chain without recursion: down to its end, then up through "..".
void removeChain(const QString& top)
{
    int fd = ::open(QFile::encodeName(top).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int depth = 0;
    for (int child; fd >= 0 && (child = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) >= 0;
         ++depth) {
        ::close(fd);
        fd = child;
    }
    for (; fd >= 0 && depth > 0; --depth) {
        const int parent = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = parent;
        if (fd >= 0)
            ::unlinkat(fd, "d", AT_REMOVEDIR);
    }
    if (fd >= 0)
        ::close(fd);
}

} // namespace

TEST(LocalCleanExecutor, AFolderTreeNestedThousandsDeepIsRemovedWithoutExhaustingTheStack)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/top.bin"});
    const QString deep = env.makeDir("Library/Caches/deep");
    ASSERT_TRUE(makeChain(deep, kDeepLevels));

    // The preview and the clean run on pool threads, whose stacks are small on some platforms (512 KB
    // for a secondary thread on macOS); the walks must not depend on the depth of the tree for stack.
    const auto onSmallStack = [](const std::function<void()>& work) {
        std::unique_ptr<QThread> thread(QThread::create(work));
        thread->setStackSize(512 * 1024);
        thread->start();
        thread->wait();
    };
    LocalCleanPreview::LocationSummary measured;
    onSmallStack([&] { measured = LocalCleanPreview::directorySummary(env.home() + "/Library/Caches"); });
    EXPECT_GT(measured.items, 2);
    LocalCleanResult result;
    onSmallStack([&] {
        result = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    });
    const bool left = exists(deep);
    if (left)
        removeChain(deep);
    EXPECT_FALSE(left);
    EXPECT_EQ(result.removedCount, 2);
    EXPECT_EQ(result.failedCount, 0);
    EXPECT_GT(result.removedBytes, qint64(kDeepLevels) * 512);
}

// Folders bound into the cache from elsewhere, undone whatever the test's outcome. Where it can, the
// test thread gets a mount namespace of its own first, so no other process ever sees the mounts.
class CleanAcrossMounts : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "bind mounts need root";
        m_hostNamespace = ::open("/proc/thread-self/ns/mnt", O_RDONLY | O_CLOEXEC);
        if (m_hostNamespace >= 0 && ::unshare(CLONE_NEWNS) == 0) {
            m_private = ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
            if (!m_private)
                leaveNamespace();
        }
    }
    void TearDown() override
    {
        for (auto it = m_mounts.rbegin(); it != m_mounts.rend(); ++it)
            ::umount2(QFile::encodeName(*it).constData(), MNT_DETACH);
        m_mounts.clear();
        if (m_private)
            leaveNamespace();
        if (m_hostNamespace >= 0)
            ::close(m_hostNamespace);
    }
    // False when this system does not allow the mount (a container without the right).
    bool bind(const QString& from, const QString& onto)
    {
        if (!QFileInfo::exists(from))
            QDir().mkpath(from);
        if (!QFileInfo::exists(onto))
            QDir().mkpath(onto);
        if (::mount(QFile::encodeName(from).constData(), QFile::encodeName(onto).constData(), nullptr, MS_BIND, nullptr)
            != 0)
            return false;
        m_mounts.append(onto);
        return true;
    }
    QString why() const
    {
        return QStringLiteral("bind mounts are not allowed here (%1, %2 mount namespace)")
            .arg(QString::fromLocal8Bit(std::strerror(errno)), m_private ? "private" : "shared");
    }

    TestEnv env;
    QStringList m_mounts;

private:
    void leaveNamespace()
    {
        ::setns(m_hostNamespace, CLONE_NEWNS);
        m_private = false;
    }
    int m_hostNamespace = -1;
    bool m_private = false;
};

// The entry's own device used to be the reference, so a mount named by an entry was emptied.
TEST_F(CleanAcrossMounts, AnEntryThatIsAMountPointIsNeitherEnteredNorRemovedTable)
{
    const struct {
        const char* name;
        const char* from;
        const char* onto; // the entry
        bool file;
    } table[] = {
        {"a folder bound from elsewhere", "{outside}/shared-npm", "{home}/.npm", false},
        {"a folder bound from inside the home", "{home}/Documents/project-cache", "{home}/Library/Caches/tool", false},
        {"a file bound from elsewhere", "{outside}/shared.log", "{home}/Library/Logs/app.log", true},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        const QString from = expand(env, QString::fromUtf8(c.from));
        const QString onto = expand(env, QString::fromUtf8(c.onto));
        const QString precious = c.file ? from : from + "/precious.txt";
        env.writeFile(precious, "keep me");
        if (c.file)
            env.writeFile(onto, QByteArray());
        if (!bind(from, onto))
            GTEST_SKIP() << why().toStdString();
        const test::CleanLog log;
        const LocalCleanResult result = LocalCleanExecutor::clean(reportOf(env, {{onto, C}}), {env.home()}, {});
        EXPECT_EQ(result.removedCount, 0);
        EXPECT_EQ(result.failedCount, 1);
        EXPECT_TRUE(log.lines().filter("failed").filter(onto).size() == 1) << log.lines().join('\n').toStdString();
        EXPECT_EQ(result.removedBytes, 0);
        EXPECT_TRUE(exists(precious));
    }
}

TEST_F(CleanAcrossMounts, NothingOnAnotherMountIsEnteredOrRemoved)
{
    fill(env,
         {"{outside}/shared/precious.txt", "{outside}/shared/inner/deep.txt", "{outside}/volume/data.db",
          "{home}/Library/Caches/app/cache.bin", "{home}/Library/Caches/other/o"});
    if (!bind(env.outside() + "/shared", env.home() + "/Library/Caches/app/mnt")
        || !bind(env.outside() + "/volume", env.home() + "/Library/Caches/volume"))
        GTEST_SKIP() << why().toStdString();

    const LocalCleanResult result
        = LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 2);
    EXPECT_EQ(result.failedCount, 2) << "each mount counts as failed";
    for (const char* kept :
         {"{outside}/shared/precious.txt", "{outside}/shared/inner/deep.txt", "{outside}/volume/data.db",
          "{home}/Library/Caches/app/mnt/precious.txt", "{home}/Library/Caches/volume/data.db"})
        EXPECT_TRUE(exists(expand(env, QString::fromUtf8(kept)))) << kept;
    EXPECT_FALSE(exists(env.home() + "/Library/Caches/app/cache.bin"));
    EXPECT_FALSE(exists(env.home() + "/Library/Caches/other"));
}
