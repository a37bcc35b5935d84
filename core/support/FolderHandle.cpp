#include "core/support/FolderHandle.h"

#include <QList>
#include <QtGlobal>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <linux/openat2.h>
#endif

namespace roror::FolderHandle {

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int openBelow(int at, QByteArrayView relative, int flags, bool allowOpenat2)
{
    QList<QByteArray> names;
    for (const QByteArray& name : relative.toByteArray().split('/')) {
        if (name.isEmpty() || name == ".")
            continue;
        if (name == "..") {
            errno = EINVAL;
            return -1;
        }
        names.append(name);
    }
    if (names.isEmpty())
        return ::fcntl(at, F_DUPFD_CLOEXEC, 0);
    if (names.size() == 1)
        return ::openat(at, names.first().constData(), flags);
#if defined(Q_OS_LINUX) && defined(SYS_openat2)
    if (allowOpenat2) {
        open_how how{};
        how.flags = static_cast<quint64>(flags);
        how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        const QByteArray joined = names.join('/');
        const long fd = ::syscall(SYS_openat2, at, joined.constData(), &how, sizeof how);
        // An older kernel, or a sandbox that forbids the call, gets the walk below.
        if (fd >= 0 || (errno != ENOSYS && errno != EPERM && errno != E2BIG))
            return static_cast<int>(fd);
    }
#else
    Q_UNUSED(allowOpenat2);
#endif
    UniqueFd folder(::openat(at, names.first().constData(), flags));
    for (qsizetype i = 1; i < names.size() && folder.valid(); ++i)
        folder = UniqueFd(::openat(folder.get(), names.at(i).constData(), flags));
    return folder.release();
}

std::optional<QByteArray> openedPath(int fd)
{
    char buffer[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), buffer, sizeof buffer);
    if (length <= 0 || buffer[0] != '/' || static_cast<size_t>(length) >= sizeof buffer)
        return std::nullopt;
    return QByteArray(buffer, length);
}

} // namespace roror::FolderHandle
