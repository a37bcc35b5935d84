#include "app/pages/analyze/AnalyzePage.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/app/pages/ViewTestSupport.h"
#include "tests/support/TabChain.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

using Entry = AnalysisReport::Entry;

Entry item(std::optional<QString> path, qint64 size, std::optional<bool> folder,
           std::optional<QString> name = std::nullopt)
{
    Entry e;
    e.path = path;
    e.name = name ? name : (path ? std::optional<QString>(path->section(QLatin1Char('/'), -1)) : std::nullopt);
    e.size = size;
    e.isDirectory = folder;
    return e;
}

class AnalyzeViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        // Tall enough for both tables without scrolling the page.
        options.size = QSize(1180, 1300);
        options.services = [this](AppModelServices& s, const TestEnv& env) {
            env.writeFile(QStringLiteral("Library/notes.txt"), "notes");
            env.writeFile(QStringLiteral("Library/Big/movie.mov"), "movie");
            s.analysis = [this](const QString& root) {
                analysed.add(root);
                AnalysisReport r;
                r.path = root;
                r.totalSize = 3'500'000;
                r.totalFiles = 12;
                r.entries = {item(root + "/Big", 3'000'000, true)};
                if (QFileInfo::exists(root + "/notes.txt"))
                    r.entries.append(item(root + "/notes.txt", 400'000, false));
                r.entries.append(item(std::nullopt, 100'000, true, QStringLiteral("nameless")));
                for (int i = 0; i < 40; ++i)
                    r.entries.append(item(root + QStringLiteral("/f%1").arg(i), 1'000 - i, false));
                r.largeFiles = {item(root + "/Big/movie.mov", 2'900'000, false)};
                return r;
            };
            // The mover takes real files away; it fails on the large file, which stays.
            s.moveToTrash = [this](const QString& path, const QString&, QString* error) {
                trashed.add(path);
                if (path.endsWith(QLatin1String("movie.mov"))) {
                    *error = QStringLiteral("Operation not permitted");
                    return false;
                }
                return QFile::remove(path);
            };
        };
    }
    void show()
    {
        QQuickItem* root = view().load(QStringLiteral("Roror.Pages.Analyze"), QStringLiteral("AnalyzeView"));
        ASSERT_NE(root, nullptr) << view().warnings().join('\n').toStdString();
        page = root->findChild<AnalyzePage*>(QStringLiteral("analyzePage"));
        ASSERT_NE(page, nullptr);
    }
    void waitForReport()
    {
        ASSERT_TRUE(settleUntil(view(), [this] { return !view().model().isRunning() && page->hasReport(); }));
        listsAtRest(view());
    }
    QList<QQuickItem*> tableRows(const char* table)
    {
        QList<QQuickItem*> out;
        for (QQuickItem* row : rows(view(), QStringLiteral("entryRow"))) {
            QQuickItem* owner = row;
            while (owner && owner->objectName() != QLatin1String(table))
                owner = owner->parentItem();
            if (owner)
                out.append(row);
        }
        return out;
    }
    QQuickItem* find(const char* name) { return view().find(QString::fromLatin1(name)); }

    Recorder analysed;
    Recorder trashed;
    AnalyzePage* page = nullptr;
};

TEST_F(AnalyzeViewTest, AnalyzeAndAdvancedShowTheSummaryAndBothTables)
{
    show();
    const QString library = view().env().home() + QStringLiteral("/Library");
    EXPECT_TRUE(shown(find("analyzeScanContract")));
    EXPECT_EQ(find("analyzeButton")->property("title").toString(), QStringLiteral("Analyze"));
    EXPECT_EQ(textOf(find("analysisPathText")), library);
    EXPECT_EQ(textOf(find("pageHeaderTitle")), QStringLiteral("Not analyzed yet"));

    press(view(), find("analyzeButton"));
    waitForReport();
    EXPECT_EQ(analysed.items(), QStringList{library});
    EXPECT_FALSE(shown(find("analyzeScanContract")));
    EXPECT_EQ(find("analyzeButton")->property("title").toString(), QStringLiteral("Reanalyze"));
    EXPECT_EQ(textOf(findIn(find("scannedTile"), QStringLiteral("metricCardValue"))), QStringLiteral("3.5 MB"));
    EXPECT_EQ(textOf(findIn(find("filesTile"), QStringLiteral("metricCardValue"))), QStringLiteral("12"));
    EXPECT_EQ(textOf(findIn(find("topItemsTile"), QStringLiteral("metricCardValue"))), QStringLiteral("43"));
    EXPECT_EQ(textOf(findIn(find("largestItemsTable"), QStringLiteral("resultsTitle"))),
              QStringLiteral("Largest Items"));
    EXPECT_EQ(textOf(findIn(find("largeFilesTable"), QStringLiteral("resultsTitle"))), QStringLiteral("Large Files"));
    EXPECT_EQ(page->entries()->rowCount(), 30);

    press(view(), find("advancedButton"));
    waitForReport();
    EXPECT_EQ(analysed.items().size(), 2);
    EXPECT_EQ(page->entries()->rowCount(), 43);

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(findIn(find("largestItemsTable"), QStringLiteral("resultsTitle"))),
              QStringLiteral("占用最多的项目"));
    EXPECT_EQ(textOf(findIn(find("largeFilesTable"), QStringLiteral("resultsTitle"))), QStringLiteral("大文件"));
    EXPECT_EQ(find("analyzeButton")->property("title").toString(), QStringLiteral("重新分析"));
}

// With a report on screen every control, its rows' buttons included, is reached with Tab.
TEST_F(AnalyzeViewTest, TabReachesEveryControlOfTheReport)
{
    show();
    press(view(), find("analyzeButton"));
    waitForReport();
    expectEveryControlReached(view(), walkTabChain(view(), find("analyzeButton")));
}

TEST_F(AnalyzeViewTest, DrillDownByButtonOrRowAndBackUp)
{
    show();
    const QString library = view().env().home() + QStringLiteral("/Library");
    press(view(), find("analyzeButton"));
    waitForReport();
    const auto top = tableRows("largestItemsTable");
    ASSERT_GE(top.size(), 3);
    EXPECT_TRUE(shown(findIn(top[0], QStringLiteral("entryDrillButton"))));
    EXPECT_FALSE(shown(findIn(top[1], QStringLiteral("entryDrillButton"))));
    EXPECT_FALSE(shown(findIn(top[2], QStringLiteral("entryDrillButton"))));
    for (QQuickItem* row : tableRows("largeFilesTable"))
        EXPECT_FALSE(shown(findIn(row, QStringLiteral("entryDrillButton"))));

    // A click on a file's row or on a large file does nothing.
    press(view(), findIn(top[1], QStringLiteral("entryRowName")));
    press(view(), findIn(tableRows("largeFilesTable").value(0), QStringLiteral("entryRowName")));
    view().settle();
    EXPECT_EQ(analysed.items().size(), 1);

    press(view(), findIn(top[0], QStringLiteral("entryDrillButton")));
    EXPECT_EQ(textOf(find("analysisPathText")), library + "/Big");
    waitForReport();
    EXPECT_EQ(analysed.items().last(), library + "/Big");

    // A click on a folder's row drills as well.
    press(view(), findIn(tableRows("largestItemsTable").value(0), QStringLiteral("entryRowName")));
    waitForReport();
    EXPECT_EQ(analysed.items().last(), library + "/Big/Big");

    press(view(), find("parentFolderButton"));
    waitForReport();
    EXPECT_EQ(analysed.items().last(), library + "/Big");
}

TEST_F(AnalyzeViewTest, PathlessRowsOfferNothingAndTheTrashIsConfirmed)
{
    show();
    const QString library = view().env().home() + QStringLiteral("/Library");
    press(view(), find("analyzeButton"));
    waitForReport();
    DesktopRecorder desktop;
    const auto top = tableRows("largestItemsTable");
    QQuickItem* nameless = top.value(2);
    ASSERT_NE(nameless, nullptr);
    for (const char* button : {"entryRevealButton", "entryOpenButton", "entryTrashButton"}) {
        QQuickItem* b = findIn(nameless, QString::fromLatin1(button));
        EXPECT_FALSE(b->isEnabled()) << button;
        press(view(), b);
    }
    EXPECT_TRUE(desktop.revealed.isEmpty());
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_FALSE(page->hasPendingTrash());
    EXPECT_FALSE(shown(find("alertTitle")));

    press(view(), findIn(top[1], QStringLiteral("entryRevealButton")));
    press(view(), findIn(top[1], QStringLiteral("entryOpenButton")));
    EXPECT_EQ(desktop.revealed, QStringList{library + "/notes.txt"});
    EXPECT_EQ(desktop.opened, QStringList{library + "/notes.txt"});

    press(view(), findIn(top[1], QStringLiteral("entryTrashButton")));
    ASSERT_TRUE(shown(find("alertTitle")));
    EXPECT_EQ(textOf(find("alertMessage")), library + "/notes.txt");
    press(view(), find("alertConfirm"));
    ASSERT_TRUE(settleUntil(view(), [&] { return analysed.items().size() == 2; }));
    waitForReport();
    EXPECT_EQ(trashed.items(), QStringList{library + "/notes.txt"});
    // The folder was analysed again, so the moved file's row is gone.
    EXPECT_EQ(analysed.items().last(), library);
    EXPECT_EQ(textOf(findIn(find("topItemsTile"), QStringLiteral("metricCardValue"))), QStringLiteral("42"));
    EXPECT_EQ(textOf(findIn(tableRows("largestItemsTable").value(1), QStringLiteral("entryRowName"))),
              QStringLiteral("nameless"));

    // A failed move keeps the report and says why.
    press(view(), findIn(tableRows("largeFilesTable").value(0), QStringLiteral("entryTrashButton")));
    press(view(), find("alertConfirm"));
    ASSERT_TRUE(settleUntil(view(), [&] { return view().model().alertMessage().has_value(); }));
    view().settle();
    EXPECT_EQ(view().model().alertMessage(), QStringLiteral("Operation not permitted"));
    EXPECT_EQ(analysed.items().size(), 2);
    EXPECT_TRUE(page->hasReport());
}

// A row button says what it does when the pointer rests on it, and stops when the pointer leaves.
TEST_F(AnalyzeViewTest, RowButtonsShowTheirHelpOnHover)
{
    show();
    press(view(), find("analyzeButton"));
    waitForReport();
    QQuickItem* reveal = findIn(tableRows("largestItemsTable").value(1), QStringLiteral("entryRevealButton"));
    ASSERT_NE(reveal, nullptr);
    // The button's ToolTip attached object.
    const auto tip = [reveal](const char* name) {
        for (QObject* child : reveal->children())
            if (qstrcmp(child->metaObject()->className(), "QQuickToolTipAttached") == 0)
                return child->property(name);
        return QVariant();
    };
    view().hover(reveal);
    EXPECT_EQ(tip("text").toString(), QStringLiteral("Reveal in Finder"));
    EXPECT_EQ(tip("delay").toInt(), 600);
    EXPECT_TRUE(settleUntil(view(), [&] { return tip("visible").toBool(); }));
    view().hover(find("analyzeButton"));
    EXPECT_TRUE(settleUntil(view(), [&] { return !tip("visible").toBool(); }));
}

// The chooser opens at the folder shown; Choose gives that folder unless a sub-folder was selected.
// Cancel and Escape change nothing; the parent step goes up to the root, where it is disabled.
TEST_F(AnalyzeViewTest, TheFolderChooserGivesTheFolderOnScreenOrTheSelectedChild)
{
    show();
    const QString library = view().env().home() + QStringLiteral("/Library");
    view().env().makeDir(QStringLiteral("Library/Application Support"));
    const auto choose = [&] {
        press(view(), find("folderChooserChoose"));
        view().settle();
        EXPECT_FALSE(shown(find("folderChooserChoose")));
    };
    const auto rowNamed = [&](const QString& name) -> QQuickItem* {
        for (QQuickItem* row : rows(view(), QStringLiteral("folderChooserRow")))
            if (textOf(findIn(row, QStringLiteral("folderChooserRowName"))) == name)
                return row;
        return nullptr;
    };

    press(view(), find("chooseAnalysisFolderButton"));
    ASSERT_TRUE(shown(find("folderChooserChoose")));
    EXPECT_EQ(textOf(find("folderChooserPath")), library);
    EXPECT_EQ(textOf(findIn(rows(view(), QStringLiteral("folderChooserRow")).value(0),
                            QStringLiteral("folderChooserRowName"))),
              QStringLiteral("Application Support"));
    EXPECT_EQ(find("folderChooserCancel")->property("title").toString(), QStringLiteral("Cancel"));
    choose();
    EXPECT_EQ(textOf(find("analysisPathText")), library);

    // Selected, then chosen.
    press(view(), find("chooseAnalysisFolderButton"));
    ASSERT_NE(rowNamed(QStringLiteral("Big")), nullptr);
    press(view(), rowNamed(QStringLiteral("Big")));
    choose();
    EXPECT_EQ(textOf(find("analysisPathText")), library + "/Big");

    // Up twice from Big, nothing selected: the home folder. Cancel first changes nothing.
    press(view(), find("chooseAnalysisFolderButton"));
    EXPECT_EQ(textOf(find("folderChooserPath")), library + "/Big");
    press(view(), find("folderChooserCancel"));
    view().settle();
    EXPECT_EQ(textOf(find("analysisPathText")), library + "/Big");
    press(view(), find("chooseAnalysisFolderButton"));
    press(view(), find("folderChooserUp"));
    press(view(), find("folderChooserUp"));
    EXPECT_EQ(textOf(find("folderChooserPath")), view().env().home());
    choose();
    EXPECT_EQ(textOf(find("analysisPathText")), view().env().home());
    EXPECT_TRUE(analysed.items().isEmpty());

    // In Chinese the buttons say so.
    view().setLanguage(AppLanguagePreference::chinese);
    press(view(), find("chooseAnalysisFolderButton"));
    EXPECT_EQ(find("folderChooserChoose")->property("title").toString(), QStringLiteral("选择"));
    EXPECT_EQ(find("folderChooserCancel")->property("title").toString(), QStringLiteral("取消"));
    press(view(), find("folderChooserCancel"));
    view().settle();

    view().model().chooseAnalysisPath(QStringLiteral("/"));
    view().settle();
    EXPECT_EQ(textOf(find("analysisPathText")), QStringLiteral("/"));
    EXPECT_FALSE(find("parentFolderButton")->isEnabled());
    press(view(), find("parentFolderButton"));
    view().settle();
    EXPECT_TRUE(analysed.items().isEmpty());
    EXPECT_EQ(textOf(find("analysisPathText")), QStringLiteral("/"));
}

// Folder rows carry one button more than file rows; their sizes still end in one column, in both
// tables, and a row without a path centres its name.
TEST_F(AnalyzeViewTest, SizesFormOneColumnAndAPathlessNameIsCentred)
{
    show();
    press(view(), find("analyzeButton"));
    waitForReport();
    const auto right = [](QQuickItem* item) { return item->mapToScene(QPointF(item->width(), 0)).x(); };
    const auto middle = [](QQuickItem* item) { return item->mapToScene(QPointF(0, item->height() / 2)).y(); };
    for (const AppLanguagePreference language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        view().setLanguage(language);
        sync(view());
        QList<QQuickItem*> all = tableRows("largestItemsTable") + tableRows("largeFilesTable");
        ASSERT_GE(all.size(), 4);
        const qreal edge = right(findIn(all[0], QStringLiteral("entryRowSize")));
        for (QQuickItem* row : all)
            EXPECT_EQ(right(findIn(row, QStringLiteral("entryRowSize"))), edge)
                << textOf(findIn(row, QStringLiteral("entryRowName"))).toStdString();
        QQuickItem* nameless = tableRows("largestItemsTable").value(2);
        ASSERT_NE(nameless, nullptr);
        EXPECT_NEAR(middle(findIn(nameless, QStringLiteral("entryRowName"))), middle(nameless), 1.0);
        EXPECT_EQ(textsCutWithRoom(view().root()), QStringList());
    }
}

} // namespace
} // namespace roror::test
