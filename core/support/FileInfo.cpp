#include "core/support/FileInfo.h"

#include "core/support/StandardPath.h"

#include <QFile>
#include <QSet>
#include <sys/stat.h>

namespace roror {

FileInfo fileInfoFromStat(const struct stat& st)
{
    FileInfo info;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.isRegularFile = S_ISREG(st.st_mode);
    info.isSymbolicLink = S_ISLNK(st.st_mode);
    info.logicalSize = st.st_size;
    info.allocatedSize = static_cast<qint64>(st.st_blocks) * 512;
    info.accessTime = st.st_atim.tv_sec;
    info.modificationTime = st.st_mtim.tv_sec;
    info.device = st.st_dev;
    info.inode = st.st_ino;
    return info;
}

std::optional<FileInfo> fileInfo(const QString& path)
{
    struct stat st { };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return fileInfoFromStat(st);
}

qint64 sizeOnDisk(const QString& path)
{
    const auto info = fileInfo(path);
    if (!info)
        return 0;
    return info->allocatedSize > 0 ? info->allocatedSize : info->logicalSize;
}

qint64 logicalSize(const QString& path)
{
    const auto info = fileInfo(path);
    return info ? info->logicalSize : 0;
}

bool isPackageExtension(const QString& extension)
{
    static const QSet<QString> packages = {
        QStringLiteral("app"),           QStringLiteral("framework"),  QStringLiteral("bundle"),
        QStringLiteral("plugin"),        QStringLiteral("kext"),       QStringLiteral("xcarchive"),
        QStringLiteral("appex"),         QStringLiteral("xpc"),        QStringLiteral("prefpane"),
        QStringLiteral("qlgenerator"),   QStringLiteral("mdimporter"), QStringLiteral("saver"),
        QStringLiteral("photoslibrary"), QStringLiteral("pkg"),        QStringLiteral("mpkg"),
        QStringLiteral("rtfd"),          QStringLiteral("playground"), QStringLiteral("xcodeproj"),
        QStringLiteral("xcworkspace"),   QStringLiteral("component"),  QStringLiteral("wdgt"),
        QStringLiteral("docset"),
    };
    return !extension.isEmpty() && packages.contains(extension.toLower());
}

} // namespace roror
