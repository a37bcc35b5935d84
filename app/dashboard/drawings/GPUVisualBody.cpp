#include "app/dashboard/drawings/GPUVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"
#include "core/model/SizeText.h"

#include <algorithm>

namespace roror {

std::optional<QString> GPUVisualBody::headerLine() const
{
    QStringList parts;
    if (name && !name->isEmpty())
        parts.append(*name);
    if (coreCount && *coreCount >= 1)
        parts.append(QString::number(*coreCount)
                     + DashboardText::pick(language, QStringLiteral(" 核"), QStringLiteral(" cores")));
    if (temperature && *temperature > 0)
        parts.append(DashboardText::fixed(*temperature, 1) + QStringLiteral("°C"));
    if (parts.isEmpty())
        return std::nullopt;
    return parts.join(QStringLiteral(" · "));
}

QString GPUVisualBody::formatGB(double megabytes)
{
    if (megabytes >= 1024)
        return DashboardText::fixed(megabytes / 1024, 1) + QStringLiteral(" GB");
    return DashboardText::fixed(megabytes, 0) + QStringLiteral(" MB");
}

MetricBarRow GPUVisualBody::usageRow() const
{
    return MetricBarRow{DashboardText::pick(language, QStringLiteral("使用"), QStringLiteral("Usage")),
                        DashboardText::percent(usage, language), usage, std::nullopt, true};
}

std::optional<MetricBarRow> GPUVisualBody::vramRow() const
{
    if (!memoryTotal || !(*memoryTotal > 0))
        return std::nullopt;
    MetricBarRow row;
    row.label = DashboardText::pick(language, QStringLiteral("显存"), QStringLiteral("VRAM"));
    row.color = ThemeTone::orbCool;
    row.hideValueWhenPercent = false;
    if (memoryUsed) {
        row.value = formatGB(*memoryUsed) + QStringLiteral(" / ") + formatGB(*memoryTotal);
        const double share = *memoryUsed / *memoryTotal * 100;
        row.percent = share > 0 ? std::min(share, 100.0) : 0.0;
    } else {
        row.value = QStringLiteral("—");
    }
    return row;
}

QString ProcessMetricRow::percentText() const
{
    return percent ? SizeText::percent(percent) : QString();
}

QList<ProcessMetricRow> ProcessVisualBody::metricRows() const
{
    QList<ProcessMetricRow> list;
    for (const StatusCardRowData& row : rows)
        list.append({row.label, row.percent});
    return list;
}

QVariantList ProcessVisualBody::rowList() const
{
    return variantList(metricRows());
}

} // namespace roror
