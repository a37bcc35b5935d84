#include "platform/DiskImage.h"

#include "platform/ToolRunner.h"

namespace roror::DiskImage {

bool attach(const QString& imagePath, const QString& mountPoint)
{
    // Ownership recorded in the archive is dropped: we may run as root and the files must be ours.
    const ToolRunResult run = runTool(QStringLiteral("/usr/bin/tar"),
                                      {QStringLiteral("-x"), QStringLiteral("-z"), QStringLiteral("--no-same-owner"),
                                       QStringLiteral("-f"), imagePath, QStringLiteral("-C"), mountPoint});
    return run.succeeded();
}

void detach(const QString& mountPoint)
{
    if (mountPoint.isEmpty())
        return;
    runTool(QStringLiteral("/bin/rm"), {QStringLiteral("-r"), QStringLiteral("-f"), QStringLiteral("--"), mountPoint});
}

} // namespace roror::DiskImage
