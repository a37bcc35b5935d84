#pragma once

#include "core/model/AnalysisReport.h"

#include <QString>

namespace roror::LocalAnalysis {

// Most entries and most large files a report carries.
inline constexpr int listLimit = 80;

// Walks `rootPath` and reports its direct children by size, its largest files and the totals
// (logical sizes). Bundles count as one unit, hidden items are ignored, and the personal folders
// are left out when the root is the home folder. Never fails: what cannot be read is not counted.
AnalysisReport snapshot(const QString& rootPath);

// The same walk on `workerCount` threads (1 walks on the caller's thread alone; 0 or less takes two
// per core). The report does not depend on the count.
AnalysisReport snapshot(const QString& rootPath, int workerCount);

} // namespace roror::LocalAnalysis
