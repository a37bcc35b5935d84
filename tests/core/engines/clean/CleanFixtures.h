#pragma once

#include <QFile>
#include <QString>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace roror::test {

// Makes a named pipe at `path`; false when this file system cannot hold one.
inline bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Runs `work` on a thread of its own while a writer keeps opening and closing the pipe at `fifo`,
// so work that waits on the pipe sees it end at once instead of hanging the test; work that never
// opens the pipe is not disturbed (a writer cannot open a pipe nobody reads). Returns what `work`
// returns, or throws what it throws.
template <class Work>
auto withFifoUnblocked(const QString& fifo, Work work) -> decltype(work())
{
    auto result = std::async(std::launch::async, std::move(work));
    const QByteArray encoded = QFile::encodeName(fifo);
    while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        const int fd = ::open(encoded.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    }
    return result.get();
}

} // namespace roror::test
