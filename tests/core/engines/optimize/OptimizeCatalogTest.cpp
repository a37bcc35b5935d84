#include "core/engines/optimize/LocalOptimizePreview.h"
#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/engines/optimize/OptimizePreviewService.h"
#include "tests/support/TestEnv.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace roror;

namespace {

const QStringList catalogueOrder{
    "system_maintenance",      "cache_refresh",           "saved_state_cleanup",
    "fix_broken_configs",      "network_optimization",    "sqlite_vacuum",
    "launch_services_rebuild", "font_cache_rebuild",      "dock_refresh",
    "prevent_network_dsstore", "memory_pressure_relief",  "network_stack_optimize",
    "disk_permissions_repair", "bluetooth_reset",         "spotlight_index_optimize",
    "periodic_maintenance",    "shared_file_list_repair", "disk_verify",
    "login_items_audit",       "quarantine_cleanup",      "launch_agents_cleanup",
    "notification_cleanup",    "coreduet_cleanup",
};

TEST(OptimizePreviewCatalogTest, HoldsTheTwentyThreeStepsInOrder)
{
    const auto& items = OptimizePreviewCatalog::items();
    QStringList ids;
    for (const auto& item : items) {
        ids.append(item.id);
        EXPECT_FALSE(item.zhName.isEmpty() || item.enName.isEmpty() || item.zhDescription.isEmpty()
                     || item.enDescription.isEmpty())
            << item.id.toStdString();
    }
    EXPECT_EQ(ids, catalogueOrder);
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), 23);
}

TEST(OptimizePreviewCatalogTest, TextsInBothLanguages)
{
    struct Case {
        int index;
        const char* zhName;
        const char* enName;
        const char* zhDescription;
        const char* enDescription;
    };
    const Case cases[] = {
        {0, "DNS 与 Spotlight 检查", "DNS and Spotlight Check", "刷新 DNS 缓存，并检查 Spotlight 当前状态。",
         "Refresh DNS cache and check current Spotlight status."},
        {6, "LaunchServices 修复", "LaunchServices Repair", "修复“打开方式”和文件关联异常。",
         "Repair Open With and file association issues."},
        {9, "Finder .DS_Store 优化", "Finder .DS_Store Optimization",
         "调整 Finder 偏好，减少网络卷与外接盘生成 .DS_Store。",
         "Adjust Finder preferences to reduce .DS_Store generation on network and external volumes."},
        {22, "使用数据清理", "Usage Data Cleanup", "清理旧的系统使用追踪数据。",
         "Clean up old system usage tracking data."},
    };
    for (const Case& c : cases) {
        const auto& item = OptimizePreviewCatalog::items().at(c.index);
        EXPECT_EQ(item.zhName, QString::fromUtf8(c.zhName));
        EXPECT_EQ(item.enName, QString::fromUtf8(c.enName));
        EXPECT_EQ(item.zhDescription, QString::fromUtf8(c.zhDescription));
        EXPECT_EQ(item.enDescription, QString::fromUtf8(c.enDescription));
    }
}

TEST(OptimizePreviewCatalogTest, EntryUsesTheCatalogueOrTheFallbacks)
{
    test::TestEnv env;
    env.setLanguagePreference("english");

    const auto unknown = OptimizePreviewCatalog::entry("custom_step", std::nullopt, std::nullopt, false);
    EXPECT_EQ(unknown, (OptimizePreviewReport::Entry{"custom_step", "custom_step", "", false, std::nullopt}));

    const auto withFallbacks = OptimizePreviewCatalog::entry("custom_step", QString("Mine"), QString("Does it"), true);
    EXPECT_EQ(withFallbacks, (OptimizePreviewReport::Entry{"custom_step", "Mine", "Does it", true, std::nullopt}));

    const auto known = OptimizePreviewCatalog::entry("dock_refresh", QString("Ignored"), QString("Ignored"), false);
    EXPECT_EQ(known,
              (OptimizePreviewReport::Entry{"dock_refresh", "Dock Refresh",
                                            "Refresh the Dock to fix icon and visual issues.", false, std::nullopt}));
}

TEST(LocalOptimizePreviewTest, ReportFollowsTheCatalogueAndTheLanguageOfTheMoment)
{
    test::TestEnv env;

    env.setLanguagePreference("chinese");
    const OptimizePreviewReport chinese = LocalOptimizePreview::snapshot();
    env.setLanguagePreference("english");
    const OptimizePreviewReport english = LocalOptimizePreview::snapshot();

    ASSERT_EQ(chinese.entries.size(), 23);
    ASSERT_EQ(english.entries.size(), 23);
    for (qsizetype i = 0; i < 23; ++i) {
        const auto& item = OptimizePreviewCatalog::items().at(i);
        EXPECT_EQ(english.entries[i].id, catalogueOrder[i]);
        EXPECT_TRUE(english.entries[i].safe);
        EXPECT_TRUE(english.entries[i].detail.has_value()) << item.id.toStdString();
        EXPECT_EQ(english.entries[i].name, item.enName);
        EXPECT_EQ(english.entries[i].description, item.enDescription);
        EXPECT_EQ(chinese.entries[i].name, item.zhName);
        EXPECT_EQ(chinese.entries[i].description, item.zhDescription);
    }
    EXPECT_EQ(english.entries[2].detail, QStringLiteral("Saved states: 0 items"));
    EXPECT_EQ(chinese.entries[2].detail, QStringLiteral("保存状态：0 项"));
    // Nothing changed in between, so a second preview is equal.
    EXPECT_EQ(LocalOptimizePreview::snapshot(), english);
}

TEST(LocalOptimizePreviewTest, ServiceDeliversTheSameReportOffTheCallingThread)
{
    test::TestEnv env;
    env.writeFile("Library/Fonts/a.ttf", "x");

    QFuture<OptimizePreviewReport> future = OptimizePreviewService::snapshot();
    future.waitForFinished();

    EXPECT_EQ(future.result(), LocalOptimizePreview::snapshot());
    EXPECT_EQ(future.result().entries[7].detail, QStringLiteral("User fonts: 1 items"));
}

} // namespace
