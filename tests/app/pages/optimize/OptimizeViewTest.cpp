#include "app/pages/optimize/OptimizePage.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageViewSupport.h"
#include "tests/support/TextFit.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

OptimizePreviewReport::Entry task(const char* id, const char* name, const char* description,
                                  std::optional<QString> detail = std::nullopt)
{
    return {QString::fromLatin1(id), QString::fromUtf8(name), QString::fromUtf8(description), true, std::move(detail)};
}

OptimizePreviewReport threeTasks()
{
    return {{task("dns", "Refresh DNS cache", "Clears the resolver cache so names are looked up again."),
             task("fonts", "Rebuild font cache", "Removes the font caches; they are rebuilt on demand.", QString()),
             task("memory", "Free inactive memory", "Asks the system to release inactive memory.",
                  QStringLiteral("2.1 GB inactive right now"))}};
}

class OptimizeView : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.optimizePreview = [this] { return previews.future(); };
            s.cleanPreview = [this] { return cleanPreviews.future(); };
            s.optimizeExecutor = [this](const OptimizePreviewReport& r, const QSet<QString>& skipped) {
                ++runs;
                LocalOptimizeResult result;
                for (const auto& e : r.entries)
                    (skipped.contains(e.id) ? result.skipped : result.completed).append(e);
                return result;
            };
            s.loadOptimizeWhitelist = [this](const QString&) {
                if (failLoad)
                    throw OptimizeWhitelistStoreError(QStringLiteral("whitelist_optimize is not UTF-8 text"));
                return stored;
            };
            s.saveOptimizeWhitelist = [this](const OptimizeWhitelistState& state, const QString&) {
                ++saves;
                stored = state;
            };
        };
    }

    QQuickItem* open()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Optimize"), QStringLiteral("OptimizeView"));
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }

    void previewWith(const OptimizePreviewReport& report)
    {
        view().click(item("optimizePreviewButton"));
        ASSERT_TRUE(settleUntil(view(), [&] { return previews.waiting() == 1; }));
        previews.resolve(report);
        ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
        view().grab();
    }

    Gate<OptimizePreviewReport> previews;
    Gate<CleanPreviewReport> cleanPreviews;
    std::atomic<int> runs{0};
    OptimizeWhitelistState stored;
    bool failLoad = false;
    int saves = 0;
};

TEST_F(OptimizeView, FirstVisitCountsTheCatalogueInBothLanguages)
{
    open();
    EXPECT_EQ(item("optimizeHeaderSymbol")->property("systemName").toString(), QStringLiteral("speedometer"));
    EXPECT_EQ(textOf(item("optimizeLastRun")), QStringLiteral("Not optimized yet"));
    EXPECT_TRUE(shown(item("optimizeContract")));
    EXPECT_FALSE(item("optimizeStartButton")->isVisible());
    EXPECT_EQ(item("optimizeSafeguardsButton")->property("title").toString(), QString());
    EXPECT_EQ(item("optimizeSafeguardsButton")->property("help").toString(), QStringLiteral("Optimization Safeguards"));
    EXPECT_EQ(textOf(view().find(QStringLiteral("nativeSectionSubtitle"))), QStringLiteral("23 checks available"));
    const QList<QQuickItem*> tags = view().findAll(QStringLiteral("glassTagTitle"));
    ASSERT_EQ(tags.size(), 12);
    EXPECT_EQ(textOf(tags.first()), QStringLiteral("DNS / Network Cache"));
    EXPECT_EQ(textOf(tags.last()), QStringLiteral("Periodic Maintenance"));

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(view().find(QStringLiteral("nativeSectionSubtitle"))), QStringLiteral("共 23 项检查"));
    EXPECT_EQ(textOf(view().findAll(QStringLiteral("glassTagTitle")).first()), QStringLiteral("DNS / 网络缓存刷新"));
    EXPECT_EQ(textOf(item("optimizeLastRun")), QStringLiteral("还没优化过"));
    EXPECT_EQ(item("optimizeSafeguardsButton")->property("help").toString(), QStringLiteral("优化保护项"));
}

