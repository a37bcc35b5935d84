#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror::UninstallTexts {

// `language` is the interface language; relative phrases follow `systemLanguage`.

// "Last uninstall <relative> · <n> apps"; nothing when the stored date is not above 0.
std::optional<QString> lastUninstallText(double lastUninstallDate, qint64 lastUninstallCount, const QDateTime& now,
                                         AppResolvedLanguage language, AppResolvedLanguage systemLanguage);

// The last-opened cell: "Never" without a date, else the relative phrase.
QString lastOpenedText(const std::optional<QDateTime>& lastOpened, const QDateTime& now, AppResolvedLanguage language,
                       AppResolvedLanguage systemLanguage);

QString summaryText(qsizetype entryCount, AppResolvedLanguage language);
QString selectionCountText(qsizetype selectedCount, AppResolvedLanguage language);

// How many names the confirmation spells out before "and N more".
inline constexpr int confirmationNameLimit = 5;

// The confirmation's fixed message, then what it confirms: the number of apps and their names
// in the order they will be handled, the first few and then "and N more".
QString confirmationMessage(const QStringList& appNames, AppResolvedLanguage language);

} // namespace roror::UninstallTexts
