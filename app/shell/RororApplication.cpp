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
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <chrono>
#include <future>
#include <memory>

namespace roror {

namespace {
// Set once the font list, the program's own fonts included, has been read (see prepareApplication).
std::shared_future<void> fontListReady;
} // namespace

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
    // loading of the interface rather than in the middle of its first layout. On a thread of its
    // own that ends with the work: the fonts it opens on the way are its own and go with it.
    const bool english = AppTypography::usesEnglishNow();
    auto listed = std::make_shared<std::promise<void>>();
    fontListReady = listed->get_future().share();
    QThread* warm = QThread::create([english, listed] {
        QFontDatabase::families();
        // The icon font comes as TrueType and as WOFF and WOFF2 copies of the same version; the font
        // list keeps the copy it reads last, the WOFF2 one, which every thread that opens it must
        // first decompress. Named as one of the program's own, the TrueType copy is the one used.
        // Added before any window exists, so no text has to be laid out again for it.
        const QString iconFont = QStandardPaths::locate(
            QStandardPaths::GenericDataLocation,
            QStringLiteral("fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"));
        if (!iconFont.isEmpty())
            QFontDatabase::addApplicationFont(iconFont);
        listed->set_value();
        for (const auto design :
             {AppTypography::Design::standard, AppTypography::Design::rounded, AppTypography::Design::serif})
            QFontMetricsF(AppTypography::makeFont(13, QFont::Normal, design, english)).height();
        QFontMetricsF(AppTypography::makeSymbolFont(13, QFont::Normal)).height();
    });
    QObject::connect(warm, &QThread::finished, warm, &QObject::deleteLater);
    warm->start();
    if (!warm->isRunning()) {
        // No thread to be had: the window reads the fonts itself, as it would anyway.
        delete warm;
        fontListReady = {};
    }
}

std::unique_ptr<QQuickWindow> loadMainWindow(QQmlEngine& engine, AppModel& model)
{
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    // A plain engine and component rather than the application engine: its file selector would look
    // up every QML file and import once more for platform variants, of which the interface has none.
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Roror/Shell/RororWindow.qml")));
    // Bounded: a font list that takes longer only costs the window's texts a second layout.
    if (fontListReady.valid())
        fontListReady.wait_for(std::chrono::seconds(2));
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
