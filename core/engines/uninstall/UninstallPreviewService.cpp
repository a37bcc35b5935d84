#include "core/engines/uninstall/UninstallPreviewService.h"

#include "core/engines/uninstall/LocalUninstallPreview.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentRun>

namespace roror::UninstallPreviewService {

QFuture<UninstallPreviewReport> snapshot()
{
    return QtConcurrent::run([] { return LocalUninstallPreview::snapshot(QDir::homePath()); });
}

} // namespace roror::UninstallPreviewService
