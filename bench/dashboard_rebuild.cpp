// How long the GUI thread is held when a snapshot brings 1,000 more processes to the Overview.
//
// Usage: dashboard_rebuild [children=1000] [refreshes=5]
// Opens the Overview (offscreen, software scene graph) over the real model and status probes,
// times every event the GUI thread handles, and prints the longest one: first over a few
// refreshes of the machine as it is (the reference), then over the refresh that brings the
// sleeping children in, the refreshes that follow, and the refresh after they are gone. An event
// is timed by the GUI thread's CPU time, so other load on the machine does not count.
// A frame lasts 16 ms at 60 Hz; a longer event is a visible stall.

#include "app/model/AppModel.h"
#include "bench/OverviewWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QQmlApplicationEngine>
#include <QUrl>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// The GUI thread's own CPU time: what it spends on an event, without the time other programs on
// a busy machine take from it (which a wall clock would count as our stall).
double threadCPUms()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Times each event handled at the outermost level of the GUI thread's event loop, keeping the
// longest apart for the window (layout and painting of a frame) and for everything else (the
// refresh arriving and the page rebuilding its values).
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            return handled;
        }
        const bool frame = receiver->isWindowType();
        const double start = threadCPUms();
        const bool handled = QApplication::notify(receiver, event);
        const double ms = threadCPUms() - start;
        --m_depth;
        double& longest = frame ? m_longestFrame : m_longestUpdate;
        longest = std::max(longest, ms);
        return handled;
    }

    void reset() { m_longestFrame = m_longestUpdate = 0; }
    double longestFrame() const { return m_longestFrame; }
    double longestUpdate() const { return m_longestUpdate; }

private:
    int m_depth = 0;
    double m_longestFrame = 0;
    double m_longestUpdate = 0;
};

struct Stall {
    double update;
    double frame;
};

void runFor(int ms)
{
    QDeadlineTimer until(ms);
    while (!until.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Runs the event loop until `count` more refreshes of the process list have arrived.
bool waitForRefreshes(roror::AppModel& model, int count, int limitMs = 60000)
{
    int seen = 0;
    const auto connection = QObject::connect(&model, &roror::AppModel::processUsageChanged, [&] { ++seen; });
    QDeadlineTimer until(limitMs);
    while (seen < count && !until.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QObject::disconnect(connection);
    // Let the frame that shows the last refresh be drawn.
    runFor(300);
    return seen >= count;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_QUICK_BACKEND"))
        ::setenv("QT_QUICK_BACKEND", "software", 1);
    TimedApplication app(argc, argv);
    const int children = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int refreshes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    roror::AppModel model;
    QQmlApplicationEngine engine;
    if (!roror::bench::loadOverviewWindow(engine, model))
        return 1;

    if (!waitForRefreshes(model, 2)) {
        std::fprintf(stderr, "no snapshot arrived\n");
        return 1;
    }
    app.reset();
    waitForRefreshes(model, refreshes);
    const Stall reference{app.longestUpdate(), app.longestFrame()};
    const int referenceRows = static_cast<int>(model.processUsage().size());

    std::vector<pid_t> spawned;
    const char* sleepArgs[] = {"/bin/sleep", "600", nullptr};
    for (int i = 0; i < children; ++i) {
        pid_t pid = -1;
        if (posix_spawn(&pid, sleepArgs[0], nullptr, nullptr, const_cast<char**>(sleepArgs), environ) == 0)
            spawned.push_back(pid);
    }
    app.reset();
    waitForRefreshes(model, refreshes);
    const Stall withChildren{app.longestUpdate(), app.longestFrame()};
    const int rowsWithChildren = static_cast<int>(model.processUsage().size());

    for (pid_t pid : spawned)
        ::kill(pid, SIGKILL);
    for (pid_t pid : spawned)
        ::waitpid(pid, nullptr, 0);
    app.reset();
    waitForRefreshes(model, 2);
    const Stall afterRemoval{app.longestUpdate(), app.longestFrame()};

    std::printf("rows before / with children        %8d / %d\n", referenceRows, rowsWithChildren);
    std::printf("longest GUI-thread event (ms)       refresh + rebuild   frame (layout, paint)\n");
    std::printf("  machine as is                     %8.2f            %8.2f\n", reference.update, reference.frame);
    std::printf("  %4zu children arrive, %d refreshes %8.2f            %8.2f\n", spawned.size(), refreshes,
                withChildren.update, withChildren.frame);
    std::printf("  children gone                     %8.2f            %8.2f\n", afterRemoval.update,
                afterRemoval.frame);
    const double worst = std::max({withChildren.update, afterRemoval.update, withChildren.frame, afterRemoval.frame});
    std::printf("frame budget                        %8.2f ms; worst with children %.2f ms (%.2fx the budget)\n", 16.0,
                worst, worst / 16.0);
    return 0;
}
