// Ending processes. Every real signal goes to a child this test started itself; the refusals
// run against a recording signal hook, which proves that no signal was sent at all.

#include "core/status/LocalSystemStatus.h"
#include "core/status/ProcessControl.h"
#include "platform/ProcessSignal.h"
#include "tests/support/TestEnv.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace roror;
using Failure = ProcessControl::Failure;

namespace {

struct SentSignal {
    qint64 pid;
    int signal;
    std::optional<quint64> expectedStartTime;
    bool operator==(const SentSignal&) const = default;
};

// Forgets the listings kept from earlier process tables (the latest and the one before it).
void forgetListedProcesses()
{
    ProcessControl::rememberListedProcesses({});
    ProcessControl::rememberListedProcesses({});
}

// Records what would have been sent and answers with a chosen error number.
class RecordingHooks {
public:
    explicit RecordingHooks(qint64 ownPid = 5000, qint64 maximumPid = 4194303)
    {
        ProcessControl::Hooks hooks;
        hooks.sendSignal = [this](qint64 pid, int signal, std::optional<quint64> start) {
            sent.append(SentSignal{pid, signal, start});
            return answer;
        };
        hooks.ownPid = [ownPid] { return ownPid; };
        hooks.maximumPid = [maximumPid] { return maximumPid; };
        ProcessControl::setHooksForTesting(hooks);
        forgetListedProcesses();
    }
    ~RecordingHooks()
    {
        ProcessControl::setHooksForTesting({});
        forgetListedProcesses();
    }

