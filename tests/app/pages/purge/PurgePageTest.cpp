#include "app/pages/purge/PurgePage.h"
#include "app/pages/purge/PurgeTexts.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using Entry = PurgePreviewReport::Entry;

Entry folder(const QString& path, qint64 bytes, std::optional<int> files = std::nullopt,
             std::optional<int> folders = std::nullopt)
{
    Entry e;
    e.id = QUuid::createUuid();
    e.path = path;
    e.name = path.section(QLatin1Char('/'), -1);
    e.target = e.name;
    e.byteCount = bytes;
    e.fileCount = files;
    e.directoryCount = folders;
    return e;
}

struct PurgeFixture : PageFixture<PurgePage> {
    PurgeFixture()
    {
        services.purgePreview = [this](const QString& root) {
            scannedRoots.append(root);
            return gate.future();
        };
        services.moveToTrash = [this](const QString& path, const QString&, QString* error) {
            trashed.add(path);
            if (failMoves && error)
                *error = QStringLiteral("disk says no");
            return !failMoves;
        };
    }
    void answer(const QList<Entry>& entries)
    {
        ASSERT_TRUE(spinUntil([this] { return gate.waiting() > 0; }));
        gate.resolve(PurgePreviewReport(scannedRoots.last(), entries, fixedNow()));
        ASSERT_TRUE(spinUntil([this] { return !model->isRunning(); }));
    }
    Gate<PurgePreviewReport> gate;
    QStringList scannedRoots;
    Recorder trashed;
    std::atomic<bool> failMoves = false;
};

} // namespace

TEST(PurgeTexts, LinesInBothLanguages)
{
    const auto en = AppResolvedLanguage::english;
    const auto zh = AppResolvedLanguage::chinese;
    const QDateTime now = fixedNow();
    const double anHourAgo = double(now.toSecsSinceEpoch() - 3600);
    EXPECT_FALSE(PurgeTexts::lastPurgeText(0, 1, 1000, now, en, en));
    EXPECT_FALSE(PurgeTexts::lastPurgeText(-1, 1, 1000, now, en, en));
    EXPECT_EQ(PurgeTexts::lastPurgeText(anHourAgo, 1, 2'500'000, now, en, en),
              QStringLiteral("Last cleanup 1 hr. ago · 1 items · freed 2.5 MB"));
    EXPECT_EQ(PurgeTexts::lastPurgeText(anHourAgo, 3, 2'500'000, now, zh, zh),
              QStringLiteral("上次瘦身 1小时前 · 清理 3 项 · 释放 2.5 MB"));
    EXPECT_EQ(PurgeTexts::summaryText(0, QStringLiteral("0 KB"), en), QStringLiteral("0 items, total 0 KB."));
    EXPECT_EQ(PurgeTexts::summaryText(1, QStringLiteral("3 MB"), en), QStringLiteral("1 items, total 3 MB."));
    EXPECT_EQ(PurgeTexts::summaryText(4, QStringLiteral("3 MB"), zh), QStringLiteral("4 项，合计 3 MB。"));
    EXPECT_EQ(PurgeTexts::contractSubtitle(51, en), QStringLiteral("Checks 51 directory types"));
    EXPECT_EQ(PurgeTexts::contractSubtitle(51, zh), QStringLiteral("共检查 51 种目录类型"));
    const QStringList& names = PurgeTexts::contractTargetNames();
    EXPECT_EQ(names.size(), 32);
    EXPECT_EQ(names.first(), QStringLiteral("node_modules"));
    EXPECT_EQ(names.last(), QStringLiteral("coverage"));
    EXPECT_EQ(QStringList(names).removeDuplicates(), 0);
}

