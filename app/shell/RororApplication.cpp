#include "app/shell/RororApplication.h"

#include "app/model/AppModel.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QUrl>

namespace roror {

void prepareApplication()
{
    QGuiApplication::setApplicationName(QStringLiteral("Roror"));
    QGuiApplication::setOrganizationName(QStringLiteral("Roror"));
}

QQuickWindow* loadMainWindow(QQmlApplicationEngine& engine, AppModel& model)
{
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Roror/Shell/RororWindow.qml")));
    if (engine.rootObjects().isEmpty())
        return nullptr;
    return qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
}

} // namespace roror
