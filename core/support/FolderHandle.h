#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <utility>

namespace roror::FolderHandle {

// A file descriptor closed when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1)
        : m_fd(fd)
    {
    }
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(other.release())
    {
    }
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1);

private:
    int m_fd;
};

// Opens the folder `relative` (names joined by "/"; empty and "." parts skipped, ".." refused with
// EINVAL) below the open folder `at` without following any link on the way: in one openat2 call with
// RESOLVE_NO_SYMLINKS where the kernel has it (and `allowOpenat2`), else one level at a time.
// `flags` are the open flags of every level (O_NOFOLLOW and O_DIRECTORY among them). -1 with errno
// set when it fails (ELOOP or ENOTDIR for a link on the way).
int openBelow(int at, QByteArrayView relative, int flags, bool allowOpenat2 = true);

// The path the kernel has for an open folder (/proc/self/fd); nothing where it cannot tell.
std::optional<QByteArray> openedPath(int fd);

} // namespace roror::FolderHandle
