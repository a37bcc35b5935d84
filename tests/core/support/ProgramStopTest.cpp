#include "core/engines/analysis/LocalAnalysis.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/engines/clean/LocalCleanPreview.h"
#include "core/support/FolderWalker.h"
#include "core/support/ProgramStop.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <QUuid>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

// A home whose Library/Caches holds 5 folders of 4 files each.
void fillCaches(const TestEnv& env)
{
    for (int folder = 0; folder < 5; ++folder) {
        for (int file = 0; file < 4; ++file)
            env.writeFile(QStringLiteral("Library/Caches/app%1/f%2").arg(folder).arg(file), "data");
    }
}

qint64 filesBelow(const QString& root)
{
    return measureTree(root).fileCount;
}

class ProgramStopTest : public ::testing::Test {
protected:
    void TearDown() override { clearProgramStop(); }
    TestEnv env;
};

} // namespace

// Once the program is closing, each engine's walk ends at its next item instead of finishing.
TEST_F(ProgramStopTest, WalksEndAtTheirNextItem)
{
    fillCaches(env);
    const QString caches = env.home() + "/Library/Caches";

    // A stop asked for during a walk: nothing after the item under way is visited.
    int visited = 0;
    walkFolder(caches, {}, [&](const WalkEntry&) {
        ++visited;
        requestProgramStop();
        return WalkAction::Continue;
    });
    EXPECT_EQ(visited, 1);

    EXPECT_EQ(measureTree(caches).fileCount, 0);
    EXPECT_EQ(LocalAnalysis::snapshot(env.home() + "/Library").totalFiles.value_or(0), 0);
    const CleanPreviewReport preview = LocalCleanPreview::snapshot(env.home(), [] { return QSet<QString>(); });
    for (const CleanPreviewReport::Entry& entry : preview.entries)
        EXPECT_FALSE(entry.path == caches && entry.status == CleanPreviewEntryStatus::cleanable)
            << "the caches were counted while the program was closing";

    clearProgramStop();
    EXPECT_EQ(measureTree(caches).fileCount, 20) << "the stop outlived its clearing";
}

// A clean asked for while the program closes removes nothing; what is there stays in place.
TEST_F(ProgramStopTest, CleanRemovesNothingOnceStopped)
{
    fillCaches(env);
    const QString caches = env.home() + "/Library/Caches";
    CleanPreviewReport report;
    report.generatedAt = QDateTime::currentDateTime();
    report.entries.append({QUuid::createUuid(), "S", caches, std::nullopt, CleanPreviewEntryStatus::cleanable});

    requestProgramStop();
    const LocalCleanResult result = LocalCleanExecutor::clean(report, {env.home()}, {});
    clearProgramStop();
    EXPECT_EQ(result.removedCount, 0);
    EXPECT_EQ(filesBelow(caches), 20);
}
