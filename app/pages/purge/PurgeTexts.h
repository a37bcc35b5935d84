#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace roror::PurgeTexts {

// "Last cleanup <relative> · <n> items · freed <size>"; nothing when the stored date is not above
// 0. `language` is the interface language, the relative phrase follows `systemLanguage`.
std::optional<QString> lastPurgeText(double lastPurgeScanDate, qint64 cleanedCount, qint64 cleanedBytes,
                                     const QDateTime& now, AppResolvedLanguage language,
                                     AppResolvedLanguage systemLanguage);

// "<n> items, total <size>."
QString summaryText(qsizetype entryCount, const QString& totalSizeText, AppResolvedLanguage language);

// "Checks <n> directory types", n being the number of folder names the scan matches.
QString contractSubtitle(qsizetype targetNameCount, AppResolvedLanguage language);

// The folder names the contract card shows, group after group (a display subset of what the scan
// matches).
const QStringList& contractTargetNames();

} // namespace roror::PurgeTexts
