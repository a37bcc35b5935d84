#include "app/dashboard/hero/OverviewHeroCard.h"

#include "app/dashboard/DashboardText.h"

namespace roror {

using DashboardText::pick;

HealthBand healthBand(std::optional<qint64> score)
{
    if (!score)
        return HealthBand::unmeasured;
    if (*score >= 76)
        return HealthBand::good;
    if (*score >= 46)
        return HealthBand::fair;
    return HealthBand::highPressure;
}

ThemeTone OverviewHeroCard::tone() const
{
    switch (band()) {
    case HealthBand::unmeasured:
        return ThemeTone::quiet;
    case HealthBand::good:
        return ThemeTone::success;
    case HealthBand::fair:
        return ThemeTone::amber;
    case HealthBand::highPressure:
        return ThemeTone::danger;
    }
    return ThemeTone::quiet;
}

QString OverviewHeroCard::healthLabel() const
{
    switch (band()) {
    case HealthBand::unmeasured:
        return pick(language, QStringLiteral("未检查"), QStringLiteral("Not Checked"));
    case HealthBand::good:
        return pick(language, QStringLiteral("良好"), QStringLiteral("Good"));
    case HealthBand::fair:
        return pick(language, QStringLiteral("一般"), QStringLiteral("Fair"));
    case HealthBand::highPressure:
        return pick(language, QStringLiteral("紧张"), QStringLiteral("High Pressure"));
    }
    return QString();
}

QString OverviewHeroCard::healthMessage() const
{
    switch (band()) {
    case HealthBand::unmeasured:
        return pick(language, QStringLiteral("等待状态刷新。"), QStringLiteral("Waiting for a status refresh."));
    case HealthBand::good:
        return pick(language, QStringLiteral("当前状态轻松，可以按需整理。"),
                    QStringLiteral("The system looks healthy. Clean up only if needed."));
    case HealthBand::fair:
        return pick(language, QStringLiteral("有一些压力，建议先做一次预览检查。"),
                    QStringLiteral("There is some pressure. A preview check is a good next step."));
    case HealthBand::highPressure:
        return pick(language, QStringLiteral("压力偏高，建议优先预览清理并查看磁盘占用。"),
                    QStringLiteral("Pressure is high. Start with a cleanup preview and check disk usage."));
    }
    return QString();
}

QString OverviewHeroCard::scoreText() const
{
    if (!score)
        return pick(language, QStringLiteral("未知"), QStringLiteral("N/A"));
    return QString::number(*score);
}

QString OverviewHeroCard::uptimeText() const
{
    if (uptime)
        return *uptime;
    return pick(language, QStringLiteral("未检查"), QStringLiteral("Not checked"));
}

} // namespace roror
