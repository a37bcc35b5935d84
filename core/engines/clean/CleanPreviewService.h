#pragma once

#include "core/engines/clean/CleanPreviewReport.h"

#include <QFuture>

namespace roror::CleanPreviewService {

// The Smart Clean dry run of the current user's home folder, on a pool thread. Fails with the
// CleanFileError of a protection list holding a line that can never match.
QFuture<CleanPreviewReport> snapshot();

} // namespace roror::CleanPreviewService
