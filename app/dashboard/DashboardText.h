#pragma once

#include "core/model/AppLocalization.h"

#include <QString>
#include <optional>

namespace roror::DashboardText {

// The first text for Chinese, the second otherwise; the builders pass the language they were
// given rather than reading the stored one.
inline QString pick(AppResolvedLanguage language, const QString& zh, const QString& en)
{
    return AppLocalization::text(zh, en, language);
}

// The language the interface shows right now (the shared language object's choice).
AppResolvedLanguage currentLanguage();

QString unknown(AppResolvedLanguage language);

// SizeText's formats, with the unknown-value text taken in the given language rather than
// re-read from the store, so a builder's output depends on its arguments only.
QString bytes(std::optional<qint64> value, AppResolvedLanguage language);
QString percent(std::optional<double> value, AppResolvedLanguage language);

// printf's "%.Nf" in the C locale (the exact binary value rounded), whatever the process locale.
QString fixed(double value, int decimals);

} // namespace roror::DashboardText
