#include "app/pages/clean/CleanPage.h"
#include "app/pages/clean/CleanPreviewRows.h"
#include "core/model/AppActionFactory.h"
#include "platform/PreferredLanguages.h"
#include "tests/app/model/ModelTestSupport.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <cmath>

using namespace roror;
using namespace roror::test;

namespace {

using Status = CleanPreviewEntryStatus;

CleanPreviewReport::Entry entry(const QString& path, Status status, std::optional<QString> note = std::nullopt,
                                const QString& section = QStringLiteral("User Caches"))
{
    return CleanPreviewReport::Entry{QUuid::createUuid(), section, path, std::move(note), status};
}

CleanPreviewReport report(QList<CleanPreviewReport::Entry> entries, std::optional<QString> summary = std::nullopt)
{
    CleanPreviewReport r;
    r.entries = std::move(entries);
    r.generatedAt = fixedNow();
    r.summary = std::move(summary);
    return r;
}

TEST(CleanPageTexts, SummaryPrefersTheReportsOwnLineThenCountsTheEntries)
{
    const auto three = QList{entry("/a", Status::cleanable), entry("/b", Status::done), entry("/c", Status::info)};
    const struct {
        CleanPreviewReport report;
        const char* english;
        const char* chinese;
    } cases[] = {
        {report(three, QStringLiteral("1.2 GB in 3 places")), "1.2 GB in 3 places", "1.2 GB in 3 places"},
        {report(three, QString()), "3 items. You will still confirm before real cleanup.",
         "3 项，正式清理前仍会让你确认。"},
        {report(three), "3 items. You will still confirm before real cleanup.", "3 项，正式清理前仍会让你确认。"},
        {report({}), "This scan did not find anything that needs attention.", "本次检查没有需要重点处理的内容。"},
        {report({}, QString()), "This scan did not find anything that needs attention.",
         "本次检查没有需要重点处理的内容。"},
        {report({}, QStringLiteral("Nothing to do")), "Nothing to do", "Nothing to do"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanPage::summaryText(c.report, AppResolvedLanguage::english), QString::fromUtf8(c.english));
        EXPECT_EQ(CleanPage::summaryText(c.report, AppResolvedLanguage::chinese), QString::fromUtf8(c.chinese));
    }
}

TEST(CleanPreviewRowsTest, EachStatusHasItsSymbolAndColour)
{
    CleanPreviewRows rows;
    rows.setAccentColor(QColor(10, 20, 30));
    rows.setMutedColor(QColor(90, 90, 90, 200));
    const struct {
        Status status;
        const char* raw;
        const char* symbol;
        QColor color;
    } cases[] = {
        {Status::cleanable, "cleanable", "sparkles", QColor(10, 20, 30)},
        {Status::done, "done", "checkmark.circle", CleanStatusStyle::standardGreen()},
        {Status::skipped, "skipped", "pause.circle", CleanStatusStyle::standardOrange()},
        {Status::info, "info", "info.circle", QColor(90, 90, 90, 200)},
        {Status::detail, "detail", "text.alignleft", QColor(90, 90, 90, 200)},
        {Status::review, "review", "arrow.up.right.circle", CleanStatusStyle::standardBlue()},
        {Status::summary, "summary", "sum", QColor(10, 20, 30)},
    };
    QList<CleanPreviewReport::Entry> entries;
    for (const auto& c : cases)
        entries.append(entry(QStringLiteral("/x/") + QString::fromUtf8(c.raw), c.status));
    rows.setEntries(entries);
    ASSERT_EQ(rows.rowCount(), 7);
    for (int i = 0; i < 7; ++i) {
        const QModelIndex index = rows.index(i);
        // Every status is shown, none filtered, in the report's order.
        EXPECT_EQ(field(index, "path").toString(), entries.at(i).path);
        EXPECT_EQ(field(index, "status").toString(), QString::fromUtf8(cases[i].raw));
        EXPECT_EQ(field(index, "symbol").toString(), QString::fromUtf8(cases[i].symbol));
        EXPECT_EQ(field(index, "statusColor").value<QColor>(), cases[i].color) << cases[i].raw;
    }

    // A new accent reaches the rows that use it.
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);
    rows.setAccentColor(QColor(1, 2, 3));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(field(rows.index(0), "statusColor").value<QColor>(), QColor(1, 2, 3));
}

