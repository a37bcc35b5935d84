#pragma once

#include "core/engines/uninstall/UninstallPreviewReport.h"

#include <QFuture>

namespace roror::UninstallPreviewService {

// Runs LocalUninstallPreview::snapshot for the current user's home folder on a pool thread.
QFuture<UninstallPreviewReport> snapshot();

} // namespace roror::UninstallPreviewService
