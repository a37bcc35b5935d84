#pragma once

#include "core/engines/optimize/OptimizePreviewReport.h"

#include <QFuture>

namespace roror::OptimizePreviewService {

// LocalOptimizePreview::snapshot() on a pool thread.
QFuture<OptimizePreviewReport> snapshot();

} // namespace roror::OptimizePreviewService
