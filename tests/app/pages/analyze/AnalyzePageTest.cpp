#include "app/pages/analyze/AnalyzePage.h"
#include "app/pages/analyze/AnalyzeTexts.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QMutex>
#include <QSemaphore>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using Entry = AnalysisReport::Entry;

Entry item(std::optional<QString> path, qint64 size, std::optional<bool> isDirectory,
           std::optional<QString> name = std::nullopt)
{
    Entry e;
    e.path = path;
    e.name = name ? name : (path ? std::optional<QString>(path->section(QLatin1Char('/'), -1)) : std::nullopt);
    e.size = size;
    e.isDirectory = isDirectory;
    return e;
}

// Analyses answer with a report the test builds for the folder; a test can hold them back.
struct AnalyzeFixture : PageFixture<AnalyzePage> {
    AnalyzeFixture()
    {
        services.analysis = [this](const QString& root) {
            {
                QMutexLocker lock(&mutex);
                analysed.append(root);
            }
            if (root == holdFolder)
                release.acquire();
            AnalysisReport r;
            r.path = reportPath.isEmpty() ? root : reportPath;
            r.totalSize = 4'200'000;
            r.totalFiles = 17;
            r.entries = {item(root + "/Big", 3'000'000, true), item(root + "/notes.txt", 1'000'000, false),
                         item(std::nullopt, 500, true, QStringLiteral("nameless"))};
            r.largeFiles = {item(root + "/Big/movie.mov", 2'900'000, false)};
            return r;
        };
        services.moveToTrash = [this](const QString& path, const QString&, QString*) {
            trashed.add(path);
            return true;
        };
    }
    ~AnalyzeFixture() { release.release(100); }
    QStringList analysedFolders()
    {
        QMutexLocker lock(&mutex);
        return analysed;
    }
    bool idle() { return !model->isRunning(); }

    QMutex mutex;
    QStringList analysed;
    QString holdFolder; // analyses of this folder wait for release
    QSemaphore release;
    QString reportPath;
    Recorder trashed;
};

} // namespace

TEST(AnalyzeTexts, LastAnalysisLineParentStepAndFallbacks)
{
    const auto en = AppResolvedLanguage::english;
    const auto zh = AppResolvedLanguage::chinese;
    const QDateTime now = fixedNow();
    const double minutesAgo = double(now.toSecsSinceEpoch() - 300);
    EXPECT_FALSE(AnalyzeTexts::lastAnalysisText(0, 1, 1, now, en, en));
    EXPECT_FALSE(AnalyzeTexts::lastAnalysisText(-3, 1, 1, now, en, en));
    EXPECT_EQ(AnalyzeTexts::lastAnalysisText(minutesAgo, 1'500'000'000, 123456, now, en, en),
              QStringLiteral("Last analysis 5 min. ago · 123456 files · 1.5 GB"));
    EXPECT_EQ(AnalyzeTexts::lastAnalysisText(minutesAgo, 1'500'000'000, 9, now, zh, zh),
              QStringLiteral("上次分析 5分钟前 · 9 个文件 · 1.5 GB"));

    const struct {
        const char* path;
        const char* parent;
        bool unavailable;
    } steps[] = {
        {"/", "/", true},       {"", "", true},        {"relative", "", true},
        {"/Users", "/", false}, {"/a/b", "/a", false}, {"/a/b/", "/a", false},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(AnalyzeTexts::parentPath(QString::fromUtf8(s.path)), QString::fromUtf8(s.parent)) << s.path;
        EXPECT_EQ(AnalyzeTexts::parentPathUnavailable(QString::fromUtf8(s.path)), s.unavailable) << s.path;
    }

    AnalysisReport report;
    EXPECT_EQ(AnalyzeTexts::scannedValue(report), QStringLiteral("Unknown"));
    EXPECT_EQ(AnalyzeTexts::scannedNote(report, en), QStringLiteral("Selected location"));
    EXPECT_EQ(AnalyzeTexts::scannedNote(report, zh), QStringLiteral("选中的位置"));
    EXPECT_EQ(AnalyzeTexts::filesValue(report), QStringLiteral("0"));
    EXPECT_EQ(AnalyzeTexts::entryName(item(std::nullopt, 1, false), en), QStringLiteral("Untitled"));
    EXPECT_EQ(AnalyzeTexts::entryName(item(std::nullopt, 1, false), zh), QStringLiteral("未命名"));

    // Drillable: the table allows it, a folder, a non-empty path.
    EXPECT_TRUE(AnalyzeTexts::isDrillable(item(QStringLiteral("/a"), 1, true), true));
    EXPECT_FALSE(AnalyzeTexts::isDrillable(item(QStringLiteral("/a"), 1, true), false));
    EXPECT_FALSE(AnalyzeTexts::isDrillable(item(QStringLiteral("/a"), 1, false), true));
    EXPECT_FALSE(AnalyzeTexts::isDrillable(item(QStringLiteral("/a"), 1, std::nullopt), true));
    EXPECT_FALSE(AnalyzeTexts::isDrillable(item(QString(), 1, true, QStringLiteral("x")), true));
    EXPECT_FALSE(AnalyzeTexts::isDrillable(item(std::nullopt, 1, true, QStringLiteral("x")), true));
}

TEST(AnalyzePage, AnalyzeShowsSummaryAndTables)
{
    AnalyzeFixture f;
    AnalyzePage& page = f.start();
    const QString library = f.env.home() + QStringLiteral("/Library");
    EXPECT_EQ(page.analysisPath(), library);
    EXPECT_FALSE(page.hasReport());
    EXPECT_FALSE(page.hasLastAnalysis());
    EXPECT_FALSE(page.parentPathUnavailable());

    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    EXPECT_EQ(f.analysedFolders(), QStringList{library});
    EXPECT_EQ(page.scannedValue(), QStringLiteral("4.2 MB"));
    EXPECT_EQ(page.scannedNote(), library);
    EXPECT_EQ(page.filesValue(), QStringLiteral("17"));
    EXPECT_EQ(page.topItemsValue(), QStringLiteral("3"));
    EXPECT_EQ(page.largeFilesValue(), QStringLiteral("1"));
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"Big", "notes.txt", "nameless"}));
    EXPECT_EQ(column(*page.entries(), "drillable"), (QStringList{"true", "false", "false"}));
    EXPECT_EQ(column(*page.entries(), "hasPath"), (QStringList{"true", "true", "false"}));
    EXPECT_EQ(column(*page.largeFiles(), "drillable"), QStringList{"false"});
    EXPECT_TRUE(page.hasLastAnalysis());
    EXPECT_EQ(page.lastAnalysisText(), QStringLiteral("Last analysis in 0 sec. · 17 files · 4.2 MB"));
}

