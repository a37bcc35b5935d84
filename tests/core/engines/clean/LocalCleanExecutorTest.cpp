#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/support/FolderWalker.h"
#include "tests/support/TestEnv.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
    struct stat st {};
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
    bool fromHome = false; // run with the home folder as the current folder
};

constexpr Status C = Status::cleanable;

void fill(const TestEnv& env, const QStringList& files)
{
    for (const QString& f : files)
        env.writeFile(expand(env, f), QByteArray(1500 + f.size() * 37, 'x'));
}

} // namespace

TEST(LocalCleanExecutor, GuardsLinksAndProtectionTable)
{
    const QList<Case> table = {
        {"outside the root",
         [](const TestEnv& e) { fill(e, {"{outside}/cache/canary"}); },
         {{"{outside}/cache", C}}, 0, 0, {"{outside}/cache/canary"}, {}},
        {"sibling folder sharing the root's prefix",
         [](const TestEnv& e) { fill(e, {"{home}-old/canary"}); },
         {{"{home}-old", C}}, 0, 0, {"{home}-old/canary"}, {}},
        {"'..' escapes the root",
         [](const TestEnv& e) { fill(e, {"{outside}/cache/canary"}); },
         {{"{home}/Library/../../../outside/cache", C}}, 0, 0, {"{outside}/cache/canary"}, {}},
        {"relative path",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"Library/Caches", C}}, 0, 0, {"{home}/Library/Caches/app/a"}, {}, {}, true},
        {"the root itself",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a", "{home}/notes.txt"}); },
         {{"{home}", C}, {"{home}/Library/..", C}, {"{home}/", C}}, 0, 0,
         {"{home}/Library/Caches/app/a", "{home}/notes.txt"}, {}},
        {"statuses other than cleanable",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"{home}/Library/Caches", Status::done}, {"{home}/Library/Caches", Status::skipped},
          {"{home}/Library/Caches", Status::info}, {"{home}/Library/Caches", Status::detail},
          {"{home}/Library/Caches", Status::review}, {"{home}/Library/Caches", Status::summary}},
         0, 0, {"{home}/Library/Caches/app/a"}, {}},
        {"protected entry",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/JetBrains/idea/x"}); },
         {{"{home}/Library/Caches/JetBrains", C}}, 0, 0, {"{home}/Library/Caches/JetBrains/idea/x"}, {}},
        {"protected children survive, the rest goes, a second pass changes nothing",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/JetBrains/x", "{home}/Library/Caches/com.apple.finder/y",
                      "{home}/Library/Caches/.DS_Store", "{home}/Library/Caches/app/z",
                      "{home}/Library/Caches/app/.hidden", "{home}/Library/Caches/top.bin"});
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Caches/", C}}, 2, 0,
         {"{home}/Library/Caches/JetBrains/x", "{home}/Library/Caches/com.apple.finder/y",
          "{home}/Library/Caches/.DS_Store"},
         {"{home}/Library/Caches/app", "{home}/Library/Caches/top.bin"}},
        {"protected grandchildren: the folders holding them are emptied and kept",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/pypoetry/virtualenvs/env/bin/python",
                      "{home}/Library/Caches/pypoetry/cache/c", "{home}/Library/Caches/pypoetry/artifacts/a",
                      "{home}/Library/Caches/foo/bar/.DS_Store", "{home}/Library/Caches/foo/bar/data",
                      "{home}/Library/Caches/foo/other"});
         },
         {{"{home}/Library/Caches", C}}, 4, 0,
         {"{home}/Library/Caches/pypoetry/virtualenvs/env/bin/python", "{home}/Library/Caches/foo/bar/.DS_Store"},
         {"{home}/Library/Caches/pypoetry/cache", "{home}/Library/Caches/pypoetry/artifacts",
          "{home}/Library/Caches/foo/bar/data", "{home}/Library/Caches/foo/other"}},
        {"a folder whose every child is protected",
         [](const TestEnv& e) { fill(e, {"{home}/.m2/repository/org/lib.jar", "{home}/.m2/repository/com/x.jar"}); },
         {{"{home}/.m2/repository", C}}, 0, 0,
         {"{home}/.m2/repository/org/lib.jar", "{home}/.m2/repository/com/x.jar"}, {}},
        {"missing path and a path with a star",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Caches/app/a"}); },
         {{"{home}/Library/Caches/nothing", C}, {"{home}/Library/Caches/*", C}}, 0, 0,
         {"{home}/Library/Caches/app/a"}, {}},
        {"a file entry",
         [](const TestEnv& e) { fill(e, {"{home}/Library/Logs/app.log", "{home}/Library/Logs/keep.log"}); },
         {{"{home}/Library/Logs/app.log", C}}, 1, 0, {"{home}/Library/Logs/keep.log"}, {"{home}/Library/Logs/app.log"}},
        {"link: an entry that is a link is passed over",
         [](const TestEnv& e) {
             fill(e, {"{outside}/caches/canary", "{outside}/file-canary"});
             link(e, "{outside}/caches", "{home}/Library/Caches");
             link(e, "{outside}/file-canary", "{home}/Library/Logs/app.log");
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/app.log", C}}, 0, 0,
         {"{outside}/caches/canary", "{outside}/file-canary", "{home}/Library/Caches", "{home}/Library/Logs/app.log"},
         {}},
        {"link: a child that is a link is removed as a link",
         [](const TestEnv& e) {
             fill(e, {"{outside}/dir/canary", "{outside}/file-canary", "{home}/Library/Caches/real/r"});
             link(e, "{outside}/dir", "{home}/Library/Caches/escape");
             link(e, "{outside}/file-canary", "{home}/Library/Caches/filelink");
             link(e, "{outside}/dir", "{home}/Library/Caches/real/deeper-link");
         },
         {{"{home}/Library/Caches", C}}, 3, 0, {"{outside}/dir/canary", "{outside}/file-canary"},
         {"{home}/Library/Caches/escape", "{home}/Library/Caches/filelink", "{home}/Library/Caches/real"}},
        {"link: a link in the middle of the path leads outside",
         [](const TestEnv& e) {
             fill(e, {"{outside}/lib/Caches/canary", "{outside}/lib/Logs/log-canary"});
             link(e, "{outside}/lib", "{home}/Library");
         },
         {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/log-canary", C}}, 0, 0,
         {"{outside}/lib/Caches/canary", "{outside}/lib/Logs/log-canary"}, {}},
        {"a running browser keeps its caches",
         [](const TestEnv& e) {
             fill(e, {"{home}/Library/Caches/Google/Chrome/x", "{home}/Library/Caches/Google/Update/u",
                      "{home}/Library/Caches/other/y", "{home}/Library/Caches/Firefox/f"});
         },
         {{"{home}/Library/Caches/Google/Chrome", C}, {"{home}/Library/Caches", C}}, 3, 0,
         {"{home}/Library/Caches/Google/Chrome/x"},
         {"{home}/Library/Caches/Google/Update", "{home}/Library/Caches/other", "{home}/Library/Caches/Firefox"},
         {"Google Chrome Helper", "firefox"}},
        {"no entries", [](const TestEnv&) {}, {}, 0, 0, {}, {}},
    };

    for (const Case& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        c.setup(env);
        const QMap<QString, qint64> before = allObjects(env);
        const QString previousFolder = QDir::currentPath();
        if (c.fromHome)
            QDir::setCurrent(env.home());
        const LocalCleanResult result =
            LocalCleanExecutor::clean(reportOf(env, c.entries), {env.home()}, c.running);
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
}

TEST(LocalCleanExecutor, AFolderEntryIsEmptiedAndKept)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/a/b/c", "{home}/Library/Caches/.hidden-dir/h"});
    const LocalCleanResult result =
        LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    EXPECT_EQ(result.removedCount, 2);
    EXPECT_TRUE(QFileInfo(env.home() + "/Library/Caches").isDir());
    EXPECT_TRUE(QDir(env.home() + "/Library/Caches").isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
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

TEST(LocalCleanExecutor, AnUnreadableProtectionListStopsTheClean)
{
    const QList<std::pair<const char*, std::function<void(const TestEnv&)>>> table = {
        {"not UTF-8", [](const TestEnv& e) { e.writeFile(".config/roror/whitelist", QByteArray("/x\n\xff\xfe\n")); }},
        {"not a file", [](const TestEnv& e) { e.makeDir(".config/roror/whitelist"); }},
        {"legacy list not UTF-8", [](const TestEnv& e) { e.writeFile(".config/zida/whitelist", QByteArray("\xc3\x28")); }},
    };
    for (const auto& [name, breakList] : table) {
        SCOPED_TRACE(name);
        TestEnv env;
        fill(env, {"{home}/Library/Caches/app/a", "{home}/Library/Logs/l"});
        breakList(env);
        const LocalCleanResult result = LocalCleanExecutor::clean(
            reportOf(env, {{"{home}/Library/Caches", C}, {"{home}/Library/Logs/l", C}}), {env.home()}, {});
        EXPECT_EQ(result.removedCount, 0);
        EXPECT_EQ(result.failedCount, 0);
        EXPECT_EQ(result.removedBytes, 0);
        ASSERT_TRUE(result.errorDescription.has_value());
        EXPECT_TRUE(result.errorDescription->contains("protection list")) << result.errorDescription->toStdString();
        EXPECT_TRUE(exists(env.home() + "/Library/Caches/app/a"));
        EXPECT_TRUE(exists(env.home() + "/Library/Logs/l"));
    }
}

TEST(LocalCleanExecutor, TheUsersListIsApplied)
{
    TestEnv env;
    fill(env, {"{home}/Library/Caches/keep-me/a", "{home}/Library/Caches/JetBrains/j", "{home}/Library/Caches/go/g"});
    CleanWhitelistStore::save({{"~/Library/Caches/keep-me"}}, env.home());
    const LocalCleanResult result =
        LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
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
    const LocalCleanResult result =
        LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {"rel", env.home()}, {});
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
    const LocalCleanResult result =
        LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Caches", C}}), {env.home()}, {});
    ::chmod(QFile::encodeName(locked).constData(), 0700);
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_EQ(result.failedCount, 1);
    EXPECT_TRUE(exists(locked + "/f"));
}

TEST(LocalCleanExecutor, TheProcessTableOverloadCleansToo)
{
    TestEnv env;
    fill(env, {"{home}/Library/Logs/app.log"});
    const LocalCleanResult result =
        LocalCleanExecutor::clean(reportOf(env, {{"{home}/Library/Logs/app.log", C}}), {env.home()});
    EXPECT_EQ(result.removedCount, 1);
    EXPECT_FALSE(exists(env.home() + "/Library/Logs/app.log"));
}
