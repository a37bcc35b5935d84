#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace roror {

// The blurred copy of the window backdrop that glass surfaces show their region of. It is made
// once per background or window size (never per frame) from what the backdrop draws: a custom
// background image filling the window, or a grab of the backdrop itself. Until something is
// given, `available` is false and surfaces show their flat tint and wash over the backdrop.
// One instance per process; glass items read it directly, QML through the `GlassSource` singleton
// and the image provider "rororglass" (source "image://rororglass/<revision>").
class GlassSource : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool available READ available NOTIFY changed)
    Q_PROPERTY(int revision READ revision NOTIFY changed)
    Q_PROPERTY(QSizeF windowSize READ windowSize NOTIFY changed)
    // True while the window shows a background image chosen by the user; untinted surfaces
    // then take the glass surface tint.
    Q_PROPERTY(bool hasCustomWindowBackground READ hasCustomWindowBackground WRITE setHasCustomWindowBackground NOTIFY
                   hasCustomWindowBackgroundChanged)
    // True while the window's backdrop shows the desktop: through the compositor's blur or as the
    // desktop's wallpaper drawn by the backdrop itself.
    Q_PROPERTY(bool desktopShown READ desktopShown NOTIFY desktopShownChanged)

public:
    static constexpr const char* providerId = "rororglass";
    // The blurred copy is kept at this fraction of the window size; drawing it scaled up is
    // part of the blur.
    static constexpr int reduction = 4;

    static GlassSource& shared();
    static GlassSource* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    bool available() const { return !m_blurred.isNull(); }
    int revision() const { return m_revision; }
    QSizeF windowSize() const { return m_windowSize; }
    QImage image() const { return m_blurred; }
    bool hasCustomWindowBackground() const { return m_hasCustomWindowBackground; }
    void setHasCustomWindowBackground(bool value);
    bool desktopShown() const { return m_desktopShown; }
    void setDesktopShown(bool value);

    // The image file drawn over the whole window (aspect fill, centred). The file is decoded
    // once per path and revision; a new window size only blurs again. An empty path, or a file
    // that is missing or not an image, leaves no blurred copy.
    Q_INVOKABLE void setBackdropFile(const QString& path, int fileRevision, const QSizeF& windowSize);
    // A picture of the backdrop as drawn, `windowSize` being the size it covers. A `smooth` picture
    // (colours and the sheen only: no image, no aura) may be taken without the blur, which moves it
    // by a few colour steps at most: the window's first frame does so.
    Q_INVOKABLE void setBackdropImage(const QImage& picture, const QSizeF& windowSize, bool smooth = false);
    Q_INVOKABLE void clear();

    // Pure helpers (tested on their own).
    // `source` scaled to cover `size` (aspect fill), centred and cropped.
    static QImage filled(const QImage& source, QSize size);
    // Three box passes of `radius` in both directions, edges clamped.
    static QImage blurred(const QImage& image, int radius);
    // The reduced, blurred copy for a window of `windowSize`.
    static QImage glassCopy(const QImage& backdrop, QSizeF windowSize, bool smooth = false);

signals:
    void changed();
    void hasCustomWindowBackgroundChanged();
    void desktopShownChanged();

private:
    explicit GlassSource(QObject* parent = nullptr);
    void publish(QImage blurredCopy, QSizeF windowSize);

    QString m_path;
    int m_fileRevision = -1;
    QImage m_source;
    QImage m_blurred;
    QSizeF m_windowSize;
    int m_revision = 0;
    bool m_hasCustomWindowBackground = false;
    bool m_desktopShown = false;
};

} // namespace roror
