#include "app/pages/common/FileActions.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMutex>
#include <QUrl>

namespace roror::FileActions {

namespace {

struct Handlers {
    QMutex mutex;
    std::function<void(const QString&)> reveal;
    std::function<void(const QString&)> open;
};

Handlers& handlers()
{
    static Handlers instance;
    return instance;
}

const QString kService = QStringLiteral("org.freedesktop.FileManager1");

void desktopReveal(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface()) {
        // Asked only when a file manager owns the name (or can be started for it), so a desktop
        // without one falls back to the folder instead of waiting for a reply that never comes.
        const auto registered = bus.interface()->isServiceRegistered(kService);
        const auto activatable = bus.interface()->activatableServiceNames();
        if ((registered.isValid() && registered.value())
            || (activatable.isValid() && activatable.value().contains(kService))) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                kService, QStringLiteral("/org/freedesktop/FileManager1"), kService, QStringLiteral("ShowItems"));
            call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
            if (bus.send(call))
                return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void desktopOpen(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

void reveal(const QString& path)
{
    std::function<void(const QString&)> handler;
    {
        QMutexLocker lock(&handlers().mutex);
        handler = handlers().reveal;
    }
    if (handler)
        handler(path);
    else
        desktopReveal(path);
}

void open(const QString& path)
{
    std::function<void(const QString&)> handler;
    {
        QMutexLocker lock(&handlers().mutex);
        handler = handlers().open;
    }
    if (handler)
        handler(path);
    else
        desktopOpen(path);
}

void setHandlers(std::function<void(const QString&)> reveal, std::function<void(const QString&)> open)
{
    QMutexLocker lock(&handlers().mutex);
    handlers().reveal = std::move(reveal);
    handlers().open = std::move(open);
}

} // namespace roror::FileActions
