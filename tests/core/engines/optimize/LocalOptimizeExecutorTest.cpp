#include "core/engines/optimize/LocalOptimizeExecutor.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace roror;

namespace {

OptimizePreviewReport catalogueReport()
{
    OptimizePreviewReport report;
    for (const auto& item : OptimizePreviewCatalog::items()) {
        auto entry = item.localizedEntry();
        entry.detail = QStringLiteral("detail of ") + item.id;
        report.entries.append(entry);
    }
    return report;
}

QStringList ids(const QList<OptimizePreviewReport::Entry>& entries)
{
    QStringList result;
    for (const auto& entry : entries)
        result.append(entry.id);
    return result;
}

// Every injected command appends its word to the marker file, so the file lists exactly the
// processes that were started, in order. The word and the path reach the shell as arguments.
class LocalOptimizeExecutorTest : public ::testing::Test {
protected:
    QStringList marking(const QString& word, int exitCode = 0) const
    {
        return {"/bin/sh",
                "-c",
                "printf '%s\\n' \"$1\" >> \"$2\"; exit \"$3\"",
                "sh",
                word,
                marker,
                QString::number(exitCode)};
    }

    LocalOptimizeExecutor::CommandTable allSucceed() const
    {
        return {
            {"system_maintenance", marking("flushcache")},
            {"network_optimization", marking("flushcache")},
            {"cache_refresh", marking("qlmanage")},
            {"dock_refresh", marking("dock")},
        };
    }

    QStringList started() const
    {
        QFile file(marker);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    test::TestEnv env;
    QString marker = env.outside() + "/started.txt";
};

TEST_F(LocalOptimizeExecutorTest, RunsTheCommandStepsInReportOrder)
{
    const OptimizePreviewReport report = catalogueReport();
    const LocalOptimizeResult result = LocalOptimizeExecutor::run(report, {}, allSucceed());

    EXPECT_EQ(ids(result.completed),
              (QStringList{"system_maintenance", "cache_refresh", "network_optimization", "dock_refresh"}));
    EXPECT_EQ(result.skipped.size(), 19);
    EXPECT_TRUE(result.failed.isEmpty());
    EXPECT_EQ(started(), (QStringList{"flushcache", "qlmanage", "flushcache", "dock"}));

    // Entries pass through unchanged, the skipped ones in catalogue order.
    EXPECT_EQ(result.completed[0], report.entries[0]);
    QList<OptimizePreviewReport::Entry> others;
    for (const auto& entry : report.entries) {
        if (!ids(result.completed).contains(entry.id))
            others.append(entry);
    }
    EXPECT_EQ(result.skipped, others);
}

TEST_F(LocalOptimizeExecutorTest, ProtectedAndUnsafeStepsStartNothing)
{
    OptimizePreviewReport report = catalogueReport();
    for (auto& entry : report.entries) {
        if (entry.id == "cache_refresh")
            entry.safe = false;
    }
    const LocalOptimizeResult result
        = LocalOptimizeExecutor::run(report, {"dock_refresh", "system_maintenance", "not_in_report"}, allSucceed());

    EXPECT_EQ(ids(result.completed), QStringList{"network_optimization"});
    EXPECT_TRUE(ids(result.skipped).contains("dock_refresh"));
    EXPECT_TRUE(ids(result.skipped).contains("cache_refresh"));
    EXPECT_TRUE(ids(result.skipped).contains("system_maintenance"));
    EXPECT_EQ(result.skipped.size(), 22);
    EXPECT_EQ(started(), QStringList{"flushcache"});
}

TEST_F(LocalOptimizeExecutorTest, FailingCommandIsReportedAsFailedAndAbsentToolAsSkipped)
{
    LocalOptimizeExecutor::CommandTable commands = allSucceed();
    commands["cache_refresh"] = marking("qlmanage", 1);
    commands["dock_refresh"] = {env.outside() + "/no-such-tool", "Dock"};
    commands["network_optimization"] = {};

    const LocalOptimizeResult result = LocalOptimizeExecutor::run(catalogueReport(), {}, commands);

    EXPECT_EQ(ids(result.completed), QStringList{"system_maintenance"});
    EXPECT_EQ(ids(result.failed), QStringList{"cache_refresh"});
    EXPECT_TRUE(ids(result.skipped).contains("dock_refresh"));
    EXPECT_TRUE(ids(result.skipped).contains("network_optimization"));
    EXPECT_EQ(result.completed.size() + result.skipped.size() + result.failed.size(), 23);
    EXPECT_EQ(started(), (QStringList{"flushcache", "qlmanage"}));
}

TEST_F(LocalOptimizeExecutorTest, EmptyReportAndRepeatedIds)
{
    EXPECT_EQ(LocalOptimizeExecutor::run({}, {"dock_refresh"}, allSucceed()), LocalOptimizeResult{});
    EXPECT_TRUE(started().isEmpty());

    OptimizePreviewReport twice;
    twice.entries = {OptimizePreviewCatalog::entry("dock_refresh", {}, {}, true),
                     OptimizePreviewCatalog::entry("dock_refresh", {}, {}, true)};
    EXPECT_EQ(LocalOptimizeExecutor::run(twice, {}, allSucceed()).completed.size(), 2);
    EXPECT_EQ(started(), (QStringList{"dock", "dock"}));
}

TEST_F(LocalOptimizeExecutorTest, PlatformTableHoldsTheFixedCommands)
{
    const auto& table = LocalOptimizeExecutor::runnableSafeActions();
    EXPECT_EQ(table.value("system_maintenance"), (QStringList{"/usr/sbin/dscacheutil", "-flushcache"}));
    EXPECT_EQ(table.value("network_optimization"), (QStringList{"/usr/sbin/dscacheutil", "-flushcache"}));
    EXPECT_EQ(table.value("cache_refresh"), (QStringList{"/usr/bin/qlmanage", "-r", "cache"}));
#ifdef Q_OS_MACOS
    EXPECT_EQ(table.value("dock_refresh"), (QStringList{"/usr/bin/killall", "Dock"}));
    EXPECT_EQ(table.size(), 4);
#else
    EXPECT_FALSE(table.contains("dock_refresh"));
    EXPECT_EQ(table.size(), 3);
    // Without the platform's tools every step is skipped; nothing counts as failed.
    if (!QFileInfo::exists("/usr/sbin/dscacheutil") && !QFileInfo::exists("/usr/bin/qlmanage")) {
        const LocalOptimizeResult result = LocalOptimizeExecutor::run(catalogueReport(), {});
        EXPECT_TRUE(result.completed.isEmpty());
        EXPECT_TRUE(result.failed.isEmpty());
        EXPECT_EQ(result.skipped, catalogueReport().entries);
    }
#endif
}

} // namespace