TEST(AnalyzePage, RowLimitFollowsAdvancedAndAnalyze)
{
    AnalyzeFixture f;
    f.services.analysis = [](const QString& root) {
        AnalysisReport r;
        r.path = root;
        for (int i = 0; i < 45; ++i)
            r.entries.append(item(root + QStringLiteral("/f") + QString::number(i), 1000 - i, false));
        return r;
    };
    AnalyzePage& page = f.start();
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    EXPECT_EQ(page.rowLimit(), 30);
    EXPECT_EQ(page.entries()->rowCount(), 30);
    EXPECT_EQ(field(page.entries()->index(29), "name").toString(), QStringLiteral("f29"));
    EXPECT_EQ(page.topItemsValue(), QStringLiteral("45"));
    page.analyzeAdvanced();
    EXPECT_TRUE(page.showAdvancedResults());
    ASSERT_TRUE(spinUntil([&] { return f.idle(); }));
    EXPECT_EQ(page.entries()->rowCount(), 45);
    page.analyze();
    EXPECT_FALSE(page.showAdvancedResults());
    ASSERT_TRUE(spinUntil([&] { return f.idle(); }));
    EXPECT_EQ(page.entries()->rowCount(), 30);
}

TEST(AnalyzePage, DrillDownParentAndChoose)
{
    AnalyzeFixture f;
    AnalyzePage& page = f.start();
    const QString library = f.env.home() + QStringLiteral("/Library");
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));

    // Only a drillable row of the first table starts an analysis of its folder.
    page.drillDown(int(AnalyzePage::Table::Entries), 1); // a file
    page.drillDown(int(AnalyzePage::Table::Entries), 2); // no path
    page.drillDown(int(AnalyzePage::Table::LargeFiles), 0);
    drainEvents();
    EXPECT_EQ(f.analysedFolders().size(), 1);
    page.drillDown(int(AnalyzePage::Table::Entries), 0);
    EXPECT_EQ(page.analysisPath(), library + QStringLiteral("/Big"));
    EXPECT_FALSE(page.hasReport());
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    EXPECT_EQ(f.analysedFolders().last(), library + QStringLiteral("/Big"));

    page.goToParent();
    EXPECT_EQ(page.analysisPath(), library);
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    EXPECT_EQ(f.analysedFolders().last(), library);

    // Choosing a folder clears the tables and starts nothing.
    const int before = int(f.analysedFolders().size());
    page.chooseFolder(QUrl());
    EXPECT_TRUE(page.hasReport());
    page.chooseFolder(QUrl::fromLocalFile(QStringLiteral("/")));
    EXPECT_EQ(page.analysisPath(), QStringLiteral("/"));
    EXPECT_FALSE(page.hasReport());
    EXPECT_TRUE(page.parentPathUnavailable());
    page.goToParent();
    drainEvents();
    EXPECT_EQ(page.analysisPath(), QStringLiteral("/"));
    EXPECT_EQ(f.analysedFolders().size(), before);
}

