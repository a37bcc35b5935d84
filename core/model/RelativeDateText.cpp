#include "core/model/RelativeDateText.h"

#include "platform/PreferredLanguages.h"

#include <algorithm>

namespace roror::RelativeDateText {

namespace {

enum class Unit { second, minute, hour, day, week, month, year };

// Whole calendar months from `from` to `to` (from <= to).
qint64 wholeMonths(const QDateTime& from, const QDateTime& to)
{
    const QDate a = from.date();
    const QDate b = to.date();
    qint64 months = (qint64(b.year()) - a.year()) * 12 + (b.month() - a.month());
    while (months > 0 && from.addMonths(int(months)) > to)
        --months;
    return months;
}

qint64 wholeDays(const QDateTime& from, const QDateTime& to)
{
    qint64 days = from.date().daysTo(to.date());
    while (days > 0 && from.addDays(days) > to)
        --days;
    return days;
}

QString unitText(Unit unit, qint64 n, AppResolvedLanguage language)
{
    if (language == AppResolvedLanguage::chinese) {
        switch (unit) {
        case Unit::second: return QStringLiteral("秒钟");
        case Unit::minute: return QStringLiteral("分钟");
        case Unit::hour: return QStringLiteral("小时");
        case Unit::day: return QStringLiteral("天");
        case Unit::week: return QStringLiteral("周");
        case Unit::month: return QStringLiteral("个月");
        case Unit::year: return QStringLiteral("年");
        }
    }
    switch (unit) {
    case Unit::second: return QStringLiteral("sec.");
    case Unit::minute: return QStringLiteral("min.");
    case Unit::hour: return QStringLiteral("hr.");
    case Unit::day: return n == 1 ? QStringLiteral("day") : QStringLiteral("days");
    case Unit::week: return QStringLiteral("wk.");
    case Unit::month: return QStringLiteral("mo.");
    case Unit::year: return QStringLiteral("yr.");
    }
    return QString();
}

} // namespace

QString shortPhrase(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language)
{
    const QDateTime localDate = date.toLocalTime();
    const QDateTime localNow = now.toLocalTime();
    const bool past = localDate < localNow;
    const QDateTime& from = past ? localDate : localNow;
    const QDateTime& to = past ? localNow : localDate;

    const qint64 seconds = from.secsTo(to);
    Unit unit = Unit::second;
    qint64 n = seconds;
    if (seconds >= 86400) {
        const qint64 months = wholeMonths(from, to);
        if (months >= 12) {
            unit = Unit::year;
            n = months / 12;
        } else if (months >= 1) {
            unit = Unit::month;
            n = months;
        } else {
            const qint64 days = std::max<qint64>(1, wholeDays(from, to));
            unit = days >= 7 ? Unit::week : Unit::day;
            n = days >= 7 ? days / 7 : days;
        }
    } else if (seconds >= 3600) {
        unit = Unit::hour;
        n = seconds / 3600;
    } else if (seconds >= 60) {
        unit = Unit::minute;
        n = seconds / 60;
    }

    const QString count = QString::number(n);
    const QString name = unitText(unit, n, language);
    if (language == AppResolvedLanguage::chinese)
        return count + name + (past ? QStringLiteral("前") : QStringLiteral("后"));
    return past ? count + QLatin1Char(' ') + name + QStringLiteral(" ago")
                : QStringLiteral("in ") + count + QLatin1Char(' ') + name;
}

QString shortPhrase(const QDateTime& date, const QDateTime& now)
{
    return shortPhrase(date, now, systemLanguage());
}

AppResolvedLanguage systemLanguage()
{
    return AppLocalization::resolvedLanguage(AppLanguagePreference::system, PreferredLanguages::current());
}

} // namespace roror::RelativeDateText
