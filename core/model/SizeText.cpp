#include "core/model/SizeText.h"

#include "core/model/AppLocalization.h"
#include "core/support/ByteCountFormat.h"

#include <charconv>

namespace roror::SizeText {

namespace {
QString unknownText()
{
    return AppLocalization::coreText(QStringLiteral("未知"), QStringLiteral("Unknown"));
}
} // namespace

QString bytes(std::optional<qint64> value)
{
    if (!value)
        return unknownText();
    return formatByteCount(*value);
}

QString percent(std::optional<double> value)
{
    if (!value)
        return unknownText();
    // printf's "%.1f" in the C locale: the exact binary value rounded, so 0.25 gives "0.2".
    // QString::asprintf rounds its own way and the C library's follows the process locale.
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::fixed, 1);
    if (ec != std::errc())
        return QString::number(*value) + QLatin1Char('%');
    return QString::fromLatin1(buffer, end - buffer) + QLatin1Char('%');
}

} // namespace roror::SizeText
