#include "app/dashboard/drawings/MemoryVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"
#include "core/model/SizeText.h"

#include <algorithm>

namespace roror {

namespace MemoryStackedBar {

MemoryBarGeometry geometry(double usedPercent, std::optional<double> swapPercent, double width)
{
    MemoryBarGeometry g;
    const double uf = LoadColor::barFraction(usedPercent);
    g.usedWidth = uf * width;
    if (swapPercent && *swapPercent > 5 && uf > 0.05) {
        const double sf = LoadColor::barFraction(*swapPercent);
        g.showsSwapMark = true;
        g.swapWidth = std::max(3.0, std::min(sf * width * 0.18, g.usedWidth * 0.18));
        g.swapX = std::max(0.0, g.usedWidth - g.swapWidth);
    }
    return g;
}

} // namespace MemoryStackedBar

QString MemoryVisualBody::percentText() const
{
    return SizeText::percent(usedPercent);
}

QList<MemoryStatRow> MemoryVisualBody::legend() const
{
    using DashboardText::bytes;
    using DashboardText::pick;
    const QString join = QStringLiteral(" / ");
    QList<MemoryStatRow> rows;
    rows.append({tone(), 1.0, pick(language, QStringLiteral("内存"), QStringLiteral("Memory")),
                 bytes(usedBytes, language) + join + bytes(totalBytes, language)});
    if (swapTotalBytes && *swapTotalBytes > 0)
        rows.append({ThemeTone::danger, 0.72, QStringLiteral("Swap"),
                     bytes(swapUsedBytes, language) + join + bytes(swapTotalBytes, language)});
    rows.append({ThemeTone::line, 0.55, pick(language, QStringLiteral("可用"), QStringLiteral("Avail")),
                 bytes(availBytes, language)});
    if (cachedBytes && *cachedBytes > 0)
        rows.append({ThemeTone::accent, 0.42, pick(language, QStringLiteral("缓存"), QStringLiteral("Cache")),
                     bytes(cachedBytes, language)});
    return rows;
}

QVariantList MemoryVisualBody::legendList() const
{
    return variantList(legend());
}

double MemoryVisualBody::usedWidth(double width) const
{
    return MemoryStackedBar::geometry(usedPercent, swapPercent, width).usedWidth;
}

double MemoryVisualBody::swapMarkX(double width) const
{
    return MemoryStackedBar::geometry(usedPercent, swapPercent, width).swapX;
}

double MemoryVisualBody::swapMarkWidth(double width) const
{
    return MemoryStackedBar::geometry(usedPercent, swapPercent, width).swapWidth;
}

} // namespace roror
