#include "app/shell/RororApplication.h"

#include "app/model/AppModel.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QSGRendererInterface>
#include <QUrl>

namespace roror {

SceneGraphChoice chooseSceneGraph(const QByteArray& requestedBackend, const QByteArray& requestedRhi, bool gpuPresent)
{
    if (!requestedBackend.isEmpty() || !requestedRhi.isEmpty() || gpuPresent)
        return SceneGraphChoice::platformDefault;
    return SceneGraphChoice::software;
}

bool gpuRenderNodePresent()
{
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
}

void prepareApplication()
{
    QGuiApplication::setApplicationName(QStringLiteral("Roror"));
    QGuiApplication::setOrganizationName(QStringLiteral("Roror"));
    if (chooseSceneGraph(qgetenv("QT_QUICK_BACKEND"), qgetenv("QSG_RHI_BACKEND"), gpuRenderNodePresent())
        == SceneGraphChoice::software)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
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
