#pragma once

// Shared by the two start-up programs: reports the time from launch to the first frame on screen.
//
// Both programs take the launch moment (wall clock, in nanoseconds since 1970, as the shell saw
// it just before starting them) as their first argument, print one line
//   first_frame_ms=<ms> cpu_ms=<ms> backend=<scene graph backend>
// when the window's first frame has been swapped to the screen, and then quit; with "--stay" as
// second argument they keep running instead (for the memory and idle measurements).

#include <QCoreApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace bench {

// User and system time of all threads so far: unlike wall time, it hardly depends on what else
// the machine is doing.
inline double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

inline long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// With BENCH_TRACE set, prints to stderr how long after launch a step of the start was reached.
inline void mark(int argc, char** argv, const char* step)
{
    if (!std::getenv("BENCH_TRACE"))
        return;
    const long long launched = argc > 1 ? std::atoll(argv[1]) : nowNs();
    std::fprintf(stderr, "%s %.1f ms (cpu %.1f ms)\n", step, double(nowNs() - launched) / 1e6, processCpuMs());
}

inline const char* backendName(QQuickWindow* window)
{
    switch (window->rendererInterface()->graphicsApi()) {
    case QSGRendererInterface::Software:
        return "software";
    case QSGRendererInterface::OpenGL:
        return "opengl";
    case QSGRendererInterface::Vulkan:
        return "vulkan";
    default:
        return "other";
    }
}

inline void reportFirstFrame(QQuickWindow* window, int argc, char** argv)
{
    const long long launched = argc > 1 ? std::atoll(argv[1]) : nowNs();
    const bool stay = argc > 2 && std::strcmp(argv[2], "--stay") == 0;
    auto* seen = new std::atomic_bool(false);
    // Emitted on the render thread right after the swap; the first one is the first painted frame.
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [window, launched, stay, seen] {
            if (seen->exchange(true))
                return;
            const double ms = double(nowNs() - launched) / 1e6;
            std::printf("first_frame_ms=%.1f cpu_ms=%.1f backend=%s\n", ms, processCpuMs(), backendName(window));
            std::fflush(stdout);
            // For instruction counts of the start alone (callgrind): nothing after the frame runs.
            if (std::getenv("BENCH_EXIT_AT_FIRST_FRAME"))
                std::_Exit(0);
            if (!stay)
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        },
        Qt::DirectConnection);
}

} // namespace bench
