#include "app/pages/optimize/OptimizePage.h"
#include "app/pages/optimize/OptimizeTaskRows.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
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

OptimizePreviewReport::Entry task(const QString& id, std::optional<QString> detail = std::nullopt)
{
    return OptimizePreviewReport::Entry{id, id + QStringLiteral(" name"), id + QStringLiteral(" does things"), true,
                                        std::move(detail)};
}

TEST(OptimizePageTexts, SummaryAndContractCount)
{
    using L = AppResolvedLanguage;

    const struct {
        qsizetype count;
        const char* english;
        const char* chinese;
    } summaries[] = {
        {0, "0 items. You will confirm again before running them.", "0 项，正式执行前仍会再次确认。"},
        {1, "1 items. You will confirm again before running them.", "1 项，正式执行前仍会再次确认。"},
        {23, "23 items. You will confirm again before running them.", "23 项，正式执行前仍会再次确认。"},
    };
    for (const auto& c : summaries) {
        EXPECT_EQ(OptimizePage::summaryText(c.count, L::english), QString::fromUtf8(c.english));
        EXPECT_EQ(OptimizePage::summaryText(c.count, L::chinese), QString::fromUtf8(c.chinese));
    }

    useLanguage(AppLanguagePreference::english);
    OptimizePage page;
    EXPECT_EQ(OptimizePreviewCatalog::items().size(), 23);
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("23 checks available"));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("共 23 项检查"));
    useLanguage(AppLanguagePreference::english);
}

TEST(OptimizeTaskRowsTest, DetailLineOnlyWhenThereIsOneAndRowsKeepTheirIdentity)
{
    OptimizeTaskRows rows;
    rows.setEntries({task(QStringLiteral("dns")), task(QStringLiteral("spotlight"), QString()),
                     task(QStringLiteral("memory"), QStringLiteral("Free 1.2 GB"))});
    ASSERT_EQ(rows.rowCount(), 3);
    const bool hasDetail[] = {false, false, true};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(field(rows.index(i), "hasDetail").toBool(), hasDetail[i]) << i;
    EXPECT_EQ(field(rows.index(2), "detail").toString(), QStringLiteral("Free 1.2 GB"));
    EXPECT_EQ(field(rows.index(0), "taskId").toString(), QStringLiteral("dns"));
    EXPECT_EQ(field(rows.index(0), "name").toString(), QStringLiteral("dns name"));

    QSignalSpy reset(&rows, &QAbstractItemModel::modelReset);
    rows.setEntries({task(QStringLiteral("dns"), QStringLiteral("now measured")), task(QStringLiteral("spotlight")),
                     task(QStringLiteral("memory"))});
    EXPECT_EQ(reset.count(), 0);
    EXPECT_TRUE(field(rows.index(0), "hasDetail").toBool());
    rows.setEntries({task(QStringLiteral("memory"))});
    EXPECT_EQ(reset.count(), 1);
}

class OptimizePageModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.optimizePreview = [this] { return previews.future(); };
        services.cleanPreview = [this] { return cleanPreviews.future(); };
        services.optimizeExecutor = [this](const OptimizePreviewReport& r, const QSet<QString>& skipped) {
            ran.fetch_add(1);
            LocalOptimizeResult result;
            for (const auto& e : r.entries) {
                if (!skipped.contains(e.id))
                    result.completed.append(e);
            }
            return result;
        };
        services.loadOptimizeWhitelist = [](const QString&) {
            return OptimizeWhitelistState{{QStringLiteral("dns")}, {}};
        };
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    Gate<OptimizePreviewReport> previews;
    Gate<CleanPreviewReport> cleanPreviews;
    std::atomic<int> ran{0};
};

TEST_F(OptimizePageModel, RoadsOfTheThreeButtonsAndTheBusyRule)
{
    AppModel model(services);
    OptimizePage page;
    page.setClock([] { return fixedNow().addSecs(3 * 3600); });
    page.setModel(&model);
    EXPECT_TRUE(page.showsContract());
    EXPECT_EQ(page.headerSymbol(), QStringLiteral("speedometer"));
    EXPECT_EQ(page.lastOptimizeText(), QString());

    // Another feature's run leaves the contract in place.
    model.request(AppActionFactory::clean(true, false));
    ASSERT_TRUE(spinUntil([&] { return cleanPreviews.waiting() == 1; }));
    EXPECT_FALSE(page.busy());
    EXPECT_TRUE(page.showsContract());

    page.preview();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(page.busy());
    EXPECT_FALSE(page.showsContract());
    previews.resolve(OptimizePreviewReport{{task(QStringLiteral("dns")), task(QStringLiteral("fonts"))}});
    ASSERT_TRUE(spinUntil([&] { return !page.busy(); }));
    // The clean preview still runs; this page does not care.
    EXPECT_TRUE(model.isRunning());
    EXPECT_TRUE(page.showsPreview());
    EXPECT_EQ(page.rows()->rowCount(), 2);
    EXPECT_EQ(page.summaryText(), QStringLiteral("2 items. You will confirm again before running them."));
    cleanPreviews.resolve(CleanPreviewReport{});
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));

    page.startOptimizing();
    drainEvents();
    ASSERT_TRUE(model.pendingAction());
    EXPECT_EQ(model.pendingAction()->arguments, QStringList{QStringLiteral("optimize")});
    EXPECT_EQ(model.pendingAction()->detail,
              QStringLiteral("After confirmation, refresh services, rebuild caches, and organize diagnostics."));
    EXPECT_EQ(ran.load(), 0);
    model.confirmPendingAction();
    ASSERT_TRUE(spinUntil([&] { return ran.load() == 1 && !model.isRunning(); }));
    EXPECT_EQ(page.headerSymbol(), QStringLiteral("clock.arrow.circlepath"));
    // The safeguarded task was skipped, so one task counts.
    EXPECT_EQ(page.lastOptimizeText(), QStringLiteral("Last optimized 3 hr. ago · 1 items"));

    page.openSafeguards();
    EXPECT_TRUE(model.showingOptimizeProtectionSheet());
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{QStringLiteral("dns")});
}

TEST_F(OptimizePageModel, AnEmptyReportIsStillAReport)
{
    AppModel model(services);
    OptimizePage page;
    page.setModel(&model);
    page.preview();
    ASSERT_TRUE(spinUntil([&] { return previews.waiting() == 1; }));
    previews.resolve(OptimizePreviewReport{});
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
    EXPECT_TRUE(page.showsPreview());
    EXPECT_TRUE(page.reportIsEmpty());
    EXPECT_FALSE(page.showsContract());
    EXPECT_EQ(page.summaryText(), QStringLiteral("0 items. You will confirm again before running them."));
    QSignalSpy summary(&page, &OptimizePage::summaryChanged);
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(summary.count(), 1);
    EXPECT_EQ(page.summaryText(), QStringLiteral("0 项，正式执行前仍会再次确认。"));
    useLanguage(AppLanguagePreference::english);
}

} // namespace
