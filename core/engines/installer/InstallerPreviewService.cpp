#include "core/engines/installer/InstallerPreviewService.h"

#include "core/engines/installer/LocalInstallerPreview.h"

#include <QtConcurrent/QtConcurrentRun>

namespace roror::InstallerPreviewService {

QString sharedRoot()
{
    return QStringLiteral("/Users/Shared");
}

QFuture<InstallerPreviewReport> snapshot(const QString& home, const QProcessEnvironment& environment)
{
    Q_UNUSED(environment);
    return QtConcurrent::run([home] { return LocalInstallerPreview::snapshot(home, sharedRoot(), maxDepth); });
}

} // namespace roror::InstallerPreviewService
