#include "core/engines/clean/CleanPreviewService.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/support/ByteCountFormat.h"
#include "core/support/FileInfo.h"
#include "core/engines/clean/CleanFileError.h"
#include "tests/core/engines/clean/CleanFixtures.h"
#include "tests/core/engines/clean/CleanLog.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <variant>

using namespace roror;
using roror::test::TestEnv;
using Status = CleanPreviewEntryStatus;
namespace Preview = roror::LocalCleanPreview;

namespace {

struct Row {
    QString section;
    QString path;
    QString note;
    Status status;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& row)
{
    return os << "{" << row.section.toStdString() << " | " << row.path.toStdString() << " | " << row.note.toStdString()
              << " | " << toRaw(row.status).toStdString() << "}";
}

QList<Row> rows(const CleanPreviewReport& report)
{
    QList<Row> result;
    for (const auto& e : report.entries)
        result.append({e.section, e.path, e.note.value_or("<none>"), e.status});
    return result;
}

qint64 allocated(const QString& path)
{
    return fileInfo(path).value().allocatedSize;
}

CleanPreviewReport snapshotWith(const QString& home, const QSet<QString>& running = {})
{
    return Preview::snapshot(home, [running] { return running; });
}

QString en(quint64 bytes, qint64 items)
{
    return formatByteCount(static_cast<qint64>(bytes)) + ", " + QString::number(items) + " items";
}

} // namespace

TEST(LocalCleanPreview, EmptyHomeGivesNoEntriesAndAZeroSummary)
{
    TestEnv env;
    const CleanPreviewReport report = snapshotWith(env.home());
    EXPECT_TRUE(report.entries.isEmpty());
    EXPECT_EQ(report.summary, "Potential space: " + formatByteCount(0) + " | Items: 0 | Categories: 0");
    EXPECT_TRUE(report.generatedAt.isValid());
}

TEST(LocalCleanPreview, CatalogueRowsFoundAndNotFound)
{
    TestEnv env;
    const QString h = env.home();
    // User caches: a folder, a file, a hidden file and an empty browser cache folder inside.
    const QString a = env.writeFile("Library/Caches/app/a.bin", QByteArray(5000, 'a'));
    const QString hidden = env.writeFile("Library/Caches/app/.hidden", QByteArray(3000, 'h'));
    env.makeDir("Library/Caches/Firefox");
    env.makeDir("Library/Logs"); // exists, empty: no entry
    env.makeDir("Library/Saved Application State");
    QFile::link(env.writeFile(env.outside() + "/target.bin", QByteArray(9000, 't')),
                h + "/Library/Saved Application State/link"); // only a link: nothing counted, no entry
    env.writeFile("Library/HTTPStorages/Tool.app/Contents/exe", QByteArray(7000, 'x'));   // a package: one item
    const QString cargo = env.writeFile(".cargo/registry/cache", QByteArray(10000, 't')); // a location that is a file
    const QString m
        = env.writeFile("Library/Developer/Xcode/DerivedData/ModuleCache.noindex/m.pcm", QByteArray(2000, 'm'));
    QStringList npm;
    for (int i = 0; i < 3; ++i)
        npm << env.writeFile(QStringLiteral(".npm/_cacache/f%1").arg(i), QByteArray(100 * (i + 1), 'n'));

    const CleanPreviewReport report = snapshotWith(h);
    const QString dot = QStringLiteral(" \u00B7 ");
    const quint64 npmBytes = allocated(npm[0]) + allocated(npm[1]) + allocated(npm[2]);
    const QList<Row> expected = {
        {"User essentials", h + "/Library/Caches", "User app caches" + dot + en(allocated(a) + allocated(hidden), 4),
         Status::cleanable},
        {"User essentials", h + "/Library/HTTPStorages", "Web temporary storage" + dot + en(0, 1), Status::cleanable},
        {"Browsers", h + "/Library/Caches/Firefox", en(0, 0), Status::cleanable},
        {"Developer tools", h + "/Library/Developer/Xcode/DerivedData", "Xcode DerivedData" + dot + en(allocated(m), 2),
         Status::cleanable},
        {"Developer tools", h + "/Library/Developer/Xcode/DerivedData/ModuleCache.noindex",
         "Xcode ModuleCache" + dot + en(allocated(m), 1), Status::cleanable},
        {"Developer tools", h + "/.npm", "npm cache" + dot + en(npmBytes, 4), Status::cleanable},
        {"Developer tools", h + "/.cargo/registry/cache", "Cargo registry cache" + dot + en(allocated(cargo), 1),
         Status::cleanable},
    };
    EXPECT_EQ(rows(report), expected);

    // Nested locations (Firefox inside the caches, ModuleCache inside DerivedData) are not counted again.
    ASSERT_TRUE(report.summary.has_value());
    EXPECT_TRUE(report.summary->startsWith("Potential space: ")) << report.summary->toStdString();
    EXPECT_TRUE(report.summary->endsWith(" | Items: 12 | Categories: 3")) << report.summary->toStdString();
}

