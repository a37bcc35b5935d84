#include "app/kit/RelativeDateText.h"

#include "platform/PreferredLanguages.h"

#include <cstdlib>

namespace roror::RelativeDateText {

namespace {

enum class Unit { second, minute, hour, day, week, month, year };

// Whole calendar months from `from` to `to` (from <= to).
qint64 wholeMonths(const QDateTime& from, const QDateTime& to)
{
    qint64 months = qint64(to.date().year() - from.date().year()) * 12 + (to.date().month() - from.date().month());
    while (months > 0 && from.addMonths(int(months)) > to)
        --months;
    return months;
}

QString english(Unit unit, qint64 n, bool past)
{
    QString amount;
    switch (unit) {
    case Unit::second:
        amount = QStringLiteral("%1 sec.").arg(n);
        break;
    case Unit::minute:
        amount = QStringLiteral("%1 min.").arg(n);
        break;
    case Unit::hour:
        amount = QStringLiteral("%1 hr.").arg(n);
        break;
    case Unit::day:
        amount = n == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(n);
        break;
    case Unit::week:
        amount = QStringLiteral("%1 wk.").arg(n);
        break;
    case Unit::month:
        amount = QStringLiteral("%1 mo.").arg(n);
        break;
    case Unit::year:
        amount = QStringLiteral("%1 yr.").arg(n);
        break;
    }
    return past ? amount + QStringLiteral(" ago") : QStringLiteral("in ") + amount;
}

QString chinese(Unit unit, qint64 n, bool past)
{
    static const char16_t* const units[] = {u"秒", u"分钟", u"小时", u"天", u"周", u"个月", u"年"};
    return QString::number(n) + QString::fromUtf16(units[int(unit)])
        + (past ? QStringLiteral("前") : QStringLiteral("后"));
}

} // namespace

QString shortPhrase(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language)
{
    const bool past = date < now;
    const QDateTime& from = past ? date : now;
    const QDateTime& to = past ? now : date;
    const qint64 seconds = from.secsTo(to);
    const qint64 months = wholeMonths(from, to);
    const qint64 days = seconds / 86400;

    struct Choice {
        Unit unit;
        qint64 n;
    };
    const Choice choice = months >= 12 ? Choice{Unit::year, months / 12}
        : months >= 1                  ? Choice{Unit::month, months}
        : days >= 7                    ? Choice{Unit::week, days / 7}
        : days >= 1                    ? Choice{Unit::day, days}
        : seconds >= 3600              ? Choice{Unit::hour, seconds / 3600}
        : seconds >= 60                ? Choice{Unit::minute, seconds / 60}
                                       : Choice{Unit::second, seconds};

    return language == AppResolvedLanguage::chinese ? chinese(choice.unit, choice.n, past)
                                                    : english(choice.unit, choice.n, past);
}

std::optional<QString> storedPhrase(double storedDate, const QDateTime& now, AppResolvedLanguage language)
{
    if (!(storedDate > 0))
        return std::nullopt;
    return shortPhrase(QDateTime::fromMSecsSinceEpoch(qint64(storedDate * 1000.0)), now, language);
}

AppResolvedLanguage systemLanguage()
{
    return AppLocalization::resolvedLanguage(AppLanguagePreference::system, PreferredLanguages::current());
}

} // namespace roror::RelativeDateText
