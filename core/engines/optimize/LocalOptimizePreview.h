#pragma once

#include "core/engines/optimize/OptimizeDetailSnapshot.h"
#include "core/engines/optimize/OptimizePreviewReport.h"

namespace roror::LocalOptimizePreview {

// The whole catalogue with a live detail per step, measured below the current user's home folder.
OptimizePreviewReport snapshot();

// The same with the given detail source.
OptimizePreviewReport snapshot(const OptimizeDetailSnapshot& details);

} // namespace roror::LocalOptimizePreview
