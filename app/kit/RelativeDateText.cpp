#include "app/kit/RelativeDateText.h"

#include "platform/PreferredLanguages.h"

namespace roror::RelativeDateText {

namespace {

enum class Unit { year, month, week, day, hour, minute, second };

struct Amount {
    Unit unit;
    qint64 count;
};

// Whole calendar steps from `from` to the later `to`, largest unit first.
Amount largestUnit(const QDateTime& from, const QDateTime& to)
{
    int years = to.date().year() - from.date().year();
    if (years > 0 && from.addYears(years) > to)
        --years;
    const QDateTime afterYears = from.addYears(years);
    int months = (to.date().year() - afterYears.date().year()) * 12 + to.date().month() - afterYears.date().month();
    if (months > 0 && afterYears.addMonths(months) > to)
        --months;
    const QDateTime afterMonths = afterYears.addMonths(months);
    const qint64 seconds = afterMonths.secsTo(to);
    const qint64 days = seconds / 86400;
    if (years > 0)
        return {Unit::year, years};
    if (months > 0)
        return {Unit::month, months};
    if (days >= 7)
        return {Unit::week, days / 7};
    if (days > 0)
        return {Unit::day, days};
    if (seconds >= 3600)
        return {Unit::hour, seconds / 3600};
    if (seconds >= 60)
        return {Unit::minute, seconds / 60};
    return {Unit::second, seconds};
}

QString english(const Amount& amount, bool future)
{
    QString unit;
    switch (amount.unit) {
    case Unit::year: unit = QStringLiteral("yr."); break;
    case Unit::month: unit = QStringLiteral("mo."); break;
    case Unit::week: unit = QStringLiteral("wk."); break;
    case Unit::day: unit = amount.count == 1 ? QStringLiteral("day") : QStringLiteral("days"); break;
    case Unit::hour: unit = QStringLiteral("hr."); break;
    case Unit::minute: unit = QStringLiteral("min."); break;
    case Unit::second: unit = QStringLiteral("sec."); break;
    }
    const QString phrase = QString::number(amount.count) + QLatin1Char(' ') + unit;
    return future ? QStringLiteral("in ") + phrase : phrase + QStringLiteral(" ago");
}

QString chinese(const Amount& amount, bool future)
{
    QString unit;
    switch (amount.unit) {
    case Unit::year: unit = QStringLiteral("年"); break;
    case Unit::month: unit = QStringLiteral("个月"); break;
    case Unit::week: unit = QStringLiteral("周"); break;
    case Unit::day: unit = QStringLiteral("天"); break;
    case Unit::hour: unit = QStringLiteral("小时"); break;
    case Unit::minute: unit = QStringLiteral("分钟"); break;
    case Unit::second: unit = QStringLiteral("秒"); break;
    }
    return QString::number(amount.count) + unit + (future ? QStringLiteral("后") : QStringLiteral("前"));
}

} // namespace

QString shortText(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language)
{
    // Both ends are compared in local time, so months and years follow the calendar the user sees.
    const QDateTime a = date.toLocalTime();
    const QDateTime b = now.toLocalTime();
    // The same moment counts as future, as the system's own formatter says "in 0 sec.".
    const bool future = a >= b;
    const Amount amount = future ? largestUnit(b, a) : largestUnit(a, b);
    return language == AppResolvedLanguage::chinese ? chinese(amount, future) : english(amount, future);
}

QString shortText(const QDateTime& date, const QDateTime& now)
{
    return shortText(date, now, systemLanguage());
}

AppResolvedLanguage systemLanguage()
{
    const QStringList languages = PreferredLanguages::current();
    if (!languages.isEmpty() && languages.first().toLower().startsWith(QLatin1String("zh")))
        return AppResolvedLanguage::chinese;
    return AppResolvedLanguage::english;
}

} // namespace roror::RelativeDateText