TEST(CleanPreviewRowsTest, DetailLineJoinsSectionAndNote)
{
    const struct {
        std::optional<QString> note;
        const char* expected;
    } cases[] = {
        {std::nullopt, "Log Files"},
        {QStringLiteral("12 MB, 4 items"), "Log Files · 12 MB, 4 items"},
        {QString(), "Log Files · "},
    };
    for (const auto& c : cases) {
        const auto e = entry(QStringLiteral("/l"), Status::cleanable, c.note, QStringLiteral("Log Files"));
        EXPECT_EQ(CleanPreviewRows::detailLine(e), QString::fromUtf8(c.expected));
    }
}

TEST(CleanPreviewRowsTest, ARepeatedListKeepsItsRowsAndANewOneReplacesThem)
{
    CleanPreviewRows rows;
    auto first = QList{entry("/a", Status::cleanable), entry("/b", Status::done)};
    rows.setEntries(first);
    QSignalSpy reset(&rows, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);

    first[1].note = QStringLiteral("now with a note");
    rows.setEntries(first);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(field(rows.index(1), "note").toString(), QStringLiteral("now with a note"));

    rows.setEntries({entry("/a", Status::cleanable)});
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(rows.rowCount(), 1);
    rows.setEntries({});
    EXPECT_EQ(rows.rowCount(), 0);
}

class CleanPageModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.cleanPreview = [this] { return previews.future(); };
        services.optimizePreview = [this] { return optimizePreviews.future(); };
        services.cleanExecutor = [this](const CleanPreviewReport& r, const QStringList&) {
            cleaned.fetch_add(1);
            LocalCleanResult result;
            result.removedCount = r.entries.size();
            return result;
        };
        services.loadCleanWhitelist
            = [](const QString&) { return CleanWhitelistState{{QStringLiteral("~/Library/Caches/keep")}}; };
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    Gate<CleanPreviewReport> previews;
    Gate<OptimizePreviewReport> optimizePreviews;
    std::atomic<int> cleaned{0};
};

TEST_F(CleanPageModel, FirstVisitShowsTheContractAndNoLastRun)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    EXPECT_TRUE(page.showsContract());
    EXPECT_FALSE(page.showsPreview());
    EXPECT_FALSE(page.busy());
    EXPECT_FALSE(page.hasReport());
    EXPECT_FALSE(page.hasCleaned());
    EXPECT_EQ(page.headerSymbol(), QStringLiteral("sparkles"));
    EXPECT_EQ(page.lastCleanText(), QString());
    EXPECT_EQ(page.rows()->rowCount(), 0);
}

TEST_F(CleanPageModel, PreviewRunsAtOnceAndBusyWinsOverTheReport)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    QSignalSpy state(&page, &CleanPage::stateChanged);

    page.preview();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(page.busy());
    EXPECT_FALSE(page.showsContract());
    EXPECT_FALSE(page.showsPreview());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Preview Cleanup Items"));
    EXPECT_GT(state.count(), 0);

    previews.resolve(
        report({entry("/h/Library/Caches/a", Status::cleanable), entry("/h/Library/Logs", Status::skipped)}));
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
    EXPECT_FALSE(page.busy());
    EXPECT_TRUE(page.showsPreview());
    EXPECT_FALSE(page.reportIsEmpty());
    EXPECT_EQ(page.rows()->rowCount(), 2);
    EXPECT_EQ(page.summaryText(), QStringLiteral("2 items. You will still confirm before real cleanup."));

    // A re-preview hides the old report behind the busy strip until the new one is in.
    page.preview();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(page.hasReport());
    EXPECT_TRUE(page.busy());
    EXPECT_FALSE(page.showsPreview());
    previews.resolve(report({}));
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
    // An empty report is still a report: no contract, the panel shows its empty state.
    EXPECT_TRUE(page.showsPreview());
    EXPECT_TRUE(page.reportIsEmpty());
    EXPECT_FALSE(page.showsContract());
    EXPECT_EQ(page.summaryText(), QStringLiteral("This scan did not find anything that needs attention."));
}

