#include "platform/ProcessNames.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#if defined(__linux__)
#include "platform/linux/LinuxProcfs.h"
#endif

namespace roror::ProcessNames {

std::optional<QStringList> commandNames(const QString& procRoot)
{
#if defined(__linux__)
    DIR* dir = ::opendir(QFile::encodeName(procRoot).constData());
    if (!dir)
        return std::nullopt;
    const int procFd = ::dirfd(dir);
    QStringList names;
    char file[64];
    char buffer[1024]; // the name ends within the first few dozen bytes of the line
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] < '1' || name[0] > '9' || std::strlen(name) > 20)
            continue;
        std::snprintf(file, sizeof file, "%s/stat", name);
        const int fd = ::openat(procFd, file, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue; // gone meanwhile
        ssize_t used = -1;
        do {
            used = ::read(fd, buffer, sizeof buffer);
        } while (used < 0 && errno == EINTR);
        ::close(fd);
        if (used <= 0)
            continue;
        const auto stat = LinuxProcfs::parseProcessStat(std::string_view(buffer, static_cast<size_t>(used)));
        if (!stat)
            continue;
        QString comm = stat->comm;
        for (QChar& c : comm) {
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
                c = QLatin1Char('?');
        }
        names.append(comm);
    }
    ::closedir(dir);
    return names;
#else
    Q_UNUSED(procRoot);
    return std::nullopt;
#endif
}

} // namespace roror::ProcessNames
