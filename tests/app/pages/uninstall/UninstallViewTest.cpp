#include "app/pages/uninstall/UninstallPage.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/app/pages/ViewTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

using Entry = UninstallPreviewReport::Entry;

Entry app(const QString& name, std::optional<qint64> bytes, std::optional<int> daysAgo)
{
    Entry e;
    e.name = name;
    e.path = QDir::homePath() + QStringLiteral("/Applications/") + name + QStringLiteral(".app");
    e.id = e.path;
    e.source = QStringLiteral("Applications");
    e.appSizeBytes = bytes;
    if (bytes)
        e.appSizeText = QString::number(*bytes / 1000) + QStringLiteral(" KB");
    if (daysAgo)
        e.lastOpened = fixedNow().addDays(-*daysAgo);
    return e;
}

class UninstallViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.uninstallPreview = [this] { return gate.future(); };
            s.moveToTrash = [this](const QString& path, const QString&, QString*) {
                trashed.add(path);
                return true;
            };
        };
    }
    void show()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Uninstall"), QStringLiteral("UninstallView"));
        ASSERT_NE(root, nullptr) << view().warnings().join('\n').toStdString();
        page = root->findChild<UninstallPage*>(QStringLiteral("uninstallPage"));
        ASSERT_NE(page, nullptr);
        page->setClock([] { return fixedNow(); });
        apps = {app("Zed", 10'000, 1), app("Able", 30'000, std::nullopt), app("Mid", 20'000, 5)};
    }
    void answer(const QList<Entry>& entries)
    {
        ASSERT_TRUE(settleUntil(view(), [this] { return gate.waiting() > 0; }));
        gate.resolve(UninstallPreviewReport(entries));
        ASSERT_TRUE(settleUntil(view(), [this] { return !view().model().isRunning(); }));
        listsAtRest(view());
    }
    QStringList shownNames()
    {
        QStringList names;
        for (QQuickItem* row : rows(view(), QStringLiteral("uninstallRow")))
            names.append(textOf(findIn(row, QStringLiteral("uninstallRowName"))));
        return names;
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }

    Gate<UninstallPreviewReport> gate;
    Recorder trashed;
    UninstallPage* page = nullptr;
    // Below the view's fake home, known once the view is made.
    QList<Entry> apps;
};

