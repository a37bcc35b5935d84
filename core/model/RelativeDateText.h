#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>

namespace roror::RelativeDateText {

// The short relative phrase of `date` seen from `now`, in the largest whole unit that fits:
// "3 hr. ago", "in 2 days", "1 wk. ago"; Chinese "3小时前", "2天后". Seconds, minutes and hours
// count elapsed time; days, weeks, months and years count calendar steps in local time. A moment
// equal to `now` reads "in 0 sec." ("0秒钟后").
QString shortPhrase(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language);

// The same in the system's language (the first preferred language), whatever the interface shows.
QString shortPhrase(const QDateTime& date, const QDateTime& now);

// Chinese when the system's first preferred language starts with "zh", English otherwise.
AppResolvedLanguage systemLanguage();

} // namespace roror::RelativeDateText
