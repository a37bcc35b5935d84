#include "app/pages/analyze/AnalyzePage.h"
#include "tests/app/pages/PageTestSupport.h"
#include "tests/app/pages/ViewTestSupport.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

using Entry = AnalysisReport::Entry;

Entry item(std::optional<QString> path, qint64 size, std::optional<bool> folder, std::optional<QString> name = std::nullopt)
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
        options.services = [this](AppModelServices& s, const TestEnv&) {
            s.analysis = [this](const QString& root) {
                analysed.add(root);
                AnalysisReport r;
                r.path = root;
                r.totalSize = 3'500'000;
                r.totalFiles = 12;
                r.entries = {item(root + "/Big", 3'000'000, true), item(root + "/notes.txt", 400'000, false),
                             item(std::nullopt, 100'000, true, QStringLiteral("nameless"))};
                for (int i = 0; i < 40; ++i)
                    r.entries.append(item(root + QStringLiteral("/f%1").arg(i), 1'000 - i, false));
                r.largeFiles = {item(root + "/Big/movie.mov", 2'900'000, false)};
                return r;
            };
            s.moveToTrash = [this](const QString& path, const QString&, QString*) {
                trashed.add(path);
                return true;
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
    EXPECT_EQ(textOf(findIn(find("largestItemsTable"), QStringLiteral("resultsTitle"))), QStringLiteral("Largest Items"));
    EXPECT_EQ(textOf(findIn(find("largeFilesTable"), QStringLiteral("resultsTitle"))), QStringLiteral("Large Files"));
    EXPECT_EQ(page->entries()->rowCount(), 30);

    press(view(), find("advancedButton"));
    waitForReport();
    EXPECT_EQ(analysed.items().size(), 2);
    EXPECT_EQ(page->entries()->rowCount(), 43);

    view().setLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(textOf(findIn(find("largestItemsTable"), QStringLiteral("resultsTitle"))), QStringLiteral("占用最多的项目"));
    EXPECT_EQ(textOf(findIn(find("largeFilesTable"), QStringLiteral("resultsTitle"))), QStringLiteral("大文件"));
    EXPECT_EQ(find("analyzeButton")->property("title").toString(), QStringLiteral("重新分析"));
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
    ASSERT_TRUE(settleUntil(view(), [&] { return !trashed.items().isEmpty() && !view().model().isRunning(); }));
    EXPECT_EQ(trashed.items(), QStringList{library + "/notes.txt"});
    // The row stays until the next analysis.
    EXPECT_EQ(page->entries()->rowCount(), 30);
}

TEST_F(AnalyzeViewTest, ChoosingTheRootDisablesTheParentStep)
{
    show();
    QObject* dialog = view().root()->findChild<QObject*>(QStringLiteral("analysisFolderDialog"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(find("parentFolderButton")->isEnabled());
    press(view(), find("chooseAnalysisFolderButton"));
    EXPECT_TRUE(dialog->property("visible").toBool());
    dialog->setProperty("selectedFolder", QUrl::fromLocalFile(QStringLiteral("/")));
    QMetaObject::invokeMethod(dialog, "accept");
    view().settle();
    EXPECT_EQ(textOf(find("analysisPathText")), QStringLiteral("/"));
    EXPECT_FALSE(find("parentFolderButton")->isEnabled());
    press(view(), find("parentFolderButton"));
    view().settle();
    EXPECT_TRUE(analysed.items().isEmpty());
    EXPECT_EQ(textOf(find("analysisPathText")), QStringLiteral("/"));
}

} // namespace
} // namespace roror::test
