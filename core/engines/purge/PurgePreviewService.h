#pragma once

#include "core/engines/purge/PurgePreviewReport.h"

#include <QFuture>
#include <QProcessEnvironment>
#include <QString>
#include <functional>

namespace roror::PurgePreviewService {

inline constexpr int maxDepth = 6;

using ProgressCallback = std::function<void(const QString&)>;

// Calls `onProgress` (when given) once with `rootPath` on the calling thread, then runs
// LocalPurgePreview::snapshot with depth 6 on a pool thread. `environment` is not used. The future
// fails with FolderAccessError when `rootPath` is not a folder that can be listed.
QFuture<PurgePreviewReport> snapshot(const QString& rootPath,
                                     const QProcessEnvironment& environment = QProcessEnvironment(),
                                     const ProgressCallback& onProgress = {});

} // namespace roror::PurgePreviewService
