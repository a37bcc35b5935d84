#include "core/model/FolderAccessError.h"

#include "core/model/AppLocalization.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace roror {

namespace {

QString message(FolderAccessError::Kind kind)
{
    using AppLocalization::coreText;
    switch (kind) {
    case FolderAccessError::Kind::missing:
        return coreText(QStringLiteral("文件夹“%1”不存在。"), QStringLiteral("The folder “%1” doesn’t exist."));
    case FolderAccessError::Kind::notFolder:
        return coreText(QStringLiteral("“%1”不是文件夹。"), QStringLiteral("“%1” isn’t a folder."));
    case FolderAccessError::Kind::unreadable:
        break;
    }
    return coreText(QStringLiteral("无法读取文件夹“%1”。"), QStringLiteral("The folder “%1” couldn’t be read."));
}

} // namespace

FolderAccessError::FolderAccessError(Kind kind, const QString& path, const QString& reason)
    : PathError(path, message(kind), reason)
    , m_kind(kind)
{
}

void FolderAccessError::check(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info { };
    if (path.isEmpty() || ::stat(encoded.constData(), &info) != 0) {
        const int error = errno;
        if (path.isEmpty() || error == ENOENT || error == ENOTDIR)
            throw FolderAccessError(Kind::missing, path);
        throw FolderAccessError(Kind::unreadable, path, QString::fromLocal8Bit(std::strerror(error)));
    }
    if (!S_ISDIR(info.st_mode))
        throw FolderAccessError(Kind::notFolder, path);
    const int fd = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw FolderAccessError(Kind::unreadable, path, QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
}

} // namespace roror
