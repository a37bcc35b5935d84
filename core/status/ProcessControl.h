#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <exception>
#include <functional>
#include <optional>

namespace roror {

// Quits or force-quits a process picked in the process list.
namespace ProcessControl {

// Why ending a process failed; errorDescription() is the message shown to the user.
class Failure : public std::exception {
public:
    enum class Kind { unknown, selfProcess, systemProcess, invalidPID, notPermitted, noSuchProcess };

    static Failure unknown(qint32 code) { return Failure(Kind::unknown, code); }
    static Failure selfProcess() { return Failure(Kind::selfProcess); }
    static Failure systemProcess() { return Failure(Kind::systemProcess); }
    static Failure invalidPID() { return Failure(Kind::invalidPID); }
    static Failure notPermitted() { return Failure(Kind::notPermitted); }
    static Failure noSuchProcess() { return Failure(Kind::noSuchProcess); }

    Kind kind() const { return m_kind; }
    // The error number carried by `unknown`; 0 for every other case.
    qint32 code() const { return m_code; }

    // In the interface language at the moment of the call.
    QString errorDescription() const;
    const char* what() const noexcept override { return "ProcessControl::Failure"; }

    bool operator==(const Failure& other) const
    {
        return m_kind == other.m_kind && (m_kind != Kind::unknown || m_code == other.m_code);
    }

private:
    explicit Failure(Kind kind, qint32 code = 0)
        : m_kind(kind)
        , m_code(code)
    {
    }
    Kind m_kind;
    qint32 m_code;
};

// Whether the process list may offer to end this process: not absent, above 100, a valid pid,
// not this program and not listed as a kernel thread by one of the last two process tables.
bool canTerminate(std::optional<qint64> pid);

// Sends SIGKILL (force) or SIGTERM. Refuses pids below 1 or beyond the system's pid range
// (invalidPID), this program (selfProcess), pids up to 100 and listed kernel threads
// (systemProcess). A pid whose
// process was listed by one of the last two process tables (the later one first) is signalled
// only while it is still that process (same start time); otherwise it counts as gone. Returns true once the signal was
// delivered; throws Failure otherwise.
bool terminate(qint64 pid, bool force);

// The start times of the processes of the latest process table, by pid, and the pids of its kernel
// threads; the table before it is kept too, since the list on screen lags one table behind while
// the next snapshot is taken.
void rememberListedProcesses(const QHash<qint64, quint64>& startTimes, const QSet<qint64>& kernelThreads = {});
// The start times of the latest process table, by pid (a pid it did not list is not there).
QHash<qint64, quint64> listedStartTimes();

// Test seam: the signal call, this program's pid and the largest valid pid.
struct Hooks {
    // Returns 0 or an error number; with an expected start time, ESRCH when the pid now belongs
    // to another process.
    std::function<int(qint64 pid, int signal, std::optional<quint64> expectedStartTime)> sendSignal;
    std::function<qint64()> ownPid;
    std::function<qint64()> maximumPid;
};
// Replaces the hooks that are set in `hooks`; a default Hooks{} restores the platform's.
void setHooksForTesting(Hooks hooks);

} // namespace ProcessControl

} // namespace roror
