#include "platform/ProcessSignal.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <string>
#include <unistd.h>

#if defined(__linux__)
#include "platform/linux/LinuxProcfs.h"

#include <sys/syscall.h>
#endif

namespace roror::ProcessSignal {

namespace {

std::optional<std::string> readSmall(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string data;
    char buffer[1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

bool fitsPid(qint64 pid)
{
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max();
}

} // namespace

std::optional<quint64> startTime(qint64 pid)
{
#if defined(__linux__)
    if (!fitsPid(pid))
        return std::nullopt;
    const auto text = readSmall("/proc/" + std::to_string(pid) + "/stat");
    if (!text)
        return std::nullopt;
    const auto stat = LinuxProcfs::parseProcessStat(*text);
    if (!stat || stat->pid != pid)
        return std::nullopt;
    return stat->startTime;
#else
    Q_UNUSED(pid);
    return std::nullopt;
#endif
}

int send(qint64 pid, int signal, std::optional<quint64> expectedStartTime)
{
    if (!fitsPid(pid))
        return ESRCH;
#if defined(__linux__) && defined(SYS_pidfd_open) && defined(SYS_pidfd_send_signal)
    const int handle = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
    if (handle >= 0) {
        // The handle names this very process: a check made through it cannot be raced by pid reuse.
        if (expectedStartTime && startTime(pid) != expectedStartTime) {
            ::close(handle);
            return ESRCH;
        }
        const long sent = ::syscall(SYS_pidfd_send_signal, handle, signal, nullptr, 0);
        const int error = sent == 0 ? 0 : errno;
        ::close(handle);
        return error;
    }
    if (errno == ESRCH)
        return ESRCH;
#endif
    if (expectedStartTime) {
        const auto current = startTime(pid);
        if (current && current != expectedStartTime)
            return ESRCH;
    }
    return ::kill(static_cast<pid_t>(pid), signal) == 0 ? 0 : errno;
}

qint64 maximumPid()
{
#if defined(__linux__)
    if (const auto text = readSmall("/proc/sys/kernel/pid_max")) {
        try {
            const long long value = std::stoll(*text);
            if (value > 1)
                return std::min<qint64>(value - 1, std::numeric_limits<pid_t>::max());
        } catch (...) {
        }
    }
#endif
    return std::numeric_limits<pid_t>::max();
}

} // namespace roror::ProcessSignal
