#include "app/model/AppModel.h"
#include "app/shell/RororApplication.h"
#include "core/support/ProgramStop.h"
#include "platform/SettingsStore.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    roror::prepareApplication();

    int status = 0;
    {
        roror::AppModel model;
        QQmlEngine engine;
        const std::unique_ptr<QQuickWindow> window = roror::loadMainWindow(engine, model);
        if (!window)
            return 1;
        status = app.exec();
        roror::requestProgramStop();
        // Leaving the scope ends the window, then the model, which waits for the Trash move under way.
    }
    // Settings handed to the store's writer (the last run's summary, say) reach the file first.
    roror::SettingsStore::waitForWrites();
    // Walks still on the pool see the stop at their next item; a clean gets a moment to finish the
    // item under way. Past that the process ends without waiting: the application object's own end
    // would wait for every pool thread, also one held up by a slow file system.
    QThreadPool::globalInstance()->waitForDone(250);
    std::fflush(nullptr);
    std::_Exit(status);
}
