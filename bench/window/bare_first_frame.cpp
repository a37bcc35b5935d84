// The floor of any Qt Quick program: one window with one text, built and run the same way as
// Roror, timed from launch to the first painted frame (see FirstFrame.h).

#include "FirstFrame.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>

int main(int argc, char** argv)
{
    bench::mark(argc, argv, "main");
    QGuiApplication app(argc, argv);
    bench::mark(argc, argv, "app");
    QQmlApplicationEngine engine;
    engine.loadData(R"(
import QtQuick
Window {
    width: 1180
    height: 780
    visible: true
    title: "Bare"
    Text { anchors.centerIn: parent; text: "Hello" }
}
)");
    if (engine.rootObjects().isEmpty())
        return 1;
    bench::mark(argc, argv, "loaded");
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (!window)
        return 1;
    bench::reportFirstFrame(window, argc, argv);
    return app.exec();
}
