#include "core/engines/clean/CleanPreviewService.h"

#include "core/engines/clean/LocalCleanPreview.h"

#include <QDir>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace roror::CleanPreviewService {

QFuture<CleanPreviewReport> snapshot()
{
    return QtConcurrent::run(QThreadPool::globalInstance(),
                             [] { return LocalCleanPreview::snapshot(QDir::homePath()); });
}

} // namespace roror::CleanPreviewService
