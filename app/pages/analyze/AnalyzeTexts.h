#pragma once

#include "core/model/AnalysisReport.h"
#include "core/model/AppLocalization.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace roror::AnalyzeTexts {

// "Last analysis <relative> · <files> files · <size>"; nothing when the stored date is not above
// 0. `language` is the interface language, the relative phrase follows `systemLanguage`.
std::optional<QString> lastAnalysisText(double lastAnalysisDate, qint64 totalSize, qint64 totalFiles,
                                        const QDateTime& now, AppResolvedLanguage language,
                                        AppResolvedLanguage systemLanguage);

// The folder above `path` the way the model's parent step finds it; empty when there is none.
QString parentPath(const QString& path);
// True at the file-system root (and for a path without a parent at all).
bool parentPathUnavailable(const QString& path);

// The four summary tiles' values and the first tile's note.
QString scannedValue(const AnalysisReport& report);
QString scannedNote(const AnalysisReport& report, AppResolvedLanguage language);
QString filesValue(const AnalysisReport& report);

// A row's name, "Untitled" when it has none.
QString entryName(const AnalysisReport::Entry& entry, AppResolvedLanguage language);

// A row may start an analysis of its folder: the table allows it, the entry is a folder and has
// a non-empty path.
bool isDrillable(const AnalysisReport::Entry& entry, bool allowsDrillDown);

} // namespace roror::AnalyzeTexts
