#include "app/model/WindowBackgroundStore.h"

#include "core/model/LocalizationSettings.h"
#include "core/support/FileInfo.h"
#include "core/support/StandardPath.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>
#include <cerrno>
#include <cstring>
#include <ftw.h>
#include <unistd.h>

namespace roror::WindowBackgroundStore {

namespace {

void setError(QString* error, const QString& message)
{
    if (error)
        *error = message;
}

QString text(const QString& zh, const QString& en)
{
    return LocalizationSettings::shared().text(zh, en);
}

QString errnoText(const QString& path)
{
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}

int removeOne(const char* path, const struct stat*, int typeflag, struct FTW*)
{
    const int rc = (typeflag == FTW_DP) ? ::rmdir(path) : ::unlink(path);
    return rc == 0 ? 0 : errno;
}

// Removes a file, a link (as a link) or a folder tree; never follows a link.
bool removeEntry(const QString& path, QString* error)
{
    const auto info = fileInfo(path);
    if (!info) {
        setError(error, errnoText(path));
        return false;
    }
    const QByteArray native = QFile::encodeName(path);
    if (info->isDirectory && !info->isSymbolicLink) {
        const int rc = ::nftw(native.constData(), removeOne, 16, FTW_PHYS | FTW_DEPTH | FTW_MOUNT);
        if (rc != 0) {
            if (rc > 0)
                errno = rc;
            setError(error, errnoText(path));
            return false;
        }
        return true;
    }
    if (::unlink(native.constData()) != 0) {
        setError(error, errnoText(path));
        return false;
    }
    return true;
}

} // namespace

std::optional<QString> storageDirectory(QString* error)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) {
        setError(
            error,
            text(QStringLiteral("找不到应用数据文件夹。"), QStringLiteral("No application data folder is available.")));
        return std::nullopt;
    }
    const QString folder = joinPath(joinPath(base, QStringLiteral("Roror")), QStringLiteral("WindowBackground"));
    // Old images are removed from this folder, so it must be a real folder, never a link to elsewhere.
    const auto existing = fileInfo(folder);
    if (existing && !existing->isDirectory) {
        setError(error, text(QStringLiteral("%1 不是文件夹。"), QStringLiteral("%1 is not a folder.")).arg(folder));
        return std::nullopt;
    }
    if (!QDir().mkpath(folder)) {
        setError(
            error,
            text(QStringLiteral("无法创建文件夹 %1。"), QStringLiteral("Could not create the folder %1.")).arg(folder));
        return std::nullopt;
    }
    return folder;
}

bool removeInstalledImages(const QString& folder, QString* error, const QString& keep)
{
    const QDir dir(folder);
    if (!dir.exists()) {
        setError(
            error,
            text(QStringLiteral("文件夹 %1 不存在。"), QStringLiteral("The folder %1 does not exist.")).arg(folder));
        return false;
    }
    const QStringList names
        = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& name : names) {
        if (!name.startsWith(QLatin1String("wallpaper")))
            continue;
        const QString path = joinPath(folder, name);
        if (!keep.isEmpty() && path == keep)
            continue;
        if (!removeEntry(path, error))
            return false;
    }
    return true;
}

std::optional<QString> installImage(const QString& source, QString* error)
{
    const auto folder = storageDirectory(error);
    if (!folder)
        return std::nullopt;
    QString extension = pathExtension(source).toLower();
    if (extension.isEmpty())
        extension = QStringLiteral("jpg");
    const QString name = QStringLiteral("wallpaper-%1.%2")
                             .arg(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper(), extension);
    const QString destination = joinPath(*folder, name);
    QFile file(source);
    if (!file.copy(destination)) {
        setError(error, file.errorString());
        return std::nullopt;
    }
    if (!removeInstalledImages(*folder, error, destination)) {
        QFile::remove(destination);
        return std::nullopt;
    }
    return destination;
}

} // namespace roror::WindowBackgroundStore
