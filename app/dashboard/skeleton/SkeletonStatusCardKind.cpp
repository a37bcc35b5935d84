#include "app/dashboard/skeleton/SkeletonStatusCardKind.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"

namespace roror {

using DashboardText::pick;

QString toRaw(SkeletonStatusCardKind kind)
{
    switch (kind) {
    case SkeletonStatusCardKind::cpu:
        return QStringLiteral("cpu");
    case SkeletonStatusCardKind::memory:
        return QStringLiteral("memory");
    case SkeletonStatusCardKind::disk:
        return QStringLiteral("disk");
    case SkeletonStatusCardKind::power:
        return QStringLiteral("power");
    case SkeletonStatusCardKind::network:
        return QStringLiteral("network");
    case SkeletonStatusCardKind::processes:
        return QStringLiteral("processes");
    }
    return QString();
}

std::optional<SkeletonStatusCardKind> skeletonStatusCardKindFromRaw(const QString& raw)
{
    for (SkeletonStatusCardKind kind : allSkeletonStatusCardKinds()) {
        if (toRaw(kind) == raw)
            return kind;
    }
    return std::nullopt;
}

QList<SkeletonStatusCardKind> allSkeletonStatusCardKinds()
{
    return {SkeletonStatusCardKind::cpu,   SkeletonStatusCardKind::memory,  SkeletonStatusCardKind::disk,
            SkeletonStatusCardKind::power, SkeletonStatusCardKind::network, SkeletonStatusCardKind::processes};
}

QString SkeletonStatusCard::title() const
{
    switch (card) {
    case SkeletonStatusCardKind::cpu:
        return QStringLiteral("CPU");
    case SkeletonStatusCardKind::memory:
        return pick(language, QStringLiteral("内存"), QStringLiteral("Memory"));
    case SkeletonStatusCardKind::disk:
        return pick(language, QStringLiteral("磁盘"), QStringLiteral("Disk"));
    case SkeletonStatusCardKind::power:
        return pick(language, QStringLiteral("电源"), QStringLiteral("Power"));
    case SkeletonStatusCardKind::network:
        return pick(language, QStringLiteral("网络"), QStringLiteral("Network"));
    case SkeletonStatusCardKind::processes:
        return pick(language, QStringLiteral("进程"), QStringLiteral("Processes"));
    }
    return QString();
}

QString SkeletonStatusCard::systemImage() const
{
    switch (card) {
    case SkeletonStatusCardKind::cpu:
        return QStringLiteral("cpu");
    case SkeletonStatusCardKind::memory:
        return QStringLiteral("memorychip");
    case SkeletonStatusCardKind::disk:
        return QStringLiteral("internaldrive");
    case SkeletonStatusCardKind::power:
        return QStringLiteral("bolt.batteryblock");
    case SkeletonStatusCardKind::network:
        return QStringLiteral("network");
    case SkeletonStatusCardKind::processes:
        return QStringLiteral("list.bullet.rectangle");
    }
    return QString();
}

QList<SkeletonMetricLine> SkeletonStatusCard::lines() const
{
    return {{54, 88, true}, {42, 116, card != SkeletonStatusCardKind::network}, {50, 76, false}};
}

QVariantList SkeletonStatusCard::lineList() const
{
    return variantList(lines());
}

namespace DashboardStatusSkeleton {

QList<SkeletonStatusCard> cards(AppResolvedLanguage language)
{
    QList<SkeletonStatusCard> list;
    for (SkeletonStatusCardKind kind : allSkeletonStatusCardKinds())
        list.append({kind, language});
    return list;
}

QString statusText(bool isRefreshing, AppResolvedLanguage language)
{
    return isRefreshing ? pick(language, QStringLiteral("正在检查"), QStringLiteral("Checking"))
                        : pick(language, QStringLiteral("等待检查"), QStringLiteral("Waiting"));
}

} // namespace DashboardStatusSkeleton

} // namespace roror
