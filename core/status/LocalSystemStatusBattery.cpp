#include "core/status/LocalSystemStatus.h"

#include "core/status/LocalSystemStatusState.h"

#include <QRegularExpression>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

// Capture group 1 of the first match, or nothing.
std::optional<QString> firstCapture(const QString& pattern, const QString& text)
{
    const QRegularExpression expression(pattern);
    if (!expression.isValid())
        return std::nullopt;
    const QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch() || match.lastCapturedIndex() < 1)
        return std::nullopt;
    return match.captured(1);
}

} // namespace

std::optional<bool> chargingFromStatus(const std::optional<QString>& status)
{
    if (!status)
        return std::nullopt;
    // The whole word: "discharging" and "not charging" contain "charging" but are not charging.
    const QString lower = status->toLower();
    return lower == QLatin1String("charging") || lower == QLatin1String("charged");
}

std::optional<SystemReport::Battery> parseBatterySnapshot(const QString& output)
{
    QString batteryLine;
    bool found = false;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.contains(QLatin1Char('%'))) {
            batteryLine = line;
            found = true;
            break;
        }
    }
    if (!found)
        return std::nullopt;

    SystemReport::Battery battery;
    if (const auto percent = firstCapture(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)%"), batteryLine))
        battery.percent = decimalNumber(*percent);

    QStringList pieces = batteryLine.split(QLatin1Char(';'));
    for (QString& piece : pieces)
        piece = piece.trimmed();
    if (pieces.size() >= 2) {
        const QString status = QString(pieces[1]).replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed();
        if (!status.isEmpty())
            battery.status = status;
    }
    if (pieces.size() >= 3) {
        QString time = pieces[2];
        time.remove(QStringLiteral(" remaining"));
        time.remove(QStringLiteral(" present: true"));
        time.remove(QStringLiteral(" present: false"));
        time = time.trimmed();
        if (!time.isEmpty() && time != QLatin1String("no estimate"))
            battery.timeLeft = time;
    }
    battery.charging = chargingFromStatus(battery.status);
    return battery;
}

BatteryDetails parseBatteryDetails(const QString& text)
{
    BatteryDetails details;
    auto whole = [](const std::optional<QString>& capture) -> std::optional<qint64> {
        return capture ? wholeNumber(*capture) : std::nullopt;
    };
    details.cycleCount = whole(firstCapture(QStringLiteral("Cycle Count:\\s*([0-9]+)"), text));
    if (!details.cycleCount)
        details.cycleCount = whole(firstCapture(QStringLiteral("\"CycleCount\"\\s*=\\s*([0-9]+)"), text));
    details.capacity = whole(firstCapture(QStringLiteral("Maximum Capacity:\\s*([0-9]+)%"), text));
    if (const auto health = firstCapture(QStringLiteral("Condition:\\s*([^\\n]+)"), text))
        details.health = health->trimmed();
    if (const auto temperature = firstCapture(QStringLiteral("\"Temperature\"\\s*=\\s*([0-9]+)"), text)) {
        if (const auto value = decimalNumber(*temperature))
            details.temperature = *value / 100.0;
    }
    return details;
}

BatteryDetails mergedBatteryDetails(const std::optional<BatteryDetails>& profile,
                                    const std::optional<BatteryDetails>& registry)
{
    const BatteryDetails p = profile.value_or(BatteryDetails{});
    const BatteryDetails r = registry.value_or(BatteryDetails{});
    BatteryDetails merged;
    merged.health = p.health ? p.health : r.health;
    merged.cycleCount = p.cycleCount ? p.cycleCount : r.cycleCount;
    merged.capacity = p.capacity ? p.capacity : r.capacity;
    merged.temperature = r.temperature ? r.temperature : p.temperature;
    return merged;
}

std::optional<SystemReport::Battery> batterySnapshot()
{
    const auto reading = source()->battery();
    if (!reading)
        return std::nullopt;
    SystemReport::Battery battery;
    battery.percent = reading->percent;
    battery.status = reading->status;
    battery.timeLeft = reading->timeLeft;
    battery.charging = chargingFromStatus(reading->status);
    const BatteryDetails details = cachedBatteryDetails();
    battery.health = details.health;
    battery.cycleCount = details.cycleCount;
    battery.capacity = details.capacity;
    return battery;
}

} // namespace roror::LocalSystemStatus
