#pragma once

#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace roror::InstallerTexts {

// "Last cleanup <relative> · <n> files · freed <size>"; nothing when the stored date is not above
// 0. `language` is the interface language, the relative phrase follows `systemLanguage`.
std::optional<QString> lastScanText(double lastInstallerScanDate, qint64 cleanedCount, qint64 cleanedBytes,
                                    const QDateTime& now, AppResolvedLanguage language,
                                    AppResolvedLanguage systemLanguage);

// The list's subtitle: empty report, selection mode, or "<n> files, total <size>.".
QString summaryText(qsizetype entryCount, const QString& totalSizeText, bool selectionMode,
                    AppResolvedLanguage language);

// The selection toolbar's line: "<n> selected · <size>".
QString selectionLine(qsizetype selectedCount, const QString& selectedSizeText, AppResolvedLanguage language);

// The filter bar's count: "<n> selected" / "已选中 <n> 个".
QString filterCountText(qsizetype selectedCount, AppResolvedLanguage language);

// "Checks <n> locations".
QString contractSubtitle(qsizetype locationCount, AppResolvedLanguage language);

// The type column: the file's extension in capitals, "File" when it has none.
QString installerKind(const QString& path, AppResolvedLanguage language);

// The confirmation: how many files go to the Trash, then their total size.
QString confirmationMessage(qsizetype selectedCount, const QString& selectedSizeText, AppResolvedLanguage language);

} // namespace roror::InstallerTexts