TEST(PurgePage, ScanFolderPreviewAndRows)
{
    PurgeFixture f;
    PurgePage& page = f.start();
    EXPECT_EQ(page.scanPath(), f.env.home());
    EXPECT_FALSE(page.hasReport());
    EXPECT_FALSE(page.hasLastPurge());
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("Checks 51 directory types"));

    // A cancelled dialog changes nothing; a chosen folder replaces the scan folder.
    page.chooseScanFolder(QUrl());
    EXPECT_EQ(page.scanPath(), f.env.home());
    const QString projects = f.env.makeDir(QStringLiteral("Projects"));
    page.chooseScanFolder(QUrl::fromLocalFile(projects));
    EXPECT_EQ(page.scanPath(), projects);

    page.preview();
    ASSERT_TRUE(spinUntil([&] { return page.busy(); }));
    f.answer({folder(projects + "/a/node_modules", 5'000'000, 10, 2), folder(projects + "/b/target", 9'000'000),
              folder(projects + "/c/.venv", 1'000, 3)});
    EXPECT_EQ(f.scannedRoots, QStringList{projects});
    EXPECT_TRUE(page.hasReport());
    EXPECT_EQ(page.summaryText(), QStringLiteral("3 items, total 14 MB."));
    EXPECT_EQ(column(*page.entries(), "name"), (QStringList{"target", "node_modules", ".venv"}));
    EXPECT_EQ(column(*page.entries(), "detailText"), (QStringList{"", "10 files / 2 folders", "3 files / 0 folders"}));

    // Choosing another folder drops the report at once.
    page.chooseScanFolder(QUrl::fromLocalFile(f.env.home()));
    EXPECT_FALSE(page.hasReport());
    EXPECT_EQ(page.entries()->rowCount(), 0);
}

TEST(PurgePage, RevealAndOpenActOnTheRowsPath)
{
    PurgeFixture f;
    PurgePage& page = f.start();
    page.preview();
    f.answer({folder(f.env.home() + "/p/node_modules", 10), folder(f.env.home() + "/q/build", 5)});
    page.reveal(1);
    page.open(0);
    page.reveal(7); // no such row
    EXPECT_EQ(f.revealed, QStringList{f.env.home() + "/q/build"});
    EXPECT_EQ(f.opened, QStringList{f.env.home() + "/p/node_modules"});
}

TEST(PurgePage, TrashConfirmationMovesOneFolderThenPreviewsAgain)
{
    PurgeFixture f;
    PurgePage& page = f.start();
    const QString big = f.env.home() + "/p/node_modules";
    const QString small = f.env.home() + "/q/build";
    page.preview();
    f.answer({folder(big, 2'000'000), folder(small, 5'000)});

    // Cancel: nothing moves, the report stays.
    page.askTrash(1);
    EXPECT_TRUE(page.hasPendingTrash());
    EXPECT_EQ(page.pendingTrashPath(), small);
    page.cancelTrash();
    EXPECT_FALSE(page.hasPendingTrash());
    EXPECT_TRUE(f.trashed.items().isEmpty());
    EXPECT_EQ(page.entries()->rowCount(), 2);

    page.askTrash(0);
    page.confirmTrash();
    EXPECT_FALSE(page.hasPendingTrash());
    // The move runs off the GUI thread; the list drops the folder when it is done, and only then
    // does the fresh preview of the same folder start.
    ASSERT_TRUE(spinUntil([&] { return f.gate.waiting() > 0; }));
    EXPECT_EQ(f.trashed.items(), QStringList{big});
    EXPECT_EQ(column(*page.entries(), "path"), QStringList{small});
    EXPECT_EQ(page.lastPurgeText(), QStringLiteral("Last cleanup in 0 sec. · 1 items · freed 2 MB"));
    EXPECT_TRUE(page.busy());
    f.answer({folder(small, 5'000)});
    EXPECT_EQ(f.scannedRoots.size(), 2);

    // A refused move still clears the question and still previews again.
    f.failMoves = true;
    page.askTrash(0);
    page.confirmTrash();
    EXPECT_FALSE(page.hasPendingTrash());
    ASSERT_TRUE(spinUntil([&] { return f.gate.waiting() > 0; }));
    EXPECT_EQ(f.model->alertMessage(), QStringLiteral("disk says no"));
    f.answer({folder(small, 5'000)});
    EXPECT_EQ(page.lastPurgeText(), QStringLiteral("Last cleanup in 0 sec. · 1 items · freed 2 MB"));
}

TEST(PurgePage, LanguageSwitchRewritesTexts)
{
    PurgeFixture f;
    PurgePage& page = f.start();
    page.preview();
    f.answer({folder(f.env.home() + "/p/node_modules", 2'000'000, 4, 1)});
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.summaryText(), QStringLiteral("1 项，合计 2 MB。"));
    EXPECT_EQ(page.contractSubtitle(), QStringLiteral("共检查 51 种目录类型"));
    EXPECT_EQ(column(*page.entries(), "detailText"), QStringList{"4 文件 / 1 文件夹"});
}
