#include "app/pages/installer/InstallerPage.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/app/pages/ViewTestSupport.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

InstallerPreviewReport::Entry file(const QString& path, qint64 bytes)
{
    InstallerPreviewReport::Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.source = QStringLiteral("Downloads");
    e.byteCount = bytes;
    return e;
}

class InstallerViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv& env) {
            env.makeDir(QStringLiteral("Downloads"));
            env.makeDir(QStringLiteral("Desktop"));
            s.installerPreview = [this](const QString&) { return gate.future(); };
            s.moveToTrash = [this](const QString& path, const QString&, QString*) {
                trashed.add(path);
                return true;
            };
        };
    }
    void show()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Installer"), QStringLiteral("InstallerView"));
        ASSERT_NE(root, nullptr) << view().warnings().join('\n').toStdString();
        page = root->findChild<InstallerPage*>(QStringLiteral("installerPage"));
        ASSERT_NE(page, nullptr);
    }
    void answer(const QList<InstallerPreviewReport::Entry>& entries)
    {
        ASSERT_TRUE(settleUntil(view(), [this] { return gate.waiting() > 0; }));
        gate.resolve(InstallerPreviewReport(entries, fixedNow()));
        ASSERT_TRUE(settleUntil(view(), [this] { return !view().model().isRunning(); }));
        listsAtRest(view());
    }
    QList<InstallerPreviewReport::Entry> threeFiles()
    {
        const QString d = view().env().home() + QStringLiteral("/Downloads/");
        return {file(d + "a.dmg", 3'000'000), file(d + "b.pkg", 2'000'000), file(d + "README", 1'000'000)};
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }

    Gate<InstallerPreviewReport> gate;
    Recorder trashed;
    InstallerPage* page = nullptr;
};

