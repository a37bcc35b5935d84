#include "app/dashboard/drawings/NetworkVisualBody.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/VariantList.h"

#include <algorithm>
#include <cmath>

namespace roror {

namespace NetworkRateColumn {

QString rateText(double rate)
{
    if (!(rate >= 0.01))
        return QStringLiteral("0 MB/s");
    if (rate < 1)
        return DashboardText::fixed(rate * 1024, 0) + QStringLiteral(" KB/s");
    return DashboardText::fixed(rate, 1) + QStringLiteral(" MB/s");
}

} // namespace NetworkRateColumn

namespace NetworkSparkline {

QList<double> drawnSamples(const QList<double>& values)
{
    if (values.size() <= maximumSamples)
        return values;
    return values.mid(values.size() - maximumSamples);
}

QList<QPointF> sparklinePoints(const QList<double>& samples, double peak, QSizeF size)
{
    const qsizetype n = samples.size();
    if (n < 2)
        return {};
    const double w = size.width();
    const double h = size.height();
    const double step = w / static_cast<double>(n - 1);
    const double p = std::max(peak, 0.0001);
    QList<QPointF> points;
    points.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const double r = samples[i] / p;
        const double c = (std::isnan(r) || r <= 0) ? 0.0 : std::min(r, 1.0);
        points.append(QPointF(static_cast<double>(i) * step, (h - 2) - c * (h - 4)));
    }
    return points;
}

} // namespace NetworkSparkline

double NetworkVisualBody::sharedPeak() const
{
    double m = 0;
    bool any = false;
    for (const QList<double>* list : {&rxHistory, &txHistory}) {
        for (double v : *list) {
            if (!any || v > m)
                m = v;
            any = true;
        }
    }
    if (!any)
        m = std::max(downRate, upRate);
    return std::max(0.01, m);
}

QVariantList NetworkVisualBody::rxList() const
{
    return variantList(rxHistory);
}

QVariantList NetworkVisualBody::txList() const
{
    return variantList(txHistory);
}

QList<QPointF> NetworkVisualBody::linePoints(bool download, double width, double height) const
{
    return NetworkSparkline::sparklinePoints(NetworkSparkline::drawnSamples(download ? rxHistory : txHistory),
                                             sharedPeak(), QSizeF(width, height));
}

QList<QPointF> NetworkVisualBody::areaPoints(bool download, double width, double height) const
{
    QList<QPointF> points = linePoints(download, width, height);
    if (points.isEmpty())
        return points;
    points.prepend(QPointF(0, height));
    points.append(QPointF(width, height));
    points.append(QPointF(0, height));
    return points;
}

} // namespace roror
