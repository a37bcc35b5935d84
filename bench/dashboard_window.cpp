// The Overview page in a window over the real model and status probes, as the program shows it
// at start, for the CPU and memory benchmarks (dashboard_cpu.sh, dashboard_memory.sh).
//
// Usage: dashboard_window [seconds=0 (until killed)]

#include "app/model/AppModel.h"

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
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    engine.loadData(QByteArrayLiteral(R"(
import QtQuick
import QtQuick.Window
import Roror.App
import Roror.Kit
import Roror.Dashboard
Window {
    id: window
    required property AppModel model
    width: 1180
    height: 780
    visible: true
    color: AppTheme.windowBackground
    DashboardView { anchors.fill: parent; model: window.model }
}
)"));
    if (engine.rootObjects().isEmpty())
        return 1;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 0;
    if (seconds > 0)
        QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
