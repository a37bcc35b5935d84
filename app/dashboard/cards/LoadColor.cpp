#include "app/dashboard/cards/LoadColor.h"

#include <algorithm>
#include <cmath>

namespace roror {

QString toName(ThemeTone tone)
{
    switch (tone) {
    case ThemeTone::accent:
        return QStringLiteral("accent");
    case ThemeTone::ink:
        return QStringLiteral("ink");
    case ThemeTone::muted:
        return QStringLiteral("muted");
    case ThemeTone::quiet:
        return QStringLiteral("quiet");
    case ThemeTone::line:
        return QStringLiteral("line");
    case ThemeTone::success:
        return QStringLiteral("success");
    case ThemeTone::amber:
        return QStringLiteral("amber");
    case ThemeTone::danger:
        return QStringLiteral("danger");
    case ThemeTone::orbCool:
        return QStringLiteral("orbCool");
    }
    return QStringLiteral("ink");
}

namespace LoadColor {

ThemeTone tone(std::optional<double> percent, std::optional<ThemeTone> explicitTone)
{
    if (explicitTone)
        return *explicitTone;
    if (!percent)
        return ThemeTone::quiet;
    if (*percent >= 88)
        return ThemeTone::danger;
    if (*percent >= 70)
        return ThemeTone::amber;
    return ThemeTone::success;
}

double barFraction(double percent)
{
    const double f = percent / 100.0;
    if (std::isnan(f) || f <= 0)
        return 0;
    return std::min(f, 1.0);
}

} // namespace LoadColor

} // namespace roror