TEST_F(InstallerViewTest, FirstVisitCardPreviewAndList)
{
    show();
    EXPECT_TRUE(shown(item("installerScanContract")));
    EXPECT_FALSE(shown(item("chooseFilesButton")));
    EXPECT_EQ(textOf(item("pageHeaderTitle")), QStringLiteral("Not cleaned yet"));
    EXPECT_EQ(textOf(findIn(item("installerScanContract"), QStringLiteral("nativeSectionSubtitle"))),
              QStringLiteral("Checks 2 locations"));
    const auto tags = view().findAll(QStringLiteral("glassTagTitle"));
    QStringList sources;
    for (QQuickItem* tag : tags)
        sources.append(textOf(tag));
    EXPECT_EQ(sources, (QStringList{"Downloads", "Desktop"}));

    press(view(), item("installerPreviewButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return gate.waiting() > 0; }));
    EXPECT_EQ(view().model().statusTitle(), AppActionFactory::installer(true, false).title);
    EXPECT_TRUE(shown(item("busySection")));
    answer(threeFiles());
    EXPECT_TRUE(shown(item("installerResults")));
    EXPECT_TRUE(shown(item("chooseFilesButton")));
    EXPECT_FALSE(shown(item("installerSelectionToolbar")));
    EXPECT_EQ(textOf(findIn(item("installerResults"), QStringLiteral("resultsSubtitle"))),
              QStringLiteral("3 files, total 6 MB."));
    const auto list = rows(view(), QStringLiteral("installerRow"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(textOf(findIn(list[2], QStringLiteral("installerRowKind"))), QStringLiteral("File"));
    EXPECT_FALSE(shown(findIn(list[0], QStringLiteral("installerRowBox"))));
}

TEST_F(InstallerViewTest, SelectionModeBoxesLineAndTheConfirmedMove)
{
    show();
    press(view(), item("installerPreviewButton"));
    const auto files = threeFiles();
    answer(files);

    press(view(), item("chooseFilesButton"));
    EXPECT_TRUE(page->isSelectingInstallers());
    EXPECT_TRUE(shown(item("installerSelectionToolbar")));
    EXPECT_EQ(textOf(item("installerNameColumn")), QStringLiteral("Selected Files"));
    EXPECT_EQ(textOf(item("installerSelectionCount")), QStringLiteral("0 selected"));
    EXPECT_EQ(textOf(item("installerSelectionLine")), QStringLiteral("0 selected · 0 KB"));
    EXPECT_FALSE(item("moveSelectedButton")->isEnabled());

    auto list = rows(view(), QStringLiteral("installerRow"));
    ASSERT_EQ(list.size(), 3);
    press(view(), findIn(list[0], QStringLiteral("installerRowBox")));
    press(view(), findIn(list[2], QStringLiteral("installerRowBox")));
    EXPECT_EQ(textOf(item("installerSelectionLine")), QStringLiteral("2 selected · 4 MB"));
    EXPECT_EQ(textOf(item("installerSelectionCount")), QStringLiteral("2 selected"));
    EXPECT_TRUE(findIn(list[0], QStringLiteral("installerRowBox"))->property("checked").toBool());
    press(view(), findIn(list[2], QStringLiteral("installerRowBox")));
    EXPECT_EQ(page->selectedInstallerPaths(), QSet<QString>{files[0].path});

    press(view(), item("selectAllButton"));
    EXPECT_EQ(page->selectedCount(), 3);
    press(view(), item("clearSelectionButton"));
    EXPECT_EQ(page->selectedCount(), 0);
    EXPECT_TRUE(page->isSelectingInstallers());

    press(view(), findIn(list[1], QStringLiteral("installerRowBox")));
    press(view(), item("moveSelectedButton"));
    ASSERT_TRUE(shown(item("alertTitle")));
    EXPECT_EQ(
        textOf(item("alertMessage")),
        QStringLiteral(
            "The selected 1 installer files will be moved to Trash, not permanently deleted.\n\nTotal size: 2 MB."));
    // Cancel keeps the mode and the selection.
    press(view(), item("alertCancel"));
    EXPECT_FALSE(shown(item("alertTitle")));
    EXPECT_EQ(page->selectedCount(), 1);

    press(view(), item("moveSelectedButton"));
    press(view(), item("alertConfirm"));
    EXPECT_FALSE(page->isSelectingInstallers());
    ASSERT_TRUE(settleUntil(view(), [&] { return !trashed.items().isEmpty() && !view().model().isRunning(); }));
    EXPECT_EQ(trashed.items(), QStringList{files[1].path});
    listsAtRest(view());
    EXPECT_EQ(rows(view(), QStringLiteral("installerRow")).size(), 2);
    EXPECT_FALSE(shown(item("installerSelectionToolbar")));
    EXPECT_TRUE(textOf(item("pageHeaderTitle")).endsWith(QStringLiteral(" · 1 files · freed 2 MB")));
}

TEST_F(InstallerViewTest, ChoosingFilesWithoutReportPreviewsAndTheEmptyState)
{
    show();
    press(view(), item("installerPreviewButton"));
    answer({});
    EXPECT_TRUE(shown(item("installerEmptyState")));
    EXPECT_FALSE(shown(item("installerResults")));
    press(view(), item("chooseFilesButton"));
    EXPECT_TRUE(page->isSelectingInstallers());
    ASSERT_TRUE(settleUntil(view(), [&] { return gate.waiting() > 0; }));
    answer(threeFiles());
    EXPECT_TRUE(shown(item("installerSelectionToolbar")));

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("installerNameColumn")), QStringLiteral("已选文件"));
    EXPECT_EQ(textOf(item("installerSelectionLine")), QStringLiteral("已选 0 个 · 0 KB"));
    EXPECT_EQ(textOf(findIn(item("installerResults"), QStringLiteral("resultsSubtitle"))),
              QStringLiteral("选择后可统一移到废纸篓。"));
}

TEST_F(InstallerViewTest, ShortenedNamesStopShortOfTheSourceColumn)
{
    show();
    press(view(), item("installerPreviewButton"));
    const QString d = view().env().home() + QStringLiteral("/Downloads/");
    const QString longName = QStringLiteral("一个名字很长很长的安装包文件名称，用来检查中间省略是否正确显示-")
        + QString(40, QLatin1Char('x')) + QStringLiteral(".pkg");
    answer({file(d + longName, 3'000'000), file(d + "a.dmg", 2'000'000)});
    const auto sceneLeft = [](QQuickItem* item) { return item->mapToScene(QPointF(0, 0)).x(); };
    for (const AppLanguagePreference language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        view().setLanguage(language);
        sync(view());
        for (QQuickItem* row : rows(view(), QStringLiteral("installerRow"))) {
            QQuickItem* name = findIn(row, QStringLiteral("installerRowName"));
            QQuickItem* source = findIn(row, QStringLiteral("installerRowSource"));
            const qreal nameEnd = sceneLeft(name) + name->property("contentWidth").toReal();
            EXPECT_GE(sceneLeft(source) - nameEnd, 12) << textOf(name).toStdString();
        }
    }
}

TEST_F(InstallerViewTest, HeaderPlacementAndNoTextCutWhileItFits)
{
    show();
    press(view(), item("installerPreviewButton"));
    answer(threeFiles());
    expectTableFits(view(), QStringLiteral("installerRow"));
    press(view(), item("chooseFilesButton"));
    ASSERT_TRUE(shown(item("installerSelectionToolbar")));
    expectTableFits(view(), QStringLiteral("installerRow"));
}

} // namespace
} // namespace roror::test
