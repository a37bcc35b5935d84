#include "platform/AppBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace roror::AppBundle {

namespace {
const QString bundleFolderName = QStringLiteral("Roror.app");
}

QString name()
{
    return QStringLiteral("Roror");
}

QString shortVersion()
{
    return QStringLiteral(ROROR_VERSION);
}

std::optional<QString> buildVersion()
{
    return std::nullopt;
}

QString feedURL()
{
    return QStringLiteral(ROROR_BUILD_FEED_URL);
}

std::optional<Location> locate(const QString& executablePath)
{
    if (executablePath.isEmpty())
        return std::nullopt;
    const QString executable = QFileInfo(executablePath).canonicalFilePath();
    if (executable.isEmpty())
        return std::nullopt;
    QDir folder = QFileInfo(executable).dir();
    while (true) {
        if (folder.dirName() == bundleFolderName)
            return Location{folder.absolutePath(), folder.relativeFilePath(executable)};
        if (folder.isRoot() || !folder.cdUp())
            return std::nullopt;
    }
}

std::optional<Location> current()
{
    return locate(QCoreApplication::applicationFilePath());
}

} // namespace roror::AppBundle