TEST_F(OptimizeView, PreviewListsEveryTaskWithItsDetailOnlyWhenThereIsOne)
{
    open();
    view().click(item("optimizePreviewButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return previews.waiting() == 1; }));
    EXPECT_TRUE(shown(item("optimizeBusy")));
    EXPECT_FALSE(item("optimizeContract")->isVisible());
    previews.resolve(threeTasks());
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
    view().grab();

    EXPECT_TRUE(shown(item("optimizePreviewPanel")));
    EXPECT_EQ(item("optimizePreviewButton")->property("title").toString(), QStringLiteral("Re-preview"));
    EXPECT_TRUE(shown(item("optimizeStartButton")));
    EXPECT_EQ(textOf(view().find(QStringLiteral("resultsSubtitle"))),
              QStringLiteral("3 items. You will confirm again before running them."));
    const QList<QQuickItem*> names = shownAll(view(), QStringLiteral("optimizeRowName"));
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(textOf(names[0]), QStringLiteral("Refresh DNS cache"));
    const QList<QQuickItem*> details = shownAll(view(), QStringLiteral("optimizeRowDetail"));
    ASSERT_EQ(details.size(), 1) << "an absent and an empty detail show no third line";
    EXPECT_EQ(textOf(details[0]), QStringLiteral("2.1 GB inactive right now"));
    for (const AppLanguagePreference language : {AppLanguagePreference::chinese, AppLanguagePreference::english}) {
        view().setLanguage(language);
        view().grab();
        EXPECT_EQ(textsCutWithRoom(view().root()), QStringList()) << static_cast<int>(language);
    }

    // Start asks for confirmation; the confirmed run writes the last-run line.
    view().click(item("optimizeStartButton"));
    ASSERT_TRUE(view().model().pendingAction());
    EXPECT_EQ(view().model().pendingAction()->arguments, QStringList{QStringLiteral("optimize")});
    EXPECT_EQ(runs.load(), 0);
    view().model().confirmPendingAction();
    ASSERT_TRUE(settleUntil(view(), [&] { return runs.load() == 1 && !view().model().isRunning(); }));
    EXPECT_EQ(item("optimizeHeaderSymbol")->property("systemName").toString(),
              QStringLiteral("clock.arrow.circlepath"));
    EXPECT_TRUE(textOf(item("optimizeLastRun")).endsWith(QStringLiteral(" · 3 items")));
}

TEST_F(OptimizeView, AnEmptyReportAndAnotherPagesRun)
{
    open();
    view().model().request(AppActionFactory::clean(true, false));
    ASSERT_TRUE(settleUntil(view(), [&] { return cleanPreviews.waiting() == 1; }));
    EXPECT_TRUE(shown(item("optimizeContract")));
    EXPECT_FALSE(item("optimizeBusy")->isVisible());
    cleanPreviews.resolve(CleanPreviewReport{});
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));

    previewWith(OptimizePreviewReport{});
    EXPECT_TRUE(shown(item("optimizePreviewEmpty")));
    EXPECT_FALSE(item("optimizeContract")->isVisible());
    EXPECT_TRUE(shown(item("optimizeStartButton")));
    EXPECT_EQ(textOf(item("emptyStateTitle")), QStringLiteral("No optimization items to show"));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("emptyStateTitle")), QStringLiteral("当前没有需要展示的优化内容"));
    EXPECT_EQ(textOf(shownAll(view(), QStringLiteral("nativeSectionSubtitle")).last()),
              QStringLiteral("0 项，正式执行前仍会再次确认。"));
}

class SafeguardsSheetView : public OptimizeView {
protected:
    void openSheet()
    {
        open();
        view().click(item("optimizeSafeguardsButton"));
        ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("optimizeSafeguardsList")); }));
        view().grab();
    }
    bool waitClosed()
    {
        return settleUntil(view(), [&] { return !shown(item("optimizeSafeguardsList")); });
    }
    // The rows by task id, in list order.
    QList<QQuickItem*> rows() { return shownAll(view(), QStringLiteral("safeguardRow")); }
    QQuickItem* rowOf(const QString& id)
    {
        for (QQuickItem* row : rows()) {
            if (row->property("optionId").toString() == id)
                return row;
        }
        return nullptr;
    }
    bool checkedIn(QQuickItem* row)
    {
        return row && row->findChild<QQuickItem*>(QStringLiteral("safeguardCheck"))->property("checked").toBool();
    }
};