TEST(AnalyzePage, OnlyTheLatestRequestsRowsAreShown)
{
    AnalyzeFixture f;
    AnalyzePage& page = f.start();
    const QString library = f.env.home() + QStringLiteral("/Library");
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));

    // The analysis of Big is held back while the user steps to the parent folder, whose analysis
    // ends first; Big's report, coming last, must not replace it.
    f.holdFolder = library + QStringLiteral("/Big");
    page.drillDown(int(AnalyzePage::Table::Entries), 0);
    ASSERT_TRUE(spinUntil([&] { return f.analysedFolders().size() == 2; }));
    EXPECT_TRUE(page.busy());
    page.goToParent();
    ASSERT_TRUE(spinUntil([&] { return f.analysedFolders().size() == 3 && page.hasReport(); }));
    EXPECT_TRUE(page.busy()); // Big's run is still going
    f.release.release();
    ASSERT_TRUE(spinUntil([&] { return f.idle(); }));
    drainEvents();
    EXPECT_EQ(page.analysisPath(), library);
    ASSERT_TRUE(page.hasReport());
    EXPECT_EQ(page.scannedNote(), library);
    EXPECT_EQ(column(*page.entries(), "path").first(), library + QStringLiteral("/Big"));
}

TEST(AnalyzePage, AReportOfAnotherFolderIsNeverShownUnderThisOne)
{
    AnalyzeFixture f;
    f.reportPath = QStringLiteral("/somewhere/else");
    AnalyzePage& page = f.start();
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && f.model->analysisReport().has_value(); }));
    EXPECT_FALSE(page.hasReport());
    EXPECT_EQ(page.entries()->rowCount(), 0);
}

TEST(AnalyzePage, RowActionsAndTheTrashConfirmation)
{
    AnalyzeFixture f;
    AnalyzePage& page = f.start();
    const QString library = f.env.home() + QStringLiteral("/Library");
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    const int entries = int(AnalyzePage::Table::Entries);
    const int largeFiles = int(AnalyzePage::Table::LargeFiles);

    // A row without a path: nothing is revealed, opened or asked.
    page.reveal(entries, 2);
    page.open(entries, 2);
    page.askTrash(entries, 2);
    EXPECT_TRUE(f.revealed.isEmpty());
    EXPECT_TRUE(f.opened.isEmpty());
    EXPECT_FALSE(page.hasPendingTrash());

    page.reveal(largeFiles, 0);
    page.open(entries, 1);
    EXPECT_EQ(f.revealed, QStringList{library + "/Big/movie.mov"});
    EXPECT_EQ(f.opened, QStringList{library + "/notes.txt"});

    page.askTrash(entries, 1);
    EXPECT_EQ(page.pendingTrashPath(), library + "/notes.txt");
    page.cancelTrash();
    EXPECT_FALSE(page.hasPendingTrash());
    EXPECT_TRUE(f.trashed.items().isEmpty());

    page.askTrash(largeFiles, 0);
    page.confirmTrash();
    EXPECT_FALSE(page.hasPendingTrash());
    ASSERT_TRUE(spinUntil([&] { return !f.trashed.items().isEmpty() && f.idle(); }));
    EXPECT_EQ(f.trashed.items(), QStringList{library + "/Big/movie.mov"});
    // The row stays until the next analysis, and the move does not count as a Project Cleanup.
    EXPECT_EQ(page.largeFiles()->rowCount(), 1);
    EXPECT_EQ(f.model->lastPurgeCleanedCount(), 0);
    EXPECT_EQ(f.model->lastPurgeScanDate(), 0);
}

TEST(AnalyzePage, LanguageSwitchRewritesTexts)
{
    AnalyzeFixture f;
    AnalyzePage& page = f.start();
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return f.idle() && page.hasReport(); }));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.lastAnalysisText(), QStringLiteral("上次分析 in 0 sec. · 17 个文件 · 4.2 MB"));
}