TEST(LocalCleanPreview, RunningBrowsersAreSkippedAndMatchedExactly)
{
    TestEnv env;
    const QString h = env.home();
    const QString x = env.writeFile("Library/Caches/Google/Chrome/x", QByteArray(4000, 'x'));
    const QString y
        = env.writeFile("Library/Application Support/Google/Chrome/Default/Code Cache/y", QByteArray(9000, 'y'));

    const CleanPreviewReport running = snapshotWith(h, {"Google Chrome Helper", "Safari"});
    const auto browserRows = [](const CleanPreviewReport& r) {
        QList<Row> result;
        for (const Row& row : rows(r)) {
            if (row.section == "Browsers")
                result.append(row);
        }
        return result;
    };
    // Safari runs but has no cache folder: no Safari row at all.
    EXPECT_EQ(browserRows(running),
              QList<Row>({{"Browsers", "Google Chrome is running, cache cleanup skipped",
                           en(allocated(x) + allocated(y), 2), Status::skipped}}));

    // Only the caches folder is counted: the skipped row adds nothing.
    EXPECT_TRUE(running.summary->endsWith(" | Items: 3 | Categories: 1")) << running.summary->toStdString();

    // A process whose name only starts with the browser's names does not count.
    const CleanPreviewReport notRunning = snapshotWith(h, {"Google Chrome Helper (Renderer)", "google chrome"});
    EXPECT_EQ(browserRows(notRunning),
              QList<Row>({{"Browsers", h + "/Library/Caches/Google/Chrome", en(allocated(x), 1), Status::cleanable},
                          {"Browsers", h + "/Library/Application Support/Google/Chrome/Default/Code Cache",
                           en(allocated(y), 1), Status::cleanable}}));
}

TEST(LocalCleanPreview, OnlyBrowserEntriesMakeOneCategory)
{
    TestEnv env;
    env.writeFile("Library/Application Support/Microsoft Edge/Default/Code Cache/a", QByteArray(10, 'a'));
    env.writeFile("Library/Application Support/Google/Chrome/Default/Code Cache/b", QByteArray(10, 'b'));
    const CleanPreviewReport report = snapshotWith(env.home());
    ASSERT_EQ(report.entries.size(), 2);
    EXPECT_TRUE(report.summary->endsWith(" | Items: 2 | Categories: 1")) << report.summary->toStdString();
}

