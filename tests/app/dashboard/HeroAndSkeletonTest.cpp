#include "app/dashboard/hero/OverviewHeroCard.h"
#include "app/dashboard/skeleton/SkeletonStatusCardKind.h"
#include "tests/app/dashboard/DashboardFixtures.h"

#include <gtest/gtest.h>

using namespace roror;

namespace {
constexpr auto en = AppResolvedLanguage::english;
constexpr auto zh = AppResolvedLanguage::chinese;
} // namespace

TEST(HeroCard, ScoreBandsColoursAndTexts)
{
    struct Case {
        std::optional<qint64> score;
        ThemeTone tone;
        QString label;
        QString labelZh;
        QString scoreText;
        double ring;
    };
    const Case cases[] = {
        {76, ThemeTone::success, "Good", "良好", "76", 0.76},
        {130, ThemeTone::success, "Good", "良好", "130", 1.3},
        {75, ThemeTone::amber, "Fair", "一般", "75", 0.75},
        {46, ThemeTone::amber, "Fair", "一般", "46", 0.46},
        {45, ThemeTone::danger, "High Pressure", "紧张", "45", 0.45},
        {0, ThemeTone::danger, "High Pressure", "紧张", "0", 0},
        {-7, ThemeTone::danger, "High Pressure", "紧张", "-7", -0.07},
        {std::nullopt, ThemeTone::quiet, "Not Checked", "未检查", "N/A", 0},
    };
    for (const Case& c : cases) {
        OverviewHeroCard card;
        card.score = c.score;
        card.language = en;
        EXPECT_EQ(card.tone(), c.tone);
        EXPECT_EQ(card.healthLabel(), c.label);
        EXPECT_EQ(card.scoreText(), c.scoreText);
        EXPECT_DOUBLE_EQ(card.ringValue(), c.ring);
        card.language = zh;
        EXPECT_EQ(card.healthLabel(), c.labelZh);
        // The number and the colour do not depend on the language.
        EXPECT_EQ(card.tone(), c.tone);
    }

    OverviewHeroCard card;
    card.language = en;
    EXPECT_EQ(card.healthMessage(), QStringLiteral("Waiting for a status refresh."));
    card.score = 90;
    EXPECT_EQ(card.healthMessage(), QStringLiteral("The system looks healthy. Clean up only if needed."));
    card.score = 50;
    EXPECT_EQ(card.healthMessage(), QStringLiteral("There is some pressure. A preview check is a good next step."));
    card.score = 10;
    EXPECT_EQ(card.healthMessage(),
              QStringLiteral("Pressure is high. Start with a cleanup preview and check disk usage."));
    card.language = zh;
    EXPECT_EQ(card.healthMessage(), QStringLiteral("压力偏高，建议优先预览清理并查看磁盘占用。"));
    card.score.reset();
    EXPECT_EQ(card.scoreText(), QStringLiteral("未知"));
    EXPECT_EQ(card.healthMessage(), QStringLiteral("等待状态刷新。"));
}

TEST(HeroCard, Chips)
{
    OverviewHeroCard card;
    card.language = en;
    EXPECT_EQ(card.uptimeText(), QStringLiteral("Not checked")); // small c, unlike the badge
    EXPECT_FALSE(card.hasAvailableDisk());
    card.language = zh;
    EXPECT_EQ(card.uptimeText(), QStringLiteral("未检查"));
    card.uptime = QString(); // present though empty: the chip stays, with an empty title
    EXPECT_EQ(card.uptimeText(), QString());
    card.availableDiskText = QString();
    EXPECT_TRUE(card.hasAvailableDisk());
}

TEST(Skeleton, SixCardsInOrderWithTheirLines)
{
    const auto cards = DashboardStatusSkeleton::cards(en);
    QStringList ids, titles, symbols;
    for (const auto& card : cards) {
        ids.append(card.id());
        titles.append(card.title());
        symbols.append(card.systemImage());
        const auto lines = card.lines();
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], (SkeletonMetricLine{54, 88, true}));
        EXPECT_EQ(lines[1], (SkeletonMetricLine{42, 116, card.card != SkeletonStatusCardKind::network}));
        EXPECT_EQ(lines[2], (SkeletonMetricLine{50, 76, false}));
    }
    EXPECT_EQ(ids, (QStringList{"cpu", "memory", "disk", "power", "network", "processes"}));
    EXPECT_EQ(titles, (QStringList{"CPU", "Memory", "Disk", "Power", "Network", "Processes"}));
    EXPECT_EQ(
        symbols,
        (QStringList{"cpu", "memorychip", "internaldrive", "bolt.batteryblock", "network", "list.bullet.rectangle"}));
    QStringList chinese;
    for (const auto& card : DashboardStatusSkeleton::cards(zh))
        chinese.append(card.title());
    EXPECT_EQ(chinese, (QStringList{"CPU", "内存", "磁盘", "电源", "网络", "进程"}));

    for (const QString& raw : ids)
        EXPECT_EQ(toRaw(*skeletonStatusCardKindFromRaw(raw)), raw);
    EXPECT_EQ(skeletonStatusCardKindFromRaw(QStringLiteral("gpu")), std::nullopt);
    EXPECT_EQ(skeletonStatusCardKindFromRaw(QStringLiteral("CPU")), std::nullopt);

    EXPECT_EQ(DashboardStatusSkeleton::statusText(true, en), QStringLiteral("Checking"));
    EXPECT_EQ(DashboardStatusSkeleton::statusText(false, en), QStringLiteral("Waiting"));
    EXPECT_EQ(DashboardStatusSkeleton::statusText(true, zh), QStringLiteral("正在检查"));
    EXPECT_EQ(DashboardStatusSkeleton::statusText(false, zh), QStringLiteral("等待检查"));
}
