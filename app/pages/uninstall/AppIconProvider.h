#pragma once

#include <QQuickAsyncImageProvider>
#include <QString>

class QQmlEngine;

namespace roror {

// "image://appicon/<percent-encoded bundle path>": the application's icon, decoded on a small
// pool of its own (never the GUI thread), scaled to the requested size and cached by path.
class AppIconProvider : public QQuickAsyncImageProvider {
public:
    static inline const QString id = QStringLiteral("appicon");

    QQuickImageResponse* requestImageResponse(const QString& id, const QSize& requestedSize) override;

    // Adds the provider to the engine once.
    static void install(QQmlEngine* engine);

    // The size decoded when the view asks for none.
    static constexpr int defaultSide = 48;
};

} // namespace roror
