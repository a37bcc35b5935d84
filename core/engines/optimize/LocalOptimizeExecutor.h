#pragma once

#include "core/engines/optimize/LocalOptimizeResult.h"
#include "core/engines/optimize/OptimizePreviewReport.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace roror::LocalOptimizeExecutor {

// Step id -> command line (the tool's absolute path, then its arguments).
using CommandTable = QHash<QString, QStringList>;

// The steps this platform can run, each with its one fixed, harmless command.
const CommandTable& runnableSafeActions();

// Goes through the report in order: an id in `skippedIDs`, an unsafe entry, a step without a
// command or whose tool is absent is skipped without starting anything; otherwise the command runs
// (one at a time, waiting for each) and its entry is completed or failed by its exit status.
LocalOptimizeResult run(const OptimizePreviewReport& report, const QSet<QString>& skippedIDs);

// The same with another command table.
LocalOptimizeResult run(const OptimizePreviewReport& report, const QSet<QString>& skippedIDs,
                        const CommandTable& commands);

} // namespace roror::LocalOptimizeExecutor
