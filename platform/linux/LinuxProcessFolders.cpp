#include "platform/linux/LinuxProcessFolders.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace roror::LinuxProcessFolders {

std::optional<size_t> readIntoAt(int folder, const char* name, char* buffer, size_t size, bool untilLineEnd)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    size_t used = 0;
    while (used < size) {
        const ssize_t n = ::read(fd, buffer + used, size - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        used += static_cast<size_t>(n);
        if (untilLineEnd && buffer[used - 1] == '\n')
            break;
    }
    ::close(fd);
    return used;
}

} // namespace roror::LinuxProcessFolders