TEST(LocalCleanPreview, WalkStopsAtTheItemLimit)
{
    TestEnv env;
    const QString root = env.makeDir("Library/Logs");
    quint64 total = 0;
    for (int d = 0; d < 25; ++d) {
        const QString dir = env.makeDir(QStringLiteral("Library/Logs/d%1").arg(d));
        for (int f = 0; f < 1000; ++f) {
            QFile file(QStringLiteral("%1/f%2").arg(dir).arg(f));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
    }
    total = 25 * 1000 * static_cast<quint64>(allocated(root + "/d0/f0"));
    const Preview::LocationSummary summary = Preview::directorySummary(root);
    EXPECT_EQ(summary.items, 20000);
    EXPECT_GT(summary.bytes, 0u);
    EXPECT_LT(summary.bytes, total);
}

// A location inside another (a browser cache inside the user caches, ModuleCache inside DerivedData)
// is walked once per snapshot and its count handed on. Handed on or walked twice, every measure stays
// what the location's own walk gives: with protected items inside, and with folders that the outer
// walk, starting higher up, finds too deep to enter.
TEST(LocalCleanPreview, NestedLocationsMeasureAsTheirOwnWalks)
{
    TestEnv env;
    const auto fill = [&](const QString& relative, int count) {
        const QString dir = env.makeDir(relative);
        for (int f = 0; f < count; ++f) {
            QFile file(QStringLiteral("%1/f%2").arg(dir).arg(f));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(f % 7 == 0 ? 5000 : 10, 'x'));
        }
    };
    // Chrome's own walk enters the deepest folder of this chain; the caches walk, two levels higher
    // up, stops two folders short of it. The siblings make the caches walk reach Chrome late, most
    // often after Chrome's own walk has handed its count on.
    QString deep = QStringLiteral("Library/Caches/Google/Chrome");
    for (int level = 0; level < 255; ++level)
        deep += QStringLiteral("/d");
    env.writeFile(deep + "/bottom", QByteArray(9000, 'b'));
    for (int sibling = 0; sibling < 8; ++sibling)
        fill(QStringLiteral("Library/Caches/Google/s%1").arg(sibling), 1500);
    fill("Library/Caches/Yarn/v6", 300);
    fill("Library/Caches/Yarn/keep", 40);
    fill("Library/Logs/DiagnosticReports", 30);
    fill("Library/Logs/app", 20);
    fill("Library/Developer/Xcode/DerivedData/ModuleCache.noindex/m", 50);
    fill("Library/Developer/Xcode/DerivedData/App/Build", 25);
    CleanWhitelistStore::save({{"~/Library/Caches/Yarn/keep"}}, env.home());

    QList<Row> separate;
    for (const auto& part : {Preview::userEssentialEntries(env.home()), Preview::browserEntries(env.home(), {}),
                             Preview::developerEntries(env.home()), Preview::diagnosticsEntries(env.home())})
        separate += rows({part, {}, {}});
    ASSERT_EQ(separate.size(), 7);
    EXPECT_EQ(separate.at(2).path, env.home() + "/Library/Caches/Google/Chrome");
    EXPECT_TRUE(separate.at(2).note.endsWith(", 256 items")) << separate.at(2).note.toStdString();
    // Google and its siblings, Chrome and the 254 folders of the chain it reaches, Yarn without "keep".
    const int cachesItems = 1 + 8 * 1501 + 1 + 254 + 1 + 301;
    EXPECT_TRUE(separate.at(0).note.endsWith(QStringLiteral(", %1 items").arg(cachesItems)))
        << separate.at(0).note.toStdString();
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(rows(snapshotWith(env.home())), separate);
    }
}

