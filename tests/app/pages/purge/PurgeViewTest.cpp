#include "app/pages/purge/PurgePage.h"
#include "core/model/AppActionFactory.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/app/pages/ViewTestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

PurgePreviewReport::Entry folder(const QString& path, qint64 bytes)
{
    PurgePreviewReport::Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.target = e.name;
    e.byteCount = bytes;
    e.fileCount = 3;
    return e;
}

class PurgeViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.purgePreview = [this](const QString& root) {
                scanned.append(root);
                return gate.future();
            };
            s.moveToTrash = [this](const QString& path, const QString&, QString*) {
                trashed.add(path);
                return true;
            };
        };
    }
    QQuickItem* show()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Purge"), QStringLiteral("PurgeView"));
        page = root ? root->findChild<PurgePage*>(QStringLiteral("purgePage")) : nullptr;
        return root;
    }
    void answer(const QList<PurgePreviewReport::Entry>& entries)
    {
        ASSERT_TRUE(settleUntil(view(), [this] { return gate.waiting() > 0; }));
        gate.resolve(PurgePreviewReport(scanned.last(), entries, fixedNow()));
        ASSERT_TRUE(settleUntil(view(), [this] { return !view().model().isRunning(); }));
        listsAtRest(view());
    }
    QQuickItem* item(const char* name) { return view().find(QString::fromLatin1(name)); }

    Gate<PurgePreviewReport> gate;
    QStringList scanned;
    Recorder trashed;
    DesktopRecorder desktop;
    PurgePage* page = nullptr;
};

