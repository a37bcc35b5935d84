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
    // Only the layouts an installed copy has: the whole folder is swapped on update, so a folder
    // that merely happens to be called Roror.app further up (a checkout, say) must not qualify.
    static const QStringList layouts = {QString(), QStringLiteral("bin"), QStringLiteral("Contents/MacOS")};
    const QString parent = QFileInfo(executable).absolutePath();
    for (const QString& inner : layouts) {
        QString bundle = parent;
        if (!inner.isEmpty()) {
            if (!parent.endsWith(QLatin1Char('/') + inner))
                continue;
            bundle = parent.chopped(inner.size() + 1);
        }
        if (QFileInfo(bundle).fileName() == bundleFolderName)
            return Location{bundle, QDir(bundle).relativeFilePath(executable)};
    }
    return std::nullopt;
}

std::optional<Location> current()
{
    return locate(QCoreApplication::applicationFilePath());
}

} // namespace roror::AppBundle
