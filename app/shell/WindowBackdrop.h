#pragma once

#include "app/shell/BackdropPainter.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QQuickItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The bottom layer of the window: base colour, custom background image, health aura and sheen,
// painted once per change of size or input into one image (which the glass surfaces also read),
// never per frame. It takes no clicks.
class WindowBackdrop : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasScore READ hasScore WRITE setHasScore NOTIFY layersChanged)
    Q_PROPERTY(int score READ score WRITE setScore NOTIFY layersChanged)
    Q_PROPERTY(QUrl backgroundImageUrl READ backgroundImageUrl WRITE setBackgroundImageUrl NOTIFY layersChanged)
    Q_PROPERTY(
        int backgroundImageRevision READ backgroundImageRevision WRITE setBackgroundImageRevision NOTIFY layersChanged)
    Q_PROPERTY(QColor baseColor READ baseColor WRITE setBaseColor NOTIFY layersChanged)
    Q_PROPERTY(QColor auraSoftColor READ auraSoftColor WRITE setAuraSoftColor NOTIFY layersChanged)
    Q_PROPERTY(QColor auraOrbColor READ auraOrbColor WRITE setAuraOrbColor NOTIFY layersChanged)
    // The appearance: the desktop's wallpaper may differ between light and dark.
    Q_PROPERTY(bool dark READ dark WRITE setDark NOTIFY layersChanged)
    // What the base layer shows of the desktop: "blur" (the compositor's blur behind the
    // translucent window), "wallpaper" (the desktop's picture, blurred here) or "none".
    Q_PROPERTY(QString desktopLayer READ desktopLayer NOTIFY frameChanged)
    // True until the desktop's wallpaper has been looked for (it is read off the GUI thread).
    Q_PROPERTY(bool desktopReading READ desktopReading NOTIFY frameChanged)

    // "mint", "amber" or "blush" for the score; the view picks the theme colours by it.
    Q_PROPERTY(QString auraTone READ auraTone NOTIFY auraChanged)
    Q_PROPERTY(bool auraShown READ auraShown NOTIFY auraChanged)
    Q_PROPERTY(qreal sheenTopOpacity READ sheenTopOpacity NOTIFY auraChanged)
    // True while a background image is drawn (set, readable and decoded).
    Q_PROPERTY(bool imageShown READ imageShown NOTIFY frameChanged)
    // How many times the image file was read (it is read once per path and revision).
    Q_PROPERTY(int imageReads READ imageReads NOTIFY frameChanged)

public:
    explicit WindowBackdrop(QQuickItem* parent = nullptr);
    ~WindowBackdrop() override;

    bool hasScore() const { return m_hasScore; }
    void setHasScore(bool value);
    int score() const { return m_score; }
    void setScore(int value);
    QUrl backgroundImageUrl() const { return m_imageUrl; }
    void setBackgroundImageUrl(const QUrl& value);
    int backgroundImageRevision() const { return m_imageRevision; }
    void setBackgroundImageRevision(int value);
    QColor baseColor() const { return m_base; }
    void setBaseColor(const QColor& value);
    QColor auraSoftColor() const { return m_auraSoft; }
    void setAuraSoftColor(const QColor& value);
    QColor auraOrbColor() const { return m_auraOrb; }
    void setAuraOrbColor(const QColor& value);

    bool dark() const { return m_dark; }
    void setDark(bool value);
    QString desktopLayer() const;
    bool desktopReading() const;

    QString auraTone() const;
    bool auraShown() const { return m_hasScore; }
    qreal sheenTopOpacity() const;
    bool imageShown() const { return !m_image.isNull(); }
    int imageReads() const { return m_imageReads; }

    // The backdrop as last painted, at device pixels (null before the first paint).
    QImage frame() const { return m_frame; }

signals:
    void layersChanged();
    void auraChanged();
    void frameChanged();

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;

private:
    void changed();
    void loadImageIfNeeded();
    void loadDesktopIfNeeded();
    static void startDesktopRead(QPointer<WindowBackdrop> self, bool dark, QSize cover);
    void publishDesktopShown();

    bool m_hasScore = false;
    int m_score = 0;
    QUrl m_imageUrl;
    int m_imageRevision = 0;
    QColor m_base = QColor(236, 236, 236);
    QColor m_auraSoft;
    QColor m_auraOrb;

    // The decoded image and the path and revision it was read for.
    QImage m_image;
    QString m_imagePath;
    int m_imageReadRevision = -1;
    int m_imageReads = 0;

    bool m_dark = false;
    // The desktop's wallpaper, blurred at a quarter of the window size it was made for, and the
    // appearance it was read for. Read and blurred off the GUI thread, one job at a time.
    QImage m_desktop;
    QSize m_desktopCover;
    bool m_desktopDark = false;
    bool m_desktopRead = false;
    bool m_desktopJob = false;

    QImage m_frame;
    bool m_frameDirty = false;
    // Glass copies handed over so far; a blurred copy that follows the first frame is dropped when
    // a newer one came first.
    int m_glassCopies = 0;
};

} // namespace roror