TEST_F(UninstallViewTest, FirstVisitPreviewAndTheTableInItsFirstOrder)
{
    show();
    EXPECT_TRUE(shown(item("uninstallScanContract")));
    EXPECT_FALSE(shown(item("chooseAppsButton")));
    EXPECT_EQ(textOf(item("pageHeaderTitle")), QStringLiteral("No uninstalls yet"));
    EXPECT_EQ(item("pageHeaderSymbol")->property("systemName").toString(), QStringLiteral("app.dashed"));

    press(view(), item("uninstallPreviewButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return gate.waiting() > 0; }));
    EXPECT_EQ(view().model().statusTitle(), AppActionFactory::uninstall(true, false).title);
    EXPECT_TRUE(shown(item("busySection")));
    answer(apps);
    EXPECT_TRUE(shown(item("chooseAppsButton")));
    EXPECT_EQ(item("uninstallPreviewButton")->property("title").toString(), QStringLiteral("Rescan"));
    EXPECT_EQ(shownNames(), (QStringList{"Mid", "Zed", "Able"}));
    QQuickItem* lastOpened = item("lastOpenedSortButton");
    EXPECT_TRUE(shown(findIn(lastOpened, QStringLiteral("sortButtonChevron"))));
    EXPECT_EQ(findIn(lastOpened, QStringLiteral("sortButtonChevron"))->property("systemName").toString(),
              QStringLiteral("chevron.up"));
    EXPECT_FALSE(shown(findIn(item("sizeSortButton"), QStringLiteral("sortButtonChevron"))));
    // Every icon is there once the provider answered.
    ASSERT_TRUE(settleUntil(view(), [&] {
        for (QQuickItem* icon : view().findAll(QStringLiteral("uninstallAppIcon"))) {
            if (icon->property("status").toInt() != 1)
                return false;
        }
        return true;
    }));
}

TEST_F(UninstallViewTest, HeadingsSortBothWays)
{
    show();
    press(view(), item("uninstallPreviewButton"));
    answer(apps);
    press(view(), item("sizeSortButton"));
    EXPECT_EQ(shownNames(), (QStringList{"Able", "Mid", "Zed"}));
    EXPECT_EQ(findIn(item("sizeSortButton"), QStringLiteral("sortButtonChevron"))->property("systemName").toString(),
              QStringLiteral("chevron.down"));
    EXPECT_FALSE(shown(findIn(item("lastOpenedSortButton"), QStringLiteral("sortButtonChevron"))));
    press(view(), item("sizeSortButton"));
    EXPECT_EQ(shownNames(), (QStringList{"Zed", "Mid", "Able"}));
    press(view(), item("lastOpenedSortButton"));
    EXPECT_EQ(shownNames(), (QStringList{"Mid", "Zed", "Able"}));
    press(view(), item("lastOpenedSortButton"));
    EXPECT_EQ(shownNames(), (QStringList{"Zed", "Mid", "Able"}));
}

TEST_F(UninstallViewTest, SelectionModeConfirmationAndContinue)
{
    show();
    press(view(), item("uninstallPreviewButton"));
    answer(apps);
    EXPECT_FALSE(shown(item("uninstallSelectionToolbar")));
    press(view(), item("chooseAppsButton"));
    EXPECT_TRUE(shown(item("uninstallSelectionToolbar")));
    EXPECT_EQ(textOf(item("uninstallNameColumn")), QStringLiteral("Selected Apps"));
    EXPECT_EQ(textOf(item("uninstallSelectionCount")), QStringLiteral("0 selected"));
    EXPECT_FALSE(item("startUninstallButton")->isEnabled());

    // Sorted by size, Able and Zed picked: the confirmation names them in report order.
    press(view(), item("sizeSortButton"));
    auto list = rows(view(), QStringLiteral("uninstallRow"));
    ASSERT_EQ(list.size(), 3);
    press(view(), findIn(list[0], QStringLiteral("uninstallRowBox")));
    press(view(), findIn(list[2], QStringLiteral("uninstallRowBox")));
    EXPECT_EQ(textOf(item("uninstallSelectionCount")), QStringLiteral("2 selected"));
    ASSERT_TRUE(item("startUninstallButton")->isEnabled());
    press(view(), item("startUninstallButton"));
    ASSERT_TRUE(shown(item("alertTitle")));
    EXPECT_EQ(textOf(item("alertTitle")), QStringLiteral("Uninstall These Apps?"));
    EXPECT_TRUE(textOf(item("alertMessage")).endsWith(QStringLiteral("\n\n2 apps: Zed, Able.")));
    EXPECT_TRUE(item("alertConfirm")->isEnabled());
    press(view(), item("alertCancel"));
    EXPECT_FALSE(shown(item("alertTitle")));
    EXPECT_TRUE(page->isSelectingApps());

    press(view(), item("startUninstallButton"));
    press(view(), item("alertConfirm"));
    EXPECT_FALSE(page->isSelectingApps());
    EXPECT_EQ(page->selectedCount(), 0);
    ASSERT_TRUE(settleUntil(view(), [&] { return trashed.items().size() == 2 && !view().model().isRunning(); }));
    EXPECT_EQ(trashed.items(), (QStringList{apps[0].path, apps[1].path}));
    listsAtRest(view());
    EXPECT_EQ(shownNames(), QStringList{"Mid"});
    EXPECT_EQ(textOf(item("pageHeaderTitle")), QStringLiteral("Last uninstall in 0 sec. · 2 apps"));
}

TEST_F(UninstallViewTest, LanguageSwitchAndTheEmptyReport)
{
    show();
    press(view(), item("chooseAppsButton")); // absent before a report: nothing happens
    EXPECT_FALSE(page->isSelectingApps());
    page->enterUninstallSelection();
    answer({});
    EXPECT_TRUE(shown(item("uninstallEmptyState")));
    EXPECT_FALSE(shown(item("uninstallResults")));
    EXPECT_FALSE(shown(item("uninstallSelectionToolbar")));
    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("sectionTitleTitle")), QStringLiteral("卸载"));
    EXPECT_EQ(textOf(findIn(item("uninstallEmptySection"), QStringLiteral("nativeSectionSubtitle"))),
              QStringLiteral("没有找到可列出的应用。"));
    EXPECT_EQ(textOf(findIn(item("uninstallEmptyState"), QStringLiteral("emptyStateTitle"))),
              QStringLiteral("当前没有可显示的应用项目"));
}

TEST_F(UninstallViewTest, HeaderPlacementAndNoTextCutWhileItFits)
{
    show();
    press(view(), item("uninstallPreviewButton"));
    answer(apps);
    expectTableFits(view(), QStringLiteral("uninstallRow"));
    press(view(), item("chooseAppsButton"));
    ASSERT_TRUE(shown(item("uninstallSelectionToolbar")));
    expectTableFits(view(), QStringLiteral("uninstallRow"));
}

} // namespace
} // namespace roror::test
