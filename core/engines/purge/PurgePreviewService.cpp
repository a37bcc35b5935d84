#include "core/engines/purge/PurgePreviewService.h"

#include "core/engines/purge/LocalPurgePreview.h"
#include "core/model/FolderAccessError.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

namespace roror::PurgePreviewService {

QFuture<PurgePreviewReport> snapshot(const QString& rootPath, const QProcessEnvironment& environment,
                                     const ProgressCallback& onProgress)
{
    Q_UNUSED(environment);
    if (onProgress)
        onProgress(rootPath);
    return QtConcurrent::run([rootPath](QPromise<PurgePreviewReport>& promise) {
        // A folder that cannot be listed would otherwise read as one without any build folder.
        try {
            FolderAccessError::check(rootPath);
        } catch (const FolderAccessError&) {
            promise.setException(std::current_exception());
            return;
        }
        promise.addResult(LocalPurgePreview::snapshot(rootPath, maxDepth));
    });
}

} // namespace roror::PurgePreviewService
