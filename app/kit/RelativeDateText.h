#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>

namespace roror::RelativeDateText {

// The short relative phrase of `date` seen from `now`, the way the system writes it: the largest
// calendar unit that is at least one ("5 min. ago", "in 2 days", "3 wk. ago", "1 yr. ago";
// "5分钟前", "2天后"). The same moment reads "in 0 sec.".
QString shortText(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language);

// The same in the language of the system's locale (its first preferred language), which is not
// necessarily the language the application shows.
QString shortText(const QDateTime& date, const QDateTime& now);

// The language of the system's locale: Chinese when the first preferred language starts with "zh".
AppResolvedLanguage systemLanguage();

} // namespace roror::RelativeDateText
