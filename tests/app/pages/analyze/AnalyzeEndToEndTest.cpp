#include "app/pages/analyze/AnalyzePage.h"
#include "tests/app/pages/PageTestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

int rowOf(const AnalysisEntryModel& rows, const QString& path)
{
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (field(rows.index(row), "path").toString() == path)
            return row;
    }
    return -1;
}

} // namespace

// The real storage analysis and the real Trash on a generated tree in the fake home.
TEST(AnalyzeEndToEnd, AnalyseDrillDownGoUpAndTrashOneFile)
{
    PageFixture<AnalyzePage> f;
    f.services = AppModelServices::real();
    const QString data = f.env.makeDir(QStringLiteral("Data"));
    for (int i = 0; i < 40; ++i)
        writeBytes(f.env, data + "/media/clip" + QString::number(i) + ".mov", 20'000 + i * 1'000);
    writeBytes(f.env, data + "/media/keynote.mov", 900'000);
    for (int i = 0; i < 20; ++i)
        writeBytes(f.env, data + "/docs/page" + QString::number(i) + ".txt", 1'000);
    writeBytes(f.env, data + "/archive.tar", 400'000);

    AnalyzePage& page = f.start();
    page.setClock({});
    page.chooseFolder(QUrl::fromLocalFile(data));
    EXPECT_EQ(page.analysisPath(), data);
    page.analyze();
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));
    EXPECT_EQ(page.filesValue(), QStringLiteral("62"));
    // Directly under the folder, largest first.
    ASSERT_EQ(page.entries()->rowCount(), 3);
    EXPECT_EQ(field(page.entries()->index(0), "path").toString(), data + "/media");
    EXPECT_EQ(field(page.largeFiles()->index(0), "path").toString(), data + "/media/keynote.mov");
    EXPECT_EQ(page.largeFiles()->rowCount(), 30);

    // Into media: the report of media replaces the one of Data.
    page.drillDown(int(AnalyzePage::Table::Entries), rowOf(*page.entries(), data + "/media"));
    EXPECT_FALSE(page.hasReport());
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));
    EXPECT_EQ(page.analysisPath(), data + "/media");
    EXPECT_EQ(page.filesValue(), QStringLiteral("41"));
    EXPECT_EQ(page.scannedNote(), data + "/media");

    // Up again.
    page.goToParent();
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy(); }, 30000));
    EXPECT_EQ(page.analysisPath(), data);
    EXPECT_EQ(page.filesValue(), QStringLiteral("62"));

    // One file to the Trash through the confirmation.
    const int row = rowOf(*page.entries(), data + "/archive.tar");
    ASSERT_GE(row, 0);
    page.askTrash(int(AnalyzePage::Table::Entries), row);
    EXPECT_EQ(page.pendingTrashPath(), data + "/archive.tar");
    page.confirmTrash();
    ASSERT_TRUE(spinUntil([&] { return !QFileInfo::exists(data + "/archive.tar"); }));
    const auto trashed = trashedItems(f.env);
    EXPECT_EQ(QStringList(trashed.cbegin(), trashed.cend()), QStringList{data + "/archive.tar"});
    // The folder is analysed again: neither its row nor its bytes are listed any more, and a second
    // Trash click has nothing gone to act on.
    ASSERT_TRUE(spinUntil([&] { return page.hasReport() && !page.busy() && page.filesValue() == QStringLiteral("61"); },
                          30000));
    EXPECT_EQ(rowOf(*page.entries(), data + "/archive.tar"), -1);
    EXPECT_EQ(page.entries()->rowCount(), 2);
    EXPECT_EQ(page.analysisPath(), data);
}