    QList<SentSignal> sent;
    int answer = 0;
};

// A child of this test: /bin/sleep, reaped when the test ends.
class Child {
public:
    Child()
    {
        const char* argv[] = {"/bin/sleep", "60", nullptr};
        if (posix_spawn(&m_pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = -1;
    }
    ~Child()
    {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL); // our own child only
            waitpid(m_pid, nullptr, 0);
        }
    }
    pid_t pid() const { return m_pid; }
    // The signal that ended the child, or 0 while it still runs.
    int endingSignal(bool wait)
    {
        int status = 0;
        const pid_t r = waitpid(m_pid, &status, wait ? 0 : WNOHANG);
        if (r != m_pid)
            return 0;
        m_reaped = true;
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

Failure failureOf(qint64 pid, bool force)
{
    try {
        ProcessControl::terminate(pid, force);
    } catch (const Failure& failure) {
        return failure;
    }
    ADD_FAILURE() << "pid " << pid << " was not refused";
    return Failure::unknown(-1);
}

} // namespace

TEST(ProcessControl, CanTerminate)
{
    RecordingHooks hooks(5000, 32767);
    const std::pair<std::optional<qint64>, bool> cases[] = {
        {std::nullopt, false}, {0, false},     {-3, false},
        {100, false},          {101, true},    {5000, false},
        {32767, true},         {32768, false}, {qint64(1) << 40, false},
    };
    for (const auto& [pid, expected] : cases)
        EXPECT_EQ(ProcessControl::canTerminate(pid), expected) << pid.value_or(-1);
    EXPECT_TRUE(hooks.sent.isEmpty());
}

// Sound behaviour: a pid that does not fit the platform's pid type or lies above the system's
// pid maximum is refused like any other invalid pid, before anything is sent.
TEST(ProcessControl, RefusedPidsSendNoSignal)
{
    RecordingHooks hooks(5000, 4194303);
    const std::pair<qint64, Failure> cases[] = {
        {-5, Failure::invalidPID()},
        {0, Failure::invalidPID()},
        {1, Failure::systemProcess()},
        {100, Failure::systemProcess()},
        {5000, Failure::selfProcess()},
        {4194304, Failure::invalidPID()},         // above the pid maximum
        {qint64(1) << 31, Failure::invalidPID()}, // does not fit a pid
        {qint64(1) << 40, Failure::invalidPID()},
    };
    for (const auto& [pid, expected] : cases) {
        for (bool force : {false, true}) {
            SCOPED_TRACE(pid);
            EXPECT_EQ(failureOf(pid, force), expected);
        }
    }
    EXPECT_TRUE(hooks.sent.isEmpty());
}

TEST(ProcessControl, SignalAndErrorNumbers)
{
    test::TestEnv env;
    RecordingHooks hooks;
    EXPECT_TRUE(ProcessControl::terminate(4321, false));
    EXPECT_TRUE(ProcessControl::terminate(4321, true));
    EXPECT_EQ(hooks.sent, (QList<SentSignal>{{4321, SIGTERM, std::nullopt}, {4321, SIGKILL, std::nullopt}}));

    const std::pair<int, Failure> errors[]
        = {{ESRCH, Failure::noSuchProcess()}, {EPERM, Failure::notPermitted()}, {EINVAL, Failure::unknown(EINVAL)}};
    for (const auto& [error, expected] : errors) {
        hooks.answer = error;
        EXPECT_EQ(failureOf(4321, false), expected);
    }
    EXPECT_EQ(failureOf(4321, false).code(), EINVAL);
    EXPECT_NE(Failure::unknown(1), Failure::unknown(2));
    EXPECT_EQ(Failure::unknown(1), Failure::unknown(1));
    EXPECT_NE(Failure::notPermitted(), Failure::noSuchProcess());

    // A pid of the last listing carries its start time to the signal call.
    hooks.answer = 0;
    hooks.sent.clear();
    ProcessControl::rememberListedProcesses({{4321, 777}});
    ProcessControl::terminate(4321, false);
    ProcessControl::terminate(4322, false);
    EXPECT_EQ(hooks.sent, (QList<SentSignal>{{4321, SIGTERM, 777}, {4322, SIGTERM, std::nullopt}}));
}

// Sound behaviour: the list on screen is one table behind while the next one is taken, so a pid
// that only the earlier table listed still carries that table's start time: if its process ended
// and the pid was handed out again, the newcomer is not signalled.
TEST(ProcessControl, APidOfTheEarlierListingKeepsItsStartTime)
{
    RecordingHooks hooks;
    ProcessControl::rememberListedProcesses({{4321, 777}, {4322, 888}});
    ProcessControl::rememberListedProcesses({{4322, 999}, {4323, 111}});
    for (qint64 pid : {4321, 4322, 4323, 4324})
        ProcessControl::terminate(pid, true);
    EXPECT_EQ(hooks.sent,
              (QList<SentSignal>{{4321, SIGKILL, 777},
                                 {4322, SIGKILL, 999}, // the later table wins
                                 {4323, SIGKILL, 111},
                                 {4324, SIGKILL, std::nullopt}}));

    // Two tables later the ended process is forgotten.
    hooks.sent.clear();
    ProcessControl::rememberListedProcesses({});
    ProcessControl::terminate(4321, true);
    ProcessControl::terminate(4322, true);
    EXPECT_EQ(hooks.sent, (QList<SentSignal>{{4321, SIGKILL, std::nullopt}, {4322, SIGKILL, 999}}));
}

TEST(ProcessControl, MessagesInBothLanguages)
{
    test::TestEnv env;
    const struct {
        Failure failure;
        const char* chinese;
        const char* english;
    } cases[] = {
        {Failure::unknown(22), "结束进程失败 (代码 22)。", "Failed to terminate process (code 22)."},
        {Failure::unknown(-7), "结束进程失败 (代码 -7)。", "Failed to terminate process (code -7)."},
        {Failure::selfProcess(), "不能结束 Roror 自身。", "Roror cannot terminate itself."},
        {Failure::systemProcess(), "这是系统进程,不允许结束。", "This is a system process and cannot be terminated."},
        {Failure::invalidPID(), "进程 ID 无效。", "Invalid process identifier."},
        {Failure::notPermitted(), "权限不足,无法结束这个进程。", "Operation not permitted for this process."},
        {Failure::noSuchProcess(), "进程已经不存在。", "Process no longer exists."},
    };
    for (const auto& c : cases) {
        env.setLanguagePreference(QStringLiteral("chinese"));
        EXPECT_EQ(c.failure.errorDescription(), QString::fromUtf8(c.chinese));
        env.setLanguagePreference(QStringLiteral("english"));
        EXPECT_EQ(c.failure.errorDescription(), QString::fromUtf8(c.english));
    }
}

TEST(ProcessControl, QuitAndForceQuitARealChild)
{
    for (const auto& [force, expectedSignal] : {std::pair{false, SIGTERM}, std::pair{true, SIGKILL}}) {
        Child child;
        ASSERT_GT(child.pid(), 100);
        EXPECT_TRUE(ProcessControl::terminate(child.pid(), force));
        EXPECT_EQ(child.endingSignal(true), expectedSignal);
    }
}

// Sound behaviour: a listed pid is signalled only while it still belongs to the listed process
// (same start time), so a pid that was reused in the meantime is never signalled.
TEST(ProcessControl, AReusedPidIsNotSignalled)
{
    Child child;
    ASSERT_GT(child.pid(), 100);
    const auto start = ProcessSignal::startTime(child.pid());
    ASSERT_TRUE(start.has_value());

    // The listing saw another process under this pid.
    ProcessControl::rememberListedProcesses({{child.pid(), *start + 1}});
    EXPECT_EQ(failureOf(child.pid(), true), Failure::noSuchProcess());
    EXPECT_EQ(child.endingSignal(false), 0); // still running

    // A listing from the process table names the child as it is.
    const auto listed = LocalSystemStatus::processSnapshot();
    EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [&](const auto& p) { return p.pid == child.pid(); }));
    EXPECT_TRUE(ProcessControl::terminate(child.pid(), false));
    EXPECT_EQ(child.endingSignal(true), SIGTERM);
    forgetListedProcesses();
}

TEST(ProcessControl, AProcessThatEndedIsNoSuchProcess)
{
    pid_t pid = -1;
    {
        Child child;
        pid = child.pid();
        ASSERT_GT(pid, 100);
        // Listed before it ends, so the check holds even if its pid were handed out again.
        ProcessControl::rememberListedProcesses({{pid, *ProcessSignal::startTime(pid)}});
        ::kill(pid, SIGKILL);
        child.endingSignal(true);
    }
    test::TestEnv env;
    env.setLanguagePreference(QStringLiteral("english"));
    const Failure failure = failureOf(pid, false);
    EXPECT_EQ(failure, Failure::noSuchProcess());
    EXPECT_EQ(failure.errorDescription(), QStringLiteral("Process no longer exists."));
    forgetListedProcesses();
}
