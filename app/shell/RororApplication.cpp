#include "app/shell/RororApplication.h"

#include "app/kit/AppTypography.h"
#include "app/model/AppModel.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlError>
#include <QSGRendererInterface>
#include <QThreadPool>
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
    // The font list and each family's fallbacks are shared by all threads: read them beside the
    // loading of the interface rather than in the middle of its first layout.
    const bool english = AppTypography::usesEnglishNow();
    QThreadPool::globalInstance()->start([english] {
        QFontDatabase::families();
        for (const auto design :
             {AppTypography::Design::standard, AppTypography::Design::rounded, AppTypography::Design::serif})
            QFontMetricsF(AppTypography::makeFont(13, QFont::Normal, design, english)).height();
        QFontMetricsF(AppTypography::makeSymbolFont(13, QFont::Normal)).height();
    });
}

std::unique_ptr<QQuickWindow> loadMainWindow(QQmlEngine& engine, AppModel& model)
{
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    // A plain engine and component rather than the application engine: its file selector would look
    // up every QML file and import once more for platform variants, of which the interface has none.
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Roror/Shell/RororWindow.qml")));
    std::unique_ptr<QObject> object(
        component.createWithInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}}));
    if (component.isError()) {
        for (const QQmlError& error : component.errors())
            qWarning().noquote() << error.toString();
    }
    auto* window = qobject_cast<QQuickWindow*>(object.get());
    if (!window)
        return {};
    object.release();
    return std::unique_ptr<QQuickWindow>(window);
}

} // namespace roror
