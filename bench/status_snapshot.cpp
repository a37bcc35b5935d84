// CPU cost of one status snapshot (with the process table) next to one run of ps.
//
// Usage: status_snapshot [snapshots=20] [ps-runs=20]
// The snapshot's CPU time is this process's user + system time around the call, so the 200 ms
// sampling sleep costs nothing; ps's is the child's user + system time from wait4.

#include "core/status/LocalSystemStatus.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double processCPUSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// One run of the reference command; its own CPU time, or a negative value when it failed.
double psRunCPUSeconds()
{
    const char* argv[] = {"/bin/ps", "-axo", "pid=,ppid=,pcpu=,pmem=,comm=", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int snapshots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int psRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    // The first snapshot also gathers the once-per-process facts and the process table's first
    // reading; it is shown apart from the steady state the live page runs in.
    double before = processCPUSeconds();
    roror::SystemReport report = roror::LocalSystemStatus::snapshot();
    const double first = processCPUSeconds() - before;

    double total = 0;
    for (int i = 0; i < snapshots; ++i) {
        before = processCPUSeconds();
        report = roror::LocalSystemStatus::snapshot();
        total += processCPUSeconds() - before;
    }
    const double perSnapshot = total / snapshots;

    double psTotal = 0;
    int psDone = 0;
    for (int i = 0; i < psRuns; ++i) {
        const double cpu = psRunCPUSeconds();
        if (cpu >= 0) {
            psTotal += cpu;
            ++psDone;
        }
    }

    std::printf("processes listed:              %lld\n", static_cast<long long>(report.procs.value_or(0)));
    std::printf("first snapshot CPU:            %.3f ms\n", first * 1e3);
    std::printf("snapshot CPU (mean of %d):     %.3f ms\n", snapshots, perSnapshot * 1e3);
    if (psDone == 0) {
        std::printf("ps: could not run /bin/ps\n");
        return 1;
    }
    const double psPer = psTotal / psDone;
    std::printf("ps -axo ... CPU (mean of %d):  %.3f ms\n", psDone, psPer * 1e3);
    // getrusage ticks can be coarse; a zero reading leaves the ratio undefined.
    if (psPer > 0)
        std::printf("ratio snapshot / ps:           %.2f\n", perSnapshot / psPer);
    else
        std::printf("ratio snapshot / ps:           n/a (ps CPU time below the clock's resolution)\n");
    std::printf("share of one core at a 2 s refresh: %.3f %%\n", perSnapshot / 2.0 * 100.0);
    return 0;
}