// The folders of a location are counted by the pool's threads and taken over by its walk, and a
// folder that two walks offer (inside Firefox, which lies inside the caches) is counted for both.
// Each is counted once and in listing order: where the item limit cuts the caches (files of
// differing sizes, so the bytes tell where the cut fell), inside a protected folder, a package and
// a link among them, and in a location below the limit, the measures are what one walk alone gives.
TEST(LocalCleanPreview, FoldersCountedOnManyThreadsMeasureAsOneWalk)
{
    TestEnv env;
    const auto fill = [&](const QString& relative, int count, int seed) {
        const QString dir = env.makeDir(relative);
        for (int f = 0; f < count; ++f) {
            QFile file(QStringLiteral("%1/f%2").arg(dir).arg(f));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(1 + (seed * 7919 + f * 613) % 9000, 'x'));
        }
    };
    for (int app = 0; app < 24; ++app) {
        const QString folder
            = app % 2 ? QStringLiteral("Library/Caches/Firefox/app%1") : QStringLiteral("Library/Caches/app%1");
        for (int sub = 0; sub < 3; ++sub)
            fill(QStringLiteral("%1/s%2").arg(folder.arg(app)).arg(sub), 300, app * 3 + sub);
    }
    fill("Library/Caches/app3/keep", 50, 99);
    fill("Library/Caches/app3/Tool.app/Contents", 20, 98);
    QFile::link(env.outside(), env.home() + "/Library/Caches/app3/lnk");
    for (int app = 0; app < 12; ++app) {
        for (int sub = 0; sub < 2; ++sub)
            fill(QStringLiteral("Library/Logs/app%1/s%2/deeper").arg(app).arg(sub), 40, app * 2 + sub);
    }
    CleanWhitelistStore::save({{"~/Library/Caches/app3/keep"}}, env.home());

    const QList<Row> alone
        = rows({Preview::userEssentialEntries(env.home()) + Preview::browserEntries(env.home(), {}), {}, {}});
    ASSERT_EQ(alone.size(), 3);
    EXPECT_TRUE(alone.at(0).note.endsWith(", 20000 items")) << alone.at(0).note.toStdString();
    EXPECT_TRUE(alone.at(1).note.endsWith(QStringLiteral(", %1 items").arg(12 * (1 + 2 * (2 + 40)))))
        << alone.at(1).note.toStdString();
    EXPECT_TRUE(alone.at(2).note.endsWith(QStringLiteral(", %1 items").arg(12 * (1 + 3 * 301))))
        << alone.at(2).note.toStdString();
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        EXPECT_EQ(rows(snapshotWith(env.home())), alone);
    }
}

TEST(LocalCleanPreview, DirectorySummaryOfOddLocations)
{
    TestEnv env;
    const QString file = env.writeFile("f.bin", QByteArray(6000, 'f'));
    EXPECT_EQ(Preview::directorySummary(file), (Preview::LocationSummary{static_cast<quint64>(allocated(file)), 1}));
    EXPECT_EQ(Preview::directorySummary(env.makeDir("empty")), Preview::LocationSummary{});
    EXPECT_EQ(Preview::directorySummary(env.home() + "/missing"), Preview::LocationSummary{});
    EXPECT_EQ(Preview::fileAllocatedSize(env.makeDir("dir")), 0);

    // A link to a folder is not walked through.
    env.writeFile(env.outside() + "/far/big.bin", QByteArray(50000, 'b'));
    QFile::link(env.outside() + "/far", env.home() + "/linked");
    EXPECT_EQ(Preview::directorySummary(env.home() + "/linked"), Preview::LocationSummary{});
    EXPECT_FALSE(Preview::existingSummary(env.home() + "/missing").has_value());
    EXPECT_TRUE(Preview::existingSummary(env.home() + "/linked").has_value()) << "the existence test follows links";
}

