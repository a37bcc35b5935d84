#include "app/pages/uninstall/UninstallPage.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using Entry = UninstallPreviewReport::Entry;

Entry app(const QString& name, std::optional<qint64> bytes, std::optional<int> daysAgo, QStringList leftovers = {})
{
    Entry e;
    e.name = name;
    e.path = QDir::homePath() + QStringLiteral("/Applications/") + name + QStringLiteral(".app");
    e.id = e.path;
    e.source = QStringLiteral("Applications");
    e.appSizeBytes = bytes;
    if (bytes)
        e.appSizeText = QString::number(*bytes) + QStringLiteral(" KB");
    if (daysAgo)
        e.lastOpened = fixedNow().addDays(-*daysAgo);
    e.leftoverPaths = leftovers;
    return e;
}

QStringList entryNames(const QList<Entry>& entries)
{
    QStringList out;
    for (const auto& e : entries)
        out.append(e.name);
    return out;
}

// A page whose previews answer with the reports a test queues, one per request.
struct UninstallFixture : PageFixture<UninstallPage> {
    UninstallFixture()
    {
        services.uninstallPreview = [this] { return gate.future(); };
        services.moveToTrash = [this](const QString& path, const QString&, QString*) {
            moved.add(path);
            return true;
        };
    }
    void previewAnswers(const QList<Entry>& entries)
    {
        ASSERT_TRUE(spinUntil([this] { return gate.waiting() > 0; }));
        gate.resolve(UninstallPreviewReport(entries));
        ASSERT_TRUE(spinUntil([this] { return !model->isRunning(); }));
    }
    Gate<UninstallPreviewReport> gate;
    Recorder moved;
};

// Three apps below the current (fake) home.
QList<Entry> threeApps()
{
    return {app("Zed", 10, 1), app("Able", 30, std::nullopt), app("Mid", 20, 5)};
}

} // namespace

TEST(UninstallPage, FirstVisitPreviewAndBusyRule)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    UninstallPage& page = f.start();
    EXPECT_FALSE(page.hasReport());
    EXPECT_FALSE(page.busy());
    EXPECT_FALSE(page.hasLastUninstall());
    EXPECT_EQ(page.lastUninstallText(), QString());
    EXPECT_EQ(page.entries()->rowCount(), 0);

    page.preview();
    ASSERT_TRUE(spinUntil([&] { return page.busy(); }));
    EXPECT_EQ(f.model->runningFeature(), AppFeature::uninstall);
    f.previewAnswers(kReport);
    EXPECT_FALSE(page.busy());
    EXPECT_TRUE(page.hasReport());
    EXPECT_EQ(page.summaryText(), QStringLiteral("3 app items. You will confirm again before uninstalling."));
    // Default order: least recently opened first, never-opened last.
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Mid", "Zed", "Able"}));
    EXPECT_EQ(column(*page.entries(), "lastOpenedText"), (QStringList{"5 days ago", "1 day ago", "Never"}));
}

TEST(UninstallPage, AnotherFeatureRunDoesNotMakeThePageBusy)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    Gate<PurgePreviewReport> purge;
    f.services.purgePreview = [&purge](const QString&) { return purge.future(); };
    UninstallPage& page = f.start();
    f.model->request(AppActionFactory::purge(true, false));
    ASSERT_TRUE(spinUntil([&] { return f.model->isRunning(); }));
    EXPECT_EQ(f.model->runningFeature(), AppFeature::purge);
    EXPECT_FALSE(page.busy());
    purge.resolve(PurgePreviewReport{});
    ASSERT_TRUE(spinUntil([&] { return !f.model->isRunning(); }));
}

TEST(UninstallPage, SelectionModeOnPrunedByNewReportOffOnlyByContinue)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    UninstallPage& page = f.start();

    // Choosing apps before any report turns the mode on and starts the preview.
    page.enterUninstallSelection();
    EXPECT_TRUE(page.isSelectingApps());
    f.previewAnswers(kReport);
    page.selectAll();
    EXPECT_EQ(page.selectedCount(), 3);
    EXPECT_EQ(page.selectionCountText(), QStringLiteral("3 selected"));
    EXPECT_EQ(column(*page.entries(), "selected"), (QStringList{"true", "true", "true"}));

    // A rescan that no longer lists Zed drops it; selection mode stays on.
    page.preview();
    f.previewAnswers({kReport[1], kReport[2]});
    EXPECT_TRUE(page.isSelectingApps());
    EXPECT_EQ(page.selectedAppPaths(), (QSet<QString>{kReport[1].path, kReport[2].path}));

    // Clearing keeps the mode; choosing apps again with a report does not rescan.
    page.clearSelection();
    EXPECT_EQ(page.selectedCount(), 0);
    EXPECT_TRUE(page.isSelectingApps());
    page.enterUninstallSelection();
    drainEvents();
    EXPECT_EQ(f.gate.waiting(), 0);

    // Continue with nothing selected asks nothing and moves nothing.
    page.requestUninstall();
    page.confirmUninstall();
    drainEvents();
    EXPECT_TRUE(f.moved.items().isEmpty());
    EXPECT_FALSE(f.model->alertMessage().has_value());
    EXPECT_TRUE(page.isSelectingApps());

    page.setSelected(kReport[2].path, true);
    page.requestUninstall();
    EXPECT_TRUE(page.showingUninstallConfirmation());
    page.confirmUninstall();
    EXPECT_FALSE(page.showingUninstallConfirmation());
    EXPECT_FALSE(page.isSelectingApps());
    EXPECT_EQ(page.selectedCount(), 0);
    ASSERT_TRUE(spinUntil([&] { return !f.moved.items().isEmpty() && !f.model->isRunning(); }));
    EXPECT_EQ(f.moved.items(), QStringList{kReport[2].path});
}

