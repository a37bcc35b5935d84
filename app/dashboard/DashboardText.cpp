#include "app/dashboard/DashboardText.h"

#include "core/model/LocalizationSettings.h"
#include "core/model/SizeText.h"

#include <charconv>

namespace roror::DashboardText {

AppResolvedLanguage currentLanguage()
{
    return LocalizationSettings::shared().resolvedLanguage();
}

QString unknown(AppResolvedLanguage language)
{
    return pick(language, QStringLiteral("未知"), QStringLiteral("Unknown"));
}

QString bytes(std::optional<qint64> value, AppResolvedLanguage language)
{
    return value ? SizeText::bytes(value) : unknown(language);
}

QString percent(std::optional<double> value, AppResolvedLanguage language)
{
    return value ? SizeText::percent(value) : unknown(language);
}

QString fixed(double value, int decimals)
{
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return QString::number(value, 'f', decimals);
    return QString::fromLatin1(buffer, end - buffer);
}

} // namespace roror::DashboardText
