#include "core/status/ProcessControl.h"

#include "core/model/AppLocalization.h"
#include "platform/ProcessSignal.h"

#include <cerrno>
#include <csignal>
#include <limits>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace roror::ProcessControl {

namespace {

struct State {
    std::mutex lock;
    Hooks hooks;
    QHash<qint64, quint64> listedStartTimes;
    // The listing before the latest: the process list on screen may still be that one while the
    // next listing is being taken.
    QHash<qint64, quint64> earlierStartTimes;
    QSet<qint64> listedKernelThreads;
    QSet<qint64> earlierKernelThreads;
};

State& state()
{
    static State s;
    return s;
}

Hooks currentHooks()
{
    Hooks hooks;
    {
        std::lock_guard lock(state().lock);
        hooks = state().hooks;
    }
    if (!hooks.sendSignal)
        hooks.sendSignal = ProcessSignal::send;
    if (!hooks.ownPid)
        hooks.ownPid = [] { return static_cast<qint64>(::getpid()); };
    if (!hooks.maximumPid)
        hooks.maximumPid = ProcessSignal::maximumPid;
    return hooks;
}

bool isValidPid(qint64 pid, const Hooks& hooks)
{
    return pid >= 1 && pid <= std::numeric_limits<qint32>::max() && pid <= hooks.maximumPid();
}

// Kernel threads ignore the signals, so a "successful" quit would end nothing.
bool isListedKernelThread(qint64 pid)
{
    std::lock_guard lock(state().lock);
    return state().listedKernelThreads.contains(pid) || state().earlierKernelThreads.contains(pid);
}

} // namespace

QString Failure::errorDescription() const
{
    using AppLocalization::coreText;
    switch (m_kind) {
    case Kind::unknown:
        return coreText(QStringLiteral("结束进程失败 (代码 %1)。").arg(m_code),
                        QStringLiteral("Failed to terminate process (code %1).").arg(m_code));
    case Kind::selfProcess:
        return coreText(QStringLiteral("不能结束 Roror 自身。"), QStringLiteral("Roror cannot terminate itself."));
    case Kind::systemProcess:
        return coreText(QStringLiteral("这是系统进程,不允许结束。"),
                        QStringLiteral("This is a system process and cannot be terminated."));
    case Kind::invalidPID:
        return coreText(QStringLiteral("进程 ID 无效。"), QStringLiteral("Invalid process identifier."));
    case Kind::notPermitted:
        return coreText(QStringLiteral("权限不足,无法结束这个进程。"),
                        QStringLiteral("Operation not permitted for this process."));
    case Kind::noSuchProcess:
        return coreText(QStringLiteral("进程已经不存在。"), QStringLiteral("Process no longer exists."));
    }
    return QString();
}

bool canTerminate(std::optional<qint64> pid)
{
    if (!pid || *pid < 101)
        return false;
    const Hooks hooks = currentHooks();
    return isValidPid(*pid, hooks) && *pid != hooks.ownPid() && !isListedKernelThread(*pid);
}

bool terminate(qint64 pid, bool force)
{
    const Hooks hooks = currentHooks();
    if (!isValidPid(pid, hooks))
        throw Failure::invalidPID();
    if (pid == hooks.ownPid())
        throw Failure::selfProcess();
    if (pid <= 100 || isListedKernelThread(pid))
        throw Failure::systemProcess();

    // There is no application-level quit request on this platform; the signal is the request.
    std::optional<quint64> expected;
    {
        std::lock_guard lock(state().lock);
        const auto it = state().listedStartTimes.constFind(pid);
        if (it != state().listedStartTimes.constEnd()) {
            expected = *it;
        } else {
            const auto earlier = state().earlierStartTimes.constFind(pid);
            if (earlier != state().earlierStartTimes.constEnd())
                expected = *earlier;
        }
    }
    const int error = hooks.sendSignal(pid, force ? SIGKILL : SIGTERM, expected);
    if (error == 0)
        return true;
    if (error == ESRCH)
        throw Failure::noSuchProcess();
    if (error == EPERM)
        throw Failure::notPermitted();
    throw Failure::unknown(error);
}

void rememberListedProcesses(const QHash<qint64, quint64>& startTimes, const QSet<qint64>& kernelThreads)
{
    std::lock_guard lock(state().lock);
    state().earlierStartTimes = std::exchange(state().listedStartTimes, startTimes);
    state().earlierKernelThreads = std::exchange(state().listedKernelThreads, kernelThreads);
}

QHash<qint64, quint64> listedStartTimes()
{
    std::lock_guard lock(state().lock);
    return state().listedStartTimes;
}

void setHooksForTesting(Hooks hooks)
{
    std::lock_guard lock(state().lock);
    state().hooks = std::move(hooks);
}

} // namespace roror::ProcessControl