TEST(LocalCleanPreview, ByteCountReadsTheFirstSizeInTheDecimalUnitsItWasWrittenIn)
{
    const QList<std::pair<std::optional<QString>, std::optional<quint64>>> table = {
        {QStringLiteral("User app caches \u00B7 1.5 MB, 12 items"), 1500000},
        {QStringLiteral("12 KB, 3 items"), 12000},
        {QStringLiteral("2 gb"), 2000000000ull},
        {QStringLiteral("1 TB"), 1000000000000ull},
        {QStringLiteral("512 bytes"), 512},
        {QStringLiteral("0 KB, 0 items"), 0},
        {QStringLiteral("1.5MB then 3 GB"), 1500000},
        {QStringLiteral("no size, 12 items"), std::nullopt},
        {QStringLiteral("99999999999 TB"), std::nullopt},
        {QStringLiteral("1") + QString(400, QLatin1Char('0')) + QStringLiteral(" KB"), std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& [text, expected] : table)
        EXPECT_EQ(Preview::byteCount(text), expected) << text.value_or("<none>").toStdString();
}

TEST(LocalCleanPreview, SummaryCountsEachLocationOnce)
{
    TestEnv env;
    auto entry = [](const QString& section, const QString& path, const QString& note, Status status) {
        return CleanPreviewReport::Entry{QUuid::createUuid(), section, path, note, status};
    };
    const QList<CleanPreviewReport::Entry> entries = {
        entry("A", "/h/Library/Caches", "User app caches \u00B7 1.5 MB, 12 items", Status::cleanable),
        entry("B", "/h/Library/Caches/Google/Chrome", "1 MB, 5 items", Status::cleanable), // nested: not added
        entry("B", "/h/Library/CachesX", "1 KB, 1 items", Status::cleanable),              // a sibling, not nested
        entry("C", "Chrome is running", "9 GB, 99 items", Status::skipped),
        entry("D", "/h/.npm", "npm cache \u00B7 no size here", Status::cleanable),
        entry("D", "/h/.npm", "npm cache \u00B7 3 KB, 2 items", Status::cleanable), // the same place again
    };
    EXPECT_EQ(Preview::summaryText(entries),
              "Potential space: " + formatByteCount(1500000 + 1000) + " | Items: 13 | Categories: 3");
}

TEST(LocalCleanPreview, TheSummaryReadsSizesInTheUnitsTheyWereWrittenIn)
{
    TestEnv env;
    for (const char* size : {"5.1 MB", "950 KB", "2.35 GB"}) {
        const QList<CleanPreviewReport::Entry> entries = {
            {QUuid::createUuid(), "A", "/h/Library/Logs", QStringLiteral("User app logs \u00B7 ") + size + ", 3 items",
             Status::cleanable},
        };
        EXPECT_EQ(Preview::summaryText(entries),
                  QStringLiteral("Potential space: ") + size + " | Items: 3 | Categories: 1");
    }
}

TEST(LocalCleanPreview, WhatTheProtectionListCoversIsLeftOutOfTheMeasuresTable)
{
    const struct {
        const char* name;
        QStringList list; // saved as the user's list; empty: the defaults
        QStringList files;
        QStringList counted; // the files left to clean
        qint64 items;
    } table[] = {
        {"the whole caches folder protected",
         {"~/Library/Caches"},
         {"Library/Caches/a/1", "Library/Caches/b/2"},
         {},
         0},
        {"a folder inside protected",
         {"~/Library/Caches/keep"},
         {"Library/Caches/keep/1", "Library/Caches/keep/sub/2", "Library/Caches/other/3"},
         {"Library/Caches/other/3"},
         2},
        {"a wildcard",
         {"~/Library/*/keep*"},
         {"Library/Caches/keep-1/x", "Library/Caches/keepsake", "Library/Caches/other/3"},
         {"Library/Caches/other/3"},
         2},
        {"the default list",
         {},
         {"Library/Caches/JetBrains/idea/x", "Library/Caches/com.apple.finder/y", "Library/Caches/app/.DS_Store",
          "Library/Caches/app/z"},
         {"Library/Caches/app/z"},
         2},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        quint64 bytes = 0;
        for (const QString& file : c.files)
            env.writeFile(file, QByteArray(3000, 'x'));
        for (const QString& file : c.counted)
            bytes += allocated(env.home() + "/" + file);
        if (!c.list.isEmpty())
            CleanWhitelistStore::save({c.list}, env.home());
        const CleanPreviewReport report = snapshotWith(env.home());
        QList<Row> expected;
        if (c.items > 0) {
            expected.append({"User essentials", env.home() + "/Library/Caches",
                             QStringLiteral("User app caches \u00B7 ") + en(bytes, c.items), Status::cleanable});
        }
        EXPECT_EQ(rows(report), expected);
        EXPECT_EQ(report.summary,
                  "Potential space: " + formatByteCount(static_cast<qint64>(bytes))
                      + " | Items: " + QString::number(c.items) + " | Categories: " + (c.items > 0 ? "1" : "0"));
    }
}

// A relative line used to protect nothing, so the preview counted what the user meant to keep; a
// list that was a named pipe hung the preview.
TEST(LocalCleanPreview, ALineThatCanNeverMatchStopsThePreviewAnUnreadableListGivesTheDefaultsTable)
{
    const struct {
        const char* name;
        std::function<void(const TestEnv&)> breakList;
        QString error; // empty: measured with the defaults
        bool fifo = false;
    } table[] = {
        {"a relative line",
         [](const TestEnv& e) { e.writeFile(".config/roror/whitelist", "# mine\nLibrary/Caches/app\n"); },
         "Library/Caches/app"},
        {"another user's home", [](const TestEnv& e) { e.writeFile(".config/zida/whitelist", "~someone/x\n"); },
         "~someone/x"},
        {"not UTF-8", [](const TestEnv& e) { e.writeFile(".config/roror/whitelist", QByteArray("/x\n\xff\n")); }, {}},
        {"larger than 1 MiB",
         [](const TestEnv& e) { e.writeFile(".config/roror/whitelist", "/x\n" + QByteArray(1024 * 1024, '#')); },
         {}},
        {"a named pipe",
         [](const TestEnv& e) { ASSERT_TRUE(test::makeFifo(e.makeDir(".config/roror") + "/whitelist")); },
         {},
         true},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        TestEnv env;
        env.writeFile("Library/Caches/app/a", QByteArray(3000, 'a'));
        env.writeFile("Library/Caches/JetBrains/j", QByteArray(3000, 'j'));
        c.breakList(env);
        const auto run = [&env]() -> std::variant<CleanPreviewReport, QString> {
            try {
                return snapshotWith(env.home());
            } catch (const CleanFileError& error) {
                return error.description();
            }
        };
        const auto outcome = c.fifo ? test::withFifoUnblocked(env.home() + "/.config/roror/whitelist", run) : run();
        if (!c.error.isEmpty()) {
            ASSERT_TRUE(std::holds_alternative<QString>(outcome));
            EXPECT_TRUE(std::get<QString>(outcome).contains(c.error)) << std::get<QString>(outcome).toStdString();
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<CleanPreviewReport>(outcome)) << std::get<QString>(outcome).toStdString();
        const QList<Row> found = rows(std::get<CleanPreviewReport>(outcome));
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found.first().path, env.home() + "/Library/Caches");
        EXPECT_TRUE(found.first().note.endsWith(", 2 items"))
            << "JetBrains is left out by the defaults: " << found.first().note.toStdString();
    }
}