TEST_F(CleanPageModel, AnotherFeaturesRunLeavesThePageAsItWas)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    model.request(AppActionFactory::optimize(true, false));
    ASSERT_TRUE(spinUntil([&] { return optimizePreviews.waiting() == 1; }));
    EXPECT_TRUE(model.isRunning());
    EXPECT_FALSE(page.busy());
    EXPECT_TRUE(page.showsContract());
    optimizePreviews.resolve(OptimizePreviewReport{});
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
}

TEST_F(CleanPageModel, StartOnlyAsksForConfirmationAndTheConfirmedCleanUpdatesTheLastRun)
{
    AppModel model(services);
    CleanPage page;
    page.setClock([] { return fixedNow().addSecs(120); });
    page.setModel(&model);
    page.preview();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    previews.resolve(report({entry("/h/Library/Caches/a", Status::cleanable),
                             entry("/h/Library/Caches/b", Status::cleanable), entry("/h/x", Status::info)}));
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));

    page.startCleaning();
    drainEvents();
    ASSERT_TRUE(model.pendingAction());
    EXPECT_EQ(model.pendingAction()->arguments, QStringList{QStringLiteral("clean")});
    EXPECT_TRUE(model.pendingAction()->isDestructive);
    EXPECT_EQ(cleaned.load(), 0);
    EXPECT_FALSE(model.isRunning());

    QSignalSpy lastRun(&page, &CleanPage::lastRunChanged);
    model.confirmPendingAction();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(page.busy());
    previews.resolve(report({}));
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
    EXPECT_EQ(cleaned.load(), 1);
    EXPECT_GT(lastRun.count(), 0);
    EXPECT_TRUE(page.hasCleaned());
    EXPECT_EQ(page.headerSymbol(), QStringLiteral("clock.arrow.circlepath"));
    EXPECT_EQ(page.lastCleanText(), QStringLiteral("Last cleaned 2 min. ago · 3 items"));

    useLanguage(AppLanguagePreference::chinese);
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("zh-CN")}; });
    EXPECT_EQ(page.lastCleanText(), QStringLiteral("上次清理 2分钟前 · 处理 3 项"));
    EXPECT_EQ(page.summaryText(), QStringLiteral("本次检查没有需要重点处理的内容。"));
    PreferredLanguages::setSource([] { return QStringList{QStringLiteral("en-US")}; });
    useLanguage(AppLanguagePreference::english);
}

TEST_F(CleanPageModel, ProtectionButtonLoadsTheListAndOpensTheSheet)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    model.setCleanWhitelistText(QStringLiteral("unsaved edit"));
    page.openProtectionList();
    EXPECT_TRUE(model.showingCleanProtectionSheet());
    EXPECT_EQ(model.cleanWhitelistText(), QStringLiteral("~/Library/Caches/keep"));
    EXPECT_FALSE(model.pendingAction());
    drainEvents();
    EXPECT_FALSE(model.isRunning());
}

TEST_F(CleanPageModel, ALanguageSwitchRetellsTheTexts)
{
    AppModel model(services);
    CleanPage page;
    page.setModel(&model);
    QSignalSpy summary(&page, &CleanPage::summaryChanged);
    QSignalSpy lastRun(&page, &CleanPage::lastRunChanged);
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(summary.count(), 1);
    EXPECT_EQ(lastRun.count(), 1);
    EXPECT_EQ(page.summaryText(), QStringLiteral("本次检查没有需要重点处理的内容。"));
    useLanguage(AppLanguagePreference::english);
}

} // namespace
