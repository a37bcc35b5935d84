#pragma once

#include "core/engines/optimize/OptimizePreviewReport.h"

#include <QList>

namespace roror {

// The outcome of a real optimization run. Every entry of the report lands in exactly one list,
// unchanged and in report order.
struct LocalOptimizeResult {
    QList<OptimizePreviewReport::Entry> completed; // the command ran and exited with status 0
    QList<OptimizePreviewReport::Entry> skipped;   // protected, unsafe, without a command, or its tool is absent
    QList<OptimizePreviewReport::Entry> failed;    // the command was started and did not succeed

    bool operator==(const LocalOptimizeResult&) const = default;
};

} // namespace roror