TEST(UninstallPage, ContinueHandsOverTheReportOrderNotTheShownOrder)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    UninstallPage& page = f.start();
    page.preview();
    const QList<Entry> report{app("Big", 900, 1, {"/home/x/Library/Caches/big"}), app("Small", 5, 9),
                              app("Medium", 50, 3)};
    f.previewAnswers(report);
    page.enterUninstallSelection();
    page.toggleSizeSort(); // largest first
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Big", "Medium", "Small"}));
    page.setSelected(report[2].path, true);
    page.setSelected(report[1].path, true);
    EXPECT_EQ(entryNames(page.selectedEntries()), (QStringList{"Small", "Medium"}));
    EXPECT_TRUE(page.confirmationMessage().endsWith(QStringLiteral("\n\n2 apps: Small, Medium.")));
    page.confirmUninstall();
    ASSERT_TRUE(spinUntil([&] { return f.moved.items().size() == 2 && !f.model->isRunning(); }));
    EXPECT_EQ(f.moved.items(), (QStringList{report[1].path, report[2].path}));
    // The model writes the report again without the removed apps; the table follows.
    EXPECT_EQ(column(*page.entries(), "name"), QStringList{"Big"});
    EXPECT_TRUE(page.hasLastUninstall());
    EXPECT_EQ(page.lastUninstallText(), QStringLiteral("Last uninstall in 0 sec. · 2 apps"));
}

TEST(UninstallPage, SortTogglesReorderRowsAndABusySpellStartsTheOrderAgain)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    UninstallPage& page = f.start();
    page.preview();
    f.previewAnswers(kReport);
    QSignalSpy layout(page.entries(), &QAbstractItemModel::layoutChanged);
    QSignalSpy reset(page.entries(), &QAbstractItemModel::modelReset);
    page.toggleSizeSort();
    EXPECT_EQ(page.sortKey(), UninstallPage::SortKey::Size);
    EXPECT_EQ(page.sortDirection(), UninstallPage::SortDirection::Descending);
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Able", "Mid", "Zed"}));
    page.toggleSizeSort();
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Zed", "Mid", "Able"}));
    page.toggleLastOpenedSort();
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Mid", "Zed", "Able"}));
    page.toggleLastOpenedSort();
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Zed", "Mid", "Able"}));
    // Reordering keeps the rows (and their delegates): a layout change, never a reset.
    EXPECT_EQ(layout.count(), 4);
    EXPECT_EQ(reset.count(), 0);

    // A rescan replaces the panel with the busy strip; the new panel starts in its first order.
    page.toggleSizeSort();
    page.preview();
    ASSERT_TRUE(spinUntil([&] { return page.busy(); }));
    f.previewAnswers(kReport);
    EXPECT_EQ(page.sortKey(), UninstallPage::SortKey::LastOpened);
    EXPECT_EQ(page.sortDirection(), UninstallPage::SortDirection::Ascending);
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Mid", "Zed", "Able"}));
}

TEST(UninstallPage, TextsFollowTheInterfaceLanguagePhrasesTheSystemLanguage)
{
    UninstallFixture f;
    const QList<Entry> kReport = threeApps();
    UninstallPage& page = f.start();
    page.preview();
    QList<Entry> report = kReport;
    report[0].appSizeText.reset();
    report[0].leftoverPaths = {QStringLiteral("/x")};
    report[0].leftoverSizeText = QStringLiteral("2 MB");
    report[2].leftoverPaths = {QStringLiteral("/y")}; // leftovers without a size text: one line
    f.previewAnswers(report);
    EXPECT_EQ(column(*page.entries(), "appSizeText"), (QStringList{"20 KB", "Unknown", "30 KB"}));
    EXPECT_EQ(column(*page.entries(), "leftoverSizeText"), (QStringList{"", "+ 2 MB", ""}));

    QSignalSpy texts(&page, &UninstallPage::reportChanged);
    QSignalSpy cells(page.entries(), &QAbstractItemModel::dataChanged);
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_GE(texts.count(), 1);
    EXPECT_GE(cells.count(), 1);
    EXPECT_EQ(page.summaryText(), QStringLiteral("3 个应用项目，正式卸载前仍会再次确认。"));
    // "Never" is an interface text; the relative phrase stays in the system's language (English here).
    EXPECT_EQ(column(*page.entries(), "lastOpenedText"), (QStringList{"5 days ago", "1 day ago", "从未"}));
    EXPECT_EQ(column(*page.entries(), "appSizeText"), (QStringList{"20 KB", "未知", "30 KB"}));
    EXPECT_EQ(page.selectionCountText(), QStringLiteral("已选 0 个"));
}

TEST(UninstallPage, IconSourcesNameTheBundlePath)
{
    EXPECT_EQ(UninstallEntryModel::iconSource(QStringLiteral("/Applications/My App#1.app")),
              QStringLiteral("image://appicon/%2FApplications%2FMy%20App%231.app"));
}