TEST_F(PurgeViewTest, FirstVisitPreviewBusyAndRows)
{
    ASSERT_NE(show(), nullptr) << view().warnings().join('\n').toStdString();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(shown(item("purgeScanContract")));
    EXPECT_FALSE(shown(item("busySection")));
    EXPECT_FALSE(shown(item("purgePanel")));
    EXPECT_EQ(textOf(item("pageHeaderTitle")), QStringLiteral("Not cleaned yet"));
    EXPECT_EQ(item("pageHeaderSymbol")->property("systemName").toString(), QStringLiteral("shippingbox"));
    EXPECT_EQ(textOf(item("scanPathText")), view().env().home());
    EXPECT_EQ(item("purgePreviewButton")->property("title").toString(), QStringLiteral("Preview"));

    // Preview: the purge dry run over the scan folder; the card gives way to the busy strip.
    press(view(), item("purgePreviewButton"));
    ASSERT_TRUE(settleUntil(view(), [&] { return gate.waiting() > 0; }));
    EXPECT_EQ(view().model().statusTitle(), AppActionFactory::purge(true, false).title);
    EXPECT_EQ(scanned, QStringList{view().env().home()});
    EXPECT_TRUE(shown(item("busySection")));
    EXPECT_FALSE(shown(item("purgeScanContract")));

    const QString home = view().env().home();
    answer({folder(home + "/a/node_modules", 5'000'000), folder(home + "/b/target", 9'000'000)});
    EXPECT_FALSE(shown(item("busySection")));
    EXPECT_TRUE(shown(item("purgeResults")));
    EXPECT_EQ(item("purgePreviewButton")->property("title").toString(), QStringLiteral("Rescan"));
    const auto list = rows(view(), QStringLiteral("purgeRow"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(textOf(findIn(list[0], QStringLiteral("purgeRowPath"))), home + "/b/target");
    EXPECT_EQ(textOf(findIn(list[1], QStringLiteral("purgeRowSize"))), QStringLiteral("5 MB"));
    EXPECT_EQ(textOf(findIn(list[0], QStringLiteral("purgeRowDetail"))), QStringLiteral("3 files / 0 folders"));
}

TEST_F(PurgeViewTest, RowButtonsRevealOpenAndAskBeforeTheTrash)
{
    ASSERT_NE(show(), nullptr);
    const QString home = view().env().home();
    press(view(), item("purgePreviewButton"));
    answer({folder(home + "/a/node_modules", 5'000'000), folder(home + "/b/target", 9'000'000)});
    auto list = rows(view(), QStringLiteral("purgeRow"));
    ASSERT_EQ(list.size(), 2);

    press(view(), findIn(list[0], QStringLiteral("purgeRevealButton")));
    press(view(), findIn(list[1], QStringLiteral("purgeOpenButton")));
    EXPECT_EQ(desktop.revealed, QStringList{home + "/b/target"});
    EXPECT_EQ(desktop.opened, QStringList{home + "/a/node_modules"});

    // Trash asks first; Cancel moves nothing.
    press(view(), findIn(list[1], QStringLiteral("purgeTrashButton")));
    QQuickItem* alertTitle = item("alertTitle");
    ASSERT_TRUE(shown(alertTitle));
    EXPECT_EQ(textOf(alertTitle), QStringLiteral("Move to Trash?"));
    EXPECT_EQ(textOf(item("alertMessage")), home + "/a/node_modules");
    press(view(), item("alertCancel"));
    EXPECT_FALSE(page->hasPendingTrash());
    EXPECT_FALSE(shown(item("alertTitle")));
    EXPECT_TRUE(trashed.items().isEmpty());

    // Move to Trash moves that one folder, then a fresh preview of the same folder starts.
    press(view(), findIn(list[1], QStringLiteral("purgeTrashButton")));
    press(view(), item("alertConfirm"));
    ASSERT_TRUE(settleUntil(view(), [&] { return gate.waiting() > 0; }));
    EXPECT_EQ(trashed.items(), QStringList{home + "/a/node_modules"});
    EXPECT_EQ(scanned.size(), 2);
    EXPECT_FALSE(shown(item("alertTitle")));
    answer({folder(home + "/b/target", 9'000'000)});
    EXPECT_EQ(rows(view(), QStringLiteral("purgeRow")).size(), 1);
    EXPECT_EQ(item("pageHeaderSymbol")->property("systemName").toString(), QStringLiteral("clock.arrow.circlepath"));
    EXPECT_TRUE(textOf(item("pageHeaderTitle")).startsWith(QStringLiteral("Last cleanup ")));
}

TEST_F(PurgeViewTest, ChooseFolderHandsTheDialogsAnswerToTheModel)
{
    ASSERT_NE(show(), nullptr);
    const QString projects = view().env().makeDir(QStringLiteral("Projects"));
    press(view(), item("purgePreviewButton"));
    answer({});
    EXPECT_TRUE(shown(item("purgeEmptyState")));
    EXPECT_EQ(textOf(findIn(item("purgeEmptySection"), QStringLiteral("nativeSectionSubtitle"))),
              QStringLiteral("0 items, total 0 KB."));

    // The chooser opens at the current folder with nothing selected: Choose gives that folder, not
    // its first sub-folder (a link into Documents here); a selected sub-folder is given as chosen.
    const QString home = view().env().home();
    view().env().makeDir(QStringLiteral("Documents"));
    QFile::link(home + QStringLiteral("/Documents"), home + QStringLiteral("/Adocs-link"));
    press(view(), item("chooseFolderButton"));
    ASSERT_TRUE(shown(item("folderChooserChoose")));
    EXPECT_EQ(textOf(item("folderChooserPath")), home);
    ASSERT_GE(rows(view(), QStringLiteral("folderChooserRow")).size(), 3);
    EXPECT_EQ(textOf(findIn(rows(view(), QStringLiteral("folderChooserRow")).value(0),
                            QStringLiteral("folderChooserRowName"))),
              QStringLiteral("Adocs-link"));
    press(view(), item("folderChooserChoose"));
    view().settle();
    EXPECT_FALSE(shown(item("folderChooserChoose")));
    EXPECT_EQ(view().model().scanPath(), home);

    press(view(), item("chooseFolderButton"));
    QQuickItem* projectsRow = nullptr;
    for (QQuickItem* row : rows(view(), QStringLiteral("folderChooserRow")))
        if (textOf(findIn(row, QStringLiteral("folderChooserRowName"))) == QStringLiteral("Projects"))
            projectsRow = row;
    ASSERT_NE(projectsRow, nullptr);
    press(view(), projectsRow);
    press(view(), item("folderChooserChoose"));
    view().settle();
    EXPECT_EQ(view().model().scanPath(), projects);
    EXPECT_EQ(textOf(item("scanPathText")), projects);
    // The report went with the old folder: the card is back and the button says Preview.
    EXPECT_TRUE(shown(item("purgeScanContract")));
    EXPECT_EQ(item("purgePreviewButton")->property("title").toString(), QStringLiteral("Preview"));
}

TEST_F(PurgeViewTest, AnotherFeaturesRunLeavesThePageAndTheLanguageSwitchesLive)
{
    Gate<InstallerPreviewReport> installer;
    options.services = [&](AppModelServices& s, const TestEnv&) {
        s.installerPreview = [&](const QString&) { return installer.future(); };
    };
    ASSERT_NE(show(), nullptr);
    view().model().request(AppActionFactory::installer(true, false));
    ASSERT_TRUE(settleUntil(view(), [&] { return view().model().isRunning(); }));
    EXPECT_TRUE(shown(item("purgeScanContract")));
    EXPECT_FALSE(shown(item("busySection")));

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(item("sectionTitleTitle")), QStringLiteral("项目瘦身"));
    EXPECT_EQ(textOf(item("pageHeaderTitle")), QStringLiteral("还没瘦身过"));
    EXPECT_EQ(item("purgePreviewButton")->property("title").toString(), QStringLiteral("预览"));
    EXPECT_EQ(textOf(findIn(item("purgeScanContract"), QStringLiteral("nativeSectionSubtitle"))),
              QStringLiteral("共检查 51 种目录类型"));
    installer.resolve(InstallerPreviewReport{});
    ASSERT_TRUE(settleUntil(view(), [&] { return !view().model().isRunning(); }));
}

TEST_F(PurgeViewTest, HeaderPlacementAndNoTextCutWhileItFits)
{
    ASSERT_NE(show(), nullptr) << view().warnings().join('\n').toStdString();
    press(view(), item("purgePreviewButton"));
    const QString home = view().env().home();
    answer({folder(home + "/a/node_modules", 5'000'000), folder(home + "/b/target", 9'000'000)});
    expectTableFits(view(), QStringLiteral("purgeRow"));
}

} // namespace
} // namespace roror::test
