#include "core/engines/optimize/OptimizePreviewService.h"

#include "core/engines/optimize/LocalOptimizePreview.h"

#include <QtConcurrent/QtConcurrentRun>

namespace roror::OptimizePreviewService {

QFuture<OptimizePreviewReport> snapshot()
{
    return QtConcurrent::run([] { return LocalOptimizePreview::snapshot(); });
}

} // namespace roror::OptimizePreviewService
