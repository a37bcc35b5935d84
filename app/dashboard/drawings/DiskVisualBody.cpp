#include "app/dashboard/drawings/DiskVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"
#include "core/model/SizeText.h"

#include <algorithm>

namespace roror {

QString DiskVisualBodyItem::percentText() const
{
    return percent ? SizeText::percent(percent) : QString();
}

double DiskVisualBodyItem::fraction() const
{
    return percent ? LoadColor::barFraction(*percent) : 0.0;
}

double DiskVisualBodyItem::fillWidth(double width) const
{
    return DiskCapsuleRow::fillWidth(percent, width);
}

namespace DiskCapsuleRow {

double fillWidth(std::optional<double> percent, double width)
{
    if (!percent)
        return 0;
    return std::max(width * LoadColor::barFraction(*percent), 4.0);
}

} // namespace DiskCapsuleRow

namespace DiskIOPair {

QString rateText(std::optional<double> rate)
{
    if (!rate || !(*rate >= 0.01))
        return QStringLiteral("0 MB/s");
    if (*rate < 1)
        return DashboardText::fixed(*rate * 1024, 0) + QStringLiteral(" KB/s");
    return DashboardText::fixed(*rate, 1) + QStringLiteral(" MB/s");
}

} // namespace DiskIOPair

double DiskVisualBody::worstFillPercent() const
{
    std::optional<double> worst;
    for (const Item& item : disks) {
        if (item.percent && (!worst || *item.percent > *worst))
            worst = item.percent;
    }
    return worst.value_or(0);
}

bool DiskVisualBody::showsIO() const
{
    return (readRate && *readRate > 0) || (writeRate && *writeRate > 0) || !readHistory.isEmpty()
        || !writeHistory.isEmpty();
}

QVariantList DiskVisualBody::diskList() const
{
    return variantList(disks);
}

} // namespace roror
