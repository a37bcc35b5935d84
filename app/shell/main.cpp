#include "app/model/AppModel.h"

#include <QApplication>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QUrl>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Roror");
    QApplication::setOrganizationName("Roror");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/qt/qml/Roror/Shell/RororMark.svg")));

    roror::AppModel model;
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Roror/Shell/RororWindow.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return app.exec();
}
