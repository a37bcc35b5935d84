#include "core/engines/purge/PurgePreviewService.h"

#include "core/engines/purge/LocalPurgePreview.h"

#include <QtConcurrent/QtConcurrentRun>

namespace roror::PurgePreviewService {

QFuture<PurgePreviewReport> snapshot(const QString& rootPath, const QProcessEnvironment& environment,
                                     const ProgressCallback& onProgress)
{
    Q_UNUSED(environment);
    if (onProgress)
        onProgress(rootPath);
    return QtConcurrent::run([rootPath] { return LocalPurgePreview::snapshot(rootPath, maxDepth); });
}

} // namespace roror::PurgePreviewService
