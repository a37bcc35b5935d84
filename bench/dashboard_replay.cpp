// CPU cost and frames of the Overview over a repeatable sequence of snapshots.
//
// Usage: dashboard_replay [seconds=60]
// The Overview (offscreen, software scene graph) refreshes every 2 s as the program does, but its
// snapshots are scripted: 220 processes of which about a tenth take a new CPU share each refresh,
// the CPU card's total and per-core loads and the memory share drawn anew, all from a generator
// seeded by the refresh's number; the rest of the report is this machine's, taken once. Two builds
// run on the same machine therefore draw the same changes, which the machine's own load cannot
// promise (run them side by side and compare). The window's first 5 s are not counted.
// BENCH_FIXED_STEP and BENCH_REFRESHES make a run repeatable enough to count instructions: see
// dashboard_replay_instructions.sh.

#include "app/model/AppModel.h"
#include "app/model/AppModelServices.h"
#include "bench/OverviewWindow.h"
#include "core/status/LocalSystemStatus.h"

#include <QAnimationDriver>
#include <QApplication>
#include <QQuickWindow>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <random>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace {

using roror::SystemReport;
using ProcessList = QList<SystemReport::ProcessInfo>;

double processCPUms()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The scripted snapshots; both run on pool threads.
struct Script {
    std::mutex lock;
    std::optional<SystemReport> machine;
    int refreshes = 0;

    ProcessList processes()
    {
        std::lock_guard guard(lock);
        std::mt19937 random(1234u + static_cast<unsigned>(refreshes));
        std::uniform_real_distribution<double> unit(0, 1);
        ProcessList list;
        for (int i = 0; i < 220; ++i) {
            SystemReport::ProcessInfo p;
            p.pid = 1000 + i;
            p.ppid = 1;
            p.name = QStringLiteral("proc-%1").arg(i);
            p.command = QStringLiteral("/usr/bin/proc-%1").arg(i);
            p.cpu = unit(random) < 0.1 ? 0.1 + 25 * unit(random) : 0.0;
            p.memory = 0.1 * (i % 17) + (unit(random) < 0.2 ? 0.1 : 0.0);
            list.append(p);
        }
        return list;
    }

    SystemReport report(const std::optional<ProcessList>& top)
    {
        std::lock_guard guard(lock);
        if (!machine)
            machine = roror::LocalSystemStatus::snapshot(top);
        SystemReport r = *machine;
        std::mt19937 random(99u + static_cast<unsigned>(refreshes));
        std::uniform_real_distribution<double> unit(0, 1);
        ++refreshes;
        if (r.cpu) {
            r.cpu->usage = 1 + 11 * unit(random);
            QList<double> cores;
            for (int i = 0; i < 8; ++i)
                cores.append(30 * unit(random));
            r.cpu->perCore = cores;
        }
        if (r.memory && r.memory->total) {
            const double used = 0.4 + 0.02 * unit(random);
            r.memory->used = static_cast<qint64>(static_cast<double>(*r.memory->total) * used);
            r.memory->usedPercent = used * 100;
        }
        r.topProcesses = top.value_or(ProcessList{}).mid(0, 5);
        return r;
    }

    int count()
    {
        std::lock_guard guard(lock);
        return refreshes;
    }
};

// Under BENCH_FIXED_STEP each animation tick advances 16 ms of animation time however long the
// tick took, so a run under an instruction counter draws the same frames as a run at full speed.
class FixedStepDriver : public QAnimationDriver {
public:
    FixedStepDriver()
    {
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            m_elapsed += 16;
            advance();
        });
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(16);
    }
    qint64 elapsed() const override { return m_elapsed; }

protected:
    // Animation time is counted from the driver's start, as the default driver's is.
    void start() override
    {
        m_elapsed = 0;
        QAnimationDriver::start();
        m_timer.start();
    }
    void stop() override
    {
        QAnimationDriver::stop();
        m_timer.stop();
    }

private:
    QTimer m_timer;
    qint64 m_elapsed = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FixedStepDriver fixedStep;
    if (qEnvironmentVariableIsSet("BENCH_FIXED_STEP"))
        fixedStep.install();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    Script script;
    roror::AppModelServices services = roror::AppModelServices::real();
    services.processSnapshot = [&script] { return script.processes(); };
    services.statusSnapshot = [&script](const std::optional<ProcessList>& top) { return script.report(top); };
    roror::AppModel model(services);
    QQmlApplicationEngine engine;
    if (!roror::bench::loadOverviewWindow(engine, model))
        return 1;
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());
    std::atomic<int> frames{0};
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window, [&frames] { ++frames; }, Qt::DirectConnection);

    // BENCH_REFRESHES=n: count the n refreshes after the third, with instructions counted only then
    // when run under callgrind (see dashboard_replay_instructions.sh).
    if (const int counted = qEnvironmentVariableIntValue("BENCH_REFRESHES"); counted > 0) {
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, &app, [&, counted, started = -1, from = 0]() mutable {
            const int done = script.count();
            if (started < 0 && done >= 3) {
                started = done;
                from = frames;
                CALLGRIND_START_INSTRUMENTATION;
            } else if (started >= 0 && done >= started + counted) {
                CALLGRIND_STOP_INSTRUMENTATION;
                std::printf("refreshes                   %8d\n", counted);
                std::printf("frames                      %8d (%.1f per refresh)\n", frames - from,
                            double(frames - from) / counted);
                QCoreApplication::quit();
            }
        });
        poll->start(50);
        return app.exec();
    }

    double cpuStart = 0;
    int framesStart = 0;
    int refreshesStart = 0;
    QTimer::singleShot(5000, &app, [&] {
        cpuStart = processCPUms();
        framesStart = frames;
        refreshesStart = script.count();
    });
    QTimer::singleShot(5000 + seconds * 1000, &app, [&] {
        const double cpu = processCPUms() - cpuStart;
        const int drawn = frames - framesStart;
        const int refreshes = std::max(1, script.count() - refreshesStart);
        std::printf("refreshes                   %8d\n", refreshes);
        std::printf("frames                      %8d (%.1f per refresh)\n", drawn, double(drawn) / refreshes);
        std::printf("CPU                         %8.0f ms (%.1f ms per refresh)\n", cpu, cpu / refreshes);
        std::printf("share of one core           %8.2f %%\n", cpu / (seconds * 10.0));
        QCoreApplication::quit();
    });
    return app.exec();
}
