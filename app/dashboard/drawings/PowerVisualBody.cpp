#include "app/dashboard/drawings/PowerVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"
#include "core/model/SizeText.h"

#include <algorithm>
#include <cmath>

namespace roror {

QString PowerWattChip::wattText() const
{
    return DashboardText::fixed(watts, 1) + QLatin1Char('W');
}

namespace BatteryGlyph {

double fillWidth(double normalized, double width)
{
    if (!(normalized > 0))
        return 0;
    return std::max((width - 4) * normalized, 4.0);
}

} // namespace BatteryGlyph

namespace PowerFlowRow {

QList<PowerWattChip> chips(std::optional<double> adapter, std::optional<double> system, std::optional<double> battery,
                           bool isCharging, AppResolvedLanguage language)
{
    using DashboardText::pick;
    QList<PowerWattChip> list;
    if (adapter && *adapter > 0)
        list.append({QStringLiteral("powerplug"), pick(language, QStringLiteral("适配器"), QStringLiteral("Adapter")),
                     *adapter, ThemeTone::accent});
    if (system && *system > 0)
        list.append({QStringLiteral("gauge.with.dots.needle.50percent"),
                     pick(language, QStringLiteral("系统"), QStringLiteral("System")), *system, ThemeTone::muted});
    if (battery && *battery != 0) {
        if (isCharging)
            list.append({QStringLiteral("arrow.down.to.line"),
                         pick(language, QStringLiteral("充入"), QStringLiteral("Charge")), std::abs(*battery),
                         ThemeTone::success});
        else
            list.append({QStringLiteral("arrow.up.right"),
                         pick(language, QStringLiteral("放电"), QStringLiteral("Drain")), std::abs(*battery),
                         ThemeTone::amber});
    }
    return list;
}

} // namespace PowerFlowRow

namespace FlowChipRow {

QList<QList<PowerVisualBodyChip>> rows(const QList<PowerVisualBodyChip>& chips)
{
    QList<QList<PowerVisualBodyChip>> rows;
    for (qsizetype i = 0; i < chips.size(); i += 2)
        rows.append(chips.mid(i, 2));
    return rows;
}

} // namespace FlowChipRow

ThemeTone PowerVisualBody::tone() const
{
    if (!percent)
        return ThemeTone::quiet;
    if (*percent <= 10)
        return ThemeTone::danger;
    if (*percent <= 20)
        return ThemeTone::amber;
    return ThemeTone::success;
}

QString PowerVisualBody::percentText() const
{
    return percent ? SizeText::percent(percent) : QStringLiteral("—");
}

bool PowerVisualBody::hasPowerFlow() const
{
    const auto positive = [](std::optional<double> v) { return v && *v > 0; };
    return positive(adapterPower) || positive(systemPower) || positive(batteryPower);
}

QVariantList PowerVisualBody::flowChipList() const
{
    return variantList(PowerFlowRow::chips(adapterPower, systemPower, batteryPower, isCharging, language));
}

QVariantList PowerVisualBody::chipRowList() const
{
    QVariantList rows;
    for (const QList<Chip>& row : FlowChipRow::rows(chips))
        rows.append(QVariant(variantList(row)));
    return rows;
}

int PowerVisualBody::flowChipCount() const
{
    return static_cast<int>(PowerFlowRow::chips(adapterPower, systemPower, batteryPower, isCharging, language).size());
}

PowerWattChip PowerVisualBody::flowChip(int position) const
{
    return PowerFlowRow::chips(adapterPower, systemPower, batteryPower, isCharging, language).value(position);
}

} // namespace roror
