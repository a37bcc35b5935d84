#include "core/model/SizeText.h"

#include "core/model/AppLocalization.h"
#include "core/support/ByteCountFormat.h"

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
    return QString::asprintf("%.1f%%", *value);
}

} // namespace roror::SizeText
