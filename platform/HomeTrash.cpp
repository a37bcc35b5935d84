#include "platform/HomeTrash.h"

#include <QtGlobal>

namespace roror::HomeTrash {

QString folder(const QString& home)
{
#ifdef Q_OS_MACOS
    return home + QStringLiteral("/.Trash");
#else
    // A relative XDG_DATA_HOME is invalid by the base directory rules and is ignored.
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    return (data.startsWith(QLatin1Char('/')) ? data : home + QStringLiteral("/.local/share"))
        + QStringLiteral("/Trash");
#endif
}

QStringList contentFolders()
{
#ifdef Q_OS_MACOS
    return {};
#else
    return {QStringLiteral("files"), QStringLiteral("info")};
#endif
}

} // namespace roror::HomeTrash
