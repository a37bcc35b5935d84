#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace roror::RelativeDateText {

// The short-units phrase of `date` seen from `now`, in the largest calendar unit that is at
// least one: "3 days ago", "2 hr. ago", "in 5 min.", "1 wk. ago"; "3天前", "2小时前", "5分钟后".
// The same moment reads "in 0 sec." / "0秒后".
QString shortPhrase(const QDateTime& date, const QDateTime& now, AppResolvedLanguage language);

// The short phrase of a stored moment (seconds since 1970, as the last-run dates are kept), or
// none when nothing was stored (the value is not above 0).
std::optional<QString> storedPhrase(double storedDate, const QDateTime& now, AppResolvedLanguage language);

// The language of the system's own date phrases (its first preferred language), which can
// differ from the language the interface shows.
AppResolvedLanguage systemLanguage();

} // namespace roror::RelativeDateText
