#include "app/model/AppModel.h"
#include "app/shell/RororApplication.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    roror::prepareApplication();

    roror::AppModel model;
    QQmlApplicationEngine engine;
    if (!roror::loadMainWindow(engine, model))
        return 1;
    return app.exec();
}