TEST(LocalCleanPreview, WhatAWalkLeavesOutIsLogged)
{
    TestEnv env;
    env.writeFile("Library/Caches/app/.DS_Store", QByteArray(100, 'x'));
    env.writeFile("Library/Caches/keep/k", QByteArray(100, 'x'));
    env.writeFile("Library/Caches/app/data", QByteArray(100, 'x'));
    QFile::link(env.outside(), env.home() + "/Library/Caches/app/lnk");
    CleanWhitelistStore::save({{"FINDER_METADATA", "~/Library/Caches/keep"}}, env.home());
    const test::CleanLog log;
    snapshotWith(env.home());
    const QStringList lines = log.lines();
    EXPECT_EQ(lines.filter("protected").filter(env.home() + "/Library/Caches/app/.DS_Store").size(), 1)
        << lines.join('\n').toStdString();
    EXPECT_EQ(lines.filter("protected").filter(env.home() + "/Library/Caches/keep").size(), 1);
    EXPECT_EQ(lines.filter("link").filter(env.home() + "/Library/Caches/app/lnk").size(), 1);
    EXPECT_TRUE(lines.filter(env.home() + "/Library/Caches/app/data").isEmpty()) << "counted, so not logged";
}

TEST(LocalCleanPreview, TheTrashEntryIsThePlatformTrashMeasuredByWhatItHolds)
{
    TestEnv env;
    const QString trash = env.home() + "/.local/share/Trash";
    env.makeDir(trash + "/files");
    env.makeDir(trash + "/info");
    env.writeFile(".Trash/never-filled-here", QByteArray(5000, 'x'));
    EXPECT_TRUE(Preview::trashEntries(env.home()).isEmpty()) << "an empty Trash gives no entry";

    const QString item = env.writeFile(trash + "/files/old.dmg", QByteArray(8000, 'd'));
    const QString info = env.writeFile(trash + "/info/old.dmg.trashinfo", QByteArray(100, 'i'));
    const CleanPreviewReport report = snapshotWith(env.home());
    ASSERT_FALSE(report.entries.isEmpty());
    EXPECT_EQ(rows(report).last(),
              (Row{"Trash", trash, QStringLiteral("User Trash \u00B7 ") + en(allocated(item) + allocated(info), 2),
                   Status::cleanable}));
}