TEST_F(SafeguardsSheetView, TicksClicksRestoreCancelAndSave)
{
    const QList<OptimizeWhitelistOption> options = OptimizeWhitelistStore::options();
    const QString first = options.at(0).id;
    const QString second = options.at(1).id;
    stored.selectedKeys = {second};
    stored.customKeys = {QStringLiteral("my-own-check"), QStringLiteral("another")};
    openSheet();
    ASSERT_FALSE(rows().isEmpty());
    EXPECT_EQ(rows().first()->property("optionId").toString(), first);
    EXPECT_FALSE(checkedIn(rowOf(first)));
    EXPECT_TRUE(checkedIn(rowOf(second)));
    EXPECT_EQ(textOf(item("optimizeSafeguardsCustomCount")), QStringLiteral("2 custom items are also preserved."));

    view().click(rowOf(first));
    EXPECT_TRUE(checkedIn(rowOf(first)));
    EXPECT_EQ(view().model().optimizeWhitelistSelection(), (QSet<QString>{first, second}));

    view().click(item("optimizeSafeguardsRestore"));
    EXPECT_FALSE(checkedIn(rowOf(first)));
    EXPECT_FALSE(checkedIn(rowOf(second)));
    EXPECT_TRUE(shown(item("optimizeSafeguardsCustomCount"))) << "custom entries stay";

    view().click(item("optimizeSafeguardsCancel"));
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(view().model().showingOptimizeProtectionSheet());

    // Opening again reads the file again; Save writes the ticks and keeps the custom entries.
    view().click(item("optimizeSafeguardsButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return shown(item("optimizeSafeguardsList")); }));
    view().grab();
    EXPECT_TRUE(checkedIn(rowOf(second)));
    view().click(rowOf(second));
    view().click(rowOf(first));
    view().click(item("optimizeSafeguardsSave"));
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(stored.selectedKeys, QSet<QString>{first});
    EXPECT_EQ(stored.customKeys, (QStringList{QStringLiteral("my-own-check"), QStringLiteral("another")}));
}

TEST_F(SafeguardsSheetView, NoFileMeansNoTicksAndReturnSaves)
{
    openSheet();
    for (QQuickItem* row : rows())
        EXPECT_FALSE(checkedIn(row));
    EXPECT_FALSE(item("optimizeSafeguardsCustomCount")->isVisible());
    item("optimizeSafeguardsCancel")->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_Return);
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(saves, 1);
}

TEST_F(SafeguardsSheetView, AFileThatFailedToLoadSaysSoAndCannotBeSaved)
{
    failLoad = true;
    openSheet();
    EXPECT_TRUE(shown(item("optimizeSafeguardsLoadError")));
    EXPECT_TRUE(textOf(item("optimizeSafeguardsLoadErrorText"))
                    .contains(QStringLiteral("whitelist_optimize is not UTF-8 text")));
    EXPECT_FALSE(item("optimizeSafeguardsSave")->isEnabled());
    view().click(item("optimizeSafeguardsSave"));
    QTest::keyClick(&view().window(), Qt::Key_Return);
    view().settle();
    EXPECT_TRUE(shown(item("optimizeSafeguardsList")));
    EXPECT_EQ(saves, 0);
}

TEST_F(SafeguardsSheetView, TheLanguageSwitchRetitlesTheOpenSheet)
{
    stored.customKeys = {QStringLiteral("x")};
    openSheet();
    const QString english = textOf(shownAll(view(), QStringLiteral("safeguardTitle")).value(0));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_NE(textOf(shownAll(view(), QStringLiteral("safeguardTitle")).value(0)), english);
    EXPECT_EQ(textOf(item("optimizeSafeguardsTitle")), QStringLiteral("优化保护项"));
    EXPECT_EQ(textOf(item("optimizeSafeguardsCustomCount")), QStringLiteral("另外保留了 1 个自定义项。"));
    EXPECT_EQ(item("optimizeSafeguardsSave")->property("title").toString(), QStringLiteral("保存"));
}

} // namespace
} // namespace roror::test
