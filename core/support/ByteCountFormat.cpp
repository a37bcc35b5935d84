#include "core/support/ByteCountFormat.h"

#include <QLocale>
#include <cmath>

namespace roror {

namespace {

QString numberText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

} // namespace

QString formatByteCount(qint64 bytes)
{
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    static const int decimals[] = {0, 1, 2, 2};

    const bool negative = bytes < 0;
    // Work in double: the magnitude of INT64_MIN does not fit a qint64.
    const double magnitude = std::fabs(static_cast<double>(bytes));
    if (magnitude == 0)
        return QStringLiteral("0 KB");

    int unit = 0;
    double value = magnitude / 1000.0;
    for (;;) {
        const double scale = std::pow(10.0, decimals[unit]);
        const double rounded = std::round(value * scale) / scale;
        if (rounded < 1000.0 || unit == 3) {
            value = rounded;
            break;
        }
        value /= 1000.0;
        ++unit;
    }
    if (unit == 0 && value < 1.0)
        value = 1.0; // a non-empty file never shows as zero
    return (negative ? QStringLiteral("-") : QString()) + numberText(value, decimals[unit]) + QLatin1Char(' ')
        + QLatin1String(units[unit]);
}

} // namespace roror
