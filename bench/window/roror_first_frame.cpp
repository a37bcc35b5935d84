// Roror's own start: the same application set-up, model and window as the program, timed from
// launch to the first painted frame (see FirstFrame.h).

#include "FirstFrame.h"

#include "app/model/AppModel.h"
#include "app/shell/RororApplication.h"

#include <QGuiApplication>
#include <QQmlEngine>

int main(int argc, char** argv)
{
    bench::mark(argc, argv, "main");
    QGuiApplication app(argc, argv);
    bench::mark(argc, argv, "app");
    roror::prepareApplication();
    bench::mark(argc, argv, "prepared");
    roror::AppModel model;
    bench::mark(argc, argv, "model");
    QQmlEngine engine;
    const std::unique_ptr<QQuickWindow> owned = roror::loadMainWindow(engine, model);
    QQuickWindow* window = owned.get();
    bench::mark(argc, argv, "loaded");
    if (!window)
        return 1;
    bench::reportFirstFrame(window, argc, argv);
    return app.exec();
}
