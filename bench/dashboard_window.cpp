// The Overview page in a window over the real model and status probes, as the program shows it
// at start, for the CPU and memory benchmarks (dashboard_cpu.sh, dashboard_memory.sh).
//
// Usage: dashboard_window [seconds=0 (until killed)]

#include "app/model/AppModel.h"
#include "bench/OverviewWindow.h"

#include <QApplication>
#include <QQmlApplicationEngine>
#include <QTimer>
#include <QUrl>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roror"));
    QApplication::setOrganizationName(QStringLiteral("Roror"));
    roror::AppModel model;
    QQmlApplicationEngine engine;
    if (!roror::bench::loadOverviewWindow(engine, model))
        return 1;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