TEST(LocalCleanPreview, TextsFollowTheLanguageChoice)
{
    TestEnv env;
    env.setLanguagePreference(QStringLiteral("chinese"));
    env.writeFile("Library/Logs/app.log", QByteArray(100, 'l'));
    env.writeFile(".cargo/registry/cache/crate", QByteArray(100, 'c'));
    env.writeFile("Library/Caches/Mozilla/m", QByteArray(100, 'm'));
    const CleanPreviewReport report = snapshotWith(env.home(), {"Firefox"});
    ASSERT_EQ(report.entries.size(), 4);
    EXPECT_EQ(report.entries[0].section, QStringLiteral("用户基础项目"));
    EXPECT_TRUE(report.entries[0].note->startsWith(QStringLiteral("用户应用缓存 \u00B7 ")));
    EXPECT_TRUE(report.entries[1].note->startsWith(QStringLiteral("用户应用日志 \u00B7 ")));
    EXPECT_TRUE(report.entries[1].note->endsWith(QStringLiteral(", 1 项")));
    EXPECT_EQ(report.entries[2].section, QStringLiteral("浏览器"));
    EXPECT_EQ(report.entries[2].path, QStringLiteral("Firefox 正在运行，缓存清理已跳过"));
    EXPECT_TRUE(report.entries[2].note->endsWith(QStringLiteral(", 1 项")));
    EXPECT_EQ(report.entries[3].section, QStringLiteral("开发工具"));
    EXPECT_TRUE(report.entries[3].note->startsWith(QStringLiteral("Cargo registry cache \u00B7 ")));
    EXPECT_TRUE(report.summary->startsWith(QStringLiteral("预计可清理：")));
    EXPECT_TRUE(report.summary->endsWith(QStringLiteral(" | 项目：4 | 分类：2"))) << report.summary->toStdString();
}

TEST(LocalCleanPreview, ProcessNamesAndToolRuns)
{
    EXPECT_EQ(Preview::processNames("/Applications/Safari.app/Contents/MacOS/Safari\n\nGoogle Chrome Helper\n"
                                    "/usr/sbin/cfprefsd\nname with space \n"),
              QSet<QString>({"Safari", "Google Chrome Helper", "cfprefsd", "name with space "}));
    // Names read one by one from the kernel's table take the same last component.
    EXPECT_EQ(Preview::processNames(QStringList({"kworker/u16:3-events_unbound", "", "Web Content", "bash"})),
              QSet<QString>({"u16:3-events_unbound", "Web Content", "bash"}));

    EXPECT_EQ(Preview::runCommand("/bin/echo", {"hello"}), QStringLiteral("hello\n"));
    EXPECT_FALSE(Preview::runCommand("/bin/false", {}).has_value());
    EXPECT_FALSE(Preview::runCommand("/nonexistent/tool", {}).has_value());
    EXPECT_FALSE(Preview::runCommand("/usr/bin/printf", {"\\377\\376"}).has_value()) << "not UTF-8";
}

TEST(CleanPreviewService, SnapshotRunsOnThePoolForTheHomeFolder)
{
    TestEnv env;
    env.writeFile("Library/Logs/DiagnosticReports/crash.ips", QByteArray(100, 'c'));
    QFuture<CleanPreviewReport> future = CleanPreviewService::snapshot();
    const CleanPreviewReport report = future.result();
    QStringList paths;
    for (const auto& e : report.entries)
        paths << e.path;
    EXPECT_EQ(paths, QStringList({env.home() + "/Library/Logs", env.home() + "/Library/Logs/DiagnosticReports"}));
}
