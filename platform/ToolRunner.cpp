#include "platform/ToolRunner.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace roror {

namespace {

using Clock = std::chrono::steady_clock;

struct CStringList {
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;

    void add(const QByteArray& value) { storage.push_back(value); }
    char** finish()
    {
        pointers.clear();
        for (auto& s : storage)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
        return pointers.data();
    }
};

void killGroup(pid_t pid)
{
    // The tool leads its own process group, so helpers it started end with it.
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
}

int remainingMs(const std::optional<Clock::time_point>& deadline)
{
    if (!deadline)
        return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

ToolRunResult runTool(const QString& program, const QStringList& arguments, const ToolRunOptions& options)
{
    ToolRunResult result;
    if (!program.startsWith(QLatin1Char('/')))
        return result; // tools are only ever started by absolute path

    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    if (::pipe2(outPipe, O_CLOEXEC) != 0)
        return result;
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    QByteArray workDir;
    if (!options.workingDirectory.isEmpty()) {
        workDir = QFile::encodeName(options.workingDirectory);
        posix_spawn_file_actions_addchdir_np(&actions, workDir.constData());
    }

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    sigset_t empty;
    sigemptyset(&empty);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &empty);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    const QByteArray path = QFile::encodeName(program);
    CStringList argv;
    argv.add(path);
    for (const QString& a : arguments)
        argv.add(a.toUtf8());
    CStringList envp;
    char** env = environ;
    if (options.environment) {
        for (const QString& e : *options.environment)
            envp.add(e.toUtf8());
        env = envp.finish();
    }

    pid_t pid = -1;
    const int spawnError = ::posix_spawn(&pid, path.constData(), &actions, &attr, argv.finish(), env);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawnError != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return result;
    }
    result.started = true;

    std::optional<Clock::time_point> deadline;
    if (options.timeoutMs >= 0)
        deadline = Clock::now() + std::chrono::milliseconds(options.timeoutMs);

    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    int lines = 0;
    char buffer[65536];
    bool killed = false;
    while (open > 0) {
        const int wait = remainingMs(deadline);
        const int ready = ::poll(fds, 2, wait);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0) {
            result.timedOut = true;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            if (i == 1) {
                result.standardError.append(buffer, n);
                continue;
            }
            if (options.maxOutputLines < 0) {
                result.standardOutput.append(buffer, n);
                continue;
            }
            for (ssize_t k = 0; k < n; ++k) {
                result.standardOutput.append(buffer[k]);
                if (buffer[k] == '\n' && ++lines >= options.maxOutputLines) {
                    result.truncated = true;
                    break;
                }
            }
            if (result.truncated)
                break;
        }
        if (result.truncated)
            break;
    }
    if (result.timedOut || result.truncated) {
        killGroup(pid);
        killed = true;
    }
    for (auto& f : fds) {
        if (f.fd >= 0)
            ::close(f.fd);
    }

    int status = 0;
    for (;;) {
        const int flags = (!killed && deadline) ? WNOHANG : 0;
        const pid_t r = ::waitpid(pid, &status, flags);
        if (r == pid)
            break;
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return result;
        // Output closed but the tool lingers: wait until the deadline, then end it.
        if (remainingMs(deadline) == 0) {
            result.timedOut = true;
            killGroup(pid);
            killed = true;
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status)) {
        result.exitedNormally = true;
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

std::optional<QString> runToolOutput(const QString& program, const QStringList& arguments,
                                     const ToolRunOptions& options)
{
    const ToolRunResult result = runTool(program, arguments, options);
    if (!result.succeeded())
        return std::nullopt;
    return QString::fromUtf8(result.standardOutput);
}

} // namespace roror
