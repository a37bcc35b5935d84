#include "app/shell/WindowBackdrop.h"

#include "app/kit/GlassSource.h"
#include "platform/DesktopWallpaper.h"
#include "platform/desktop/CompositorBlur.h"

#include <QCoreApplication>
#include <QQuickWindow>
#include <QPointer>
#include <QSGImageNode>
#include <QThreadPool>
#include <QTimer>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace roror {

WindowBackdrop::WindowBackdrop(QQuickItem* parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents, true);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

WindowBackdrop::~WindowBackdrop()
{
    if (!m_frame.isNull())
        GlassSource::shared().clear();
    GlassSource::shared().setDesktopShown(false);
}

void WindowBackdrop::changed()
{
    emit layersChanged();
    polish();
}

void WindowBackdrop::setHasScore(bool value)
{
    if (m_hasScore == value)
        return;
    m_hasScore = value;
    emit auraChanged();
    changed();
}

void WindowBackdrop::setScore(int value)
{
    if (m_score == value)
        return;
    m_score = value;
    // The frame shows only the tone, whose colours arrive through their own setters; repainting it
    // (and every glass surface over it) for each new score of a live refresh would cost far more.
    emit auraChanged();
}

void WindowBackdrop::setBackgroundImageUrl(const QUrl& value)
{
    if (m_imageUrl == value)
        return;
    m_imageUrl = value;
    changed();
}

void WindowBackdrop::setBackgroundImageRevision(int value)
{
    if (m_imageRevision == value)
        return;
    m_imageRevision = value;
    changed();
}

void WindowBackdrop::setBaseColor(const QColor& value)
{
    if (m_base == value)
        return;
    m_base = value;
    changed();
}

void WindowBackdrop::setAuraSoftColor(const QColor& value)
{
    if (m_auraSoft == value)
        return;
    m_auraSoft = value;
    changed();
}

void WindowBackdrop::setAuraOrbColor(const QColor& value)
{
    if (m_auraOrb == value)
        return;
    m_auraOrb = value;
    changed();
}

void WindowBackdrop::setDark(bool value)
{
    if (m_dark == value)
        return;
    m_dark = value;
    changed();
}

QString WindowBackdrop::desktopLayer() const
{
    if (CompositorBlur::available())
        return QStringLiteral("blur");
    return m_desktop.isNull() ? QStringLiteral("none") : QStringLiteral("wallpaper");
}

bool WindowBackdrop::desktopReading() const
{
    return !CompositorBlur::available() && (m_desktopJob || !m_desktopRead);
}

void WindowBackdrop::publishDesktopShown()
{
    GlassSource::shared().setDesktopShown(desktopLayer() != QLatin1String("none"));
}

void WindowBackdrop::loadDesktopIfNeeded()
{
    if (CompositorBlur::available() || m_desktopJob)
        return;
    const QSize cover = size().toSize();
    if (m_desktopRead && m_desktopDark == m_dark && m_desktopCover.width() >= cover.width()
        && m_desktopCover.height() >= cover.height())
        return;
    // The settings are read (possibly through a helper program) and the picture decoded and
    // blurred on a pool thread; the window shows its plain base until the picture arrives. The
    // job starts once this frame's own painting (which uses the pool too) is done.
    m_desktopJob = true;
    const bool dark = m_dark;
    QPointer<WindowBackdrop> self(this);
    QTimer::singleShot(0, this, [self, dark, cover] { startDesktopRead(self, dark, cover); });
}

void WindowBackdrop::startDesktopRead(QPointer<WindowBackdrop> self, bool dark, QSize cover)
{
    QThreadPool::globalInstance()->start([self, dark, cover] {
        const auto path = DesktopWallpaper::currentPath(dark);
        QImage picture = path ? blurredDesktopImage(*path, cover) : QImage();
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return; // the program is ending
        QMetaObject::invokeMethod(
            app,
            [self, dark, cover, picture = std::move(picture)] {
                if (!self)
                    return;
                self->m_desktopJob = false;
                self->m_desktopRead = true;
                self->m_desktopDark = dark;
                self->m_desktopCover = cover;
                self->m_desktop = picture;
                self->publishDesktopShown();
                self->polish();
            },
            Qt::QueuedConnection);
    });
}

QString WindowBackdrop::auraTone() const
{
    return toRaw(roror::auraTone(m_score));
}

qreal WindowBackdrop::sheenTopOpacity() const
{
    return roror::sheenTopOpacity(m_hasScore);
}

void WindowBackdrop::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        polish();
}

void WindowBackdrop::itemChange(ItemChange change, const ItemChangeData& data)
{
    QQuickItem::itemChange(change, data);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged)
        polish();
}

void WindowBackdrop::loadImageIfNeeded()
{
    const QString path = m_imageUrl.isLocalFile() ? m_imageUrl.toLocalFile() : QString();
    if (path == m_imagePath && m_imageRevision == m_imageReadRevision)
        return;
    m_imagePath = path;
    m_imageReadRevision = m_imageRevision;
    m_image = QImage();
    if (path.isEmpty())
        return;
    // Decoded for the largest area the window can cover on its screen, so a resize never reads
    // the file again.
    QSize cover = size().toSize();
    if (window() && window()->screen())
        cover = cover.expandedTo(window()->screen()->virtualSize());
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    m_image = readBackdropImage(path, (QSizeF(cover) * ratio).toSize());
    ++m_imageReads;
}

void WindowBackdrop::updatePolish()
{
    if (!window() || width() <= 0 || height() <= 0)
        return;
    loadImageIfNeeded();
    if (m_imagePath.isEmpty())
        loadDesktopIfNeeded();
    const qreal ratio = window()->effectiveDevicePixelRatio();
    BackdropLayers layers;
    layers.base = m_base;
    // Over the compositor's blur the base is a veil; the window itself is translucent.
    if (CompositorBlur::available())
        layers.base.setAlphaF(float(compositorBaseOpacity));
    else
        layers.desktop = m_desktop;
    layers.image = m_image;
    if (m_hasScore)
        layers.score = m_score;
    layers.auraSoft = m_auraSoft;
    layers.auraOrb = m_auraOrb;
    const QImage frame = renderBackdrop((size() * ratio).toSize(), ratio, layers);
    m_frame = frame;
    m_frameDirty = true;
    // The glass surfaces show a blurred copy of what is drawn here, kept at a fraction of the
    // window size; painting that copy small costs far less than shrinking the full frame.
    const QSize reduced(std::max(1, int(std::ceil(width() / GlassSource::reduction))),
                        std::max(1, int(std::ceil(height() / GlassSource::reduction))));
    const QImage picture = renderBackdrop(reduced, reduced.width() / width(), layers);
    const bool smooth = layers.image.isNull() && layers.desktop.isNull() && !layers.score;
    const int copy = ++m_glassCopies;
    if (smooth && copy == 1) {
        // The first frame takes the smooth start-up backdrop unblurred (the blur moves it by a few
        // colour steps at most); the blurred copy follows once that frame is up.
        GlassSource::shared().setBackdropImage(picture, size(), true);
        QTimer::singleShot(0, this, [this, picture, copy, covered = size()] {
            if (m_glassCopies == copy)
                GlassSource::shared().setBackdropImage(picture, covered);
        });
    } else {
        GlassSource::shared().setBackdropImage(picture, size());
    }
    update();
    publishDesktopShown();
    emit frameChanged();
}

QSGNode* WindowBackdrop::updatePaintNode(QSGNode* old, UpdatePaintNodeData*)
{
    auto* node = static_cast<QSGImageNode*>(old);
    if (m_frame.isNull()) {
        delete node;
        return nullptr;
    }
    if (!node) {
        node = window()->createImageNode();
        node->setOwnsTexture(true);
        m_frameDirty = true;
    }
    if (m_frameDirty) {
        node->setTexture(window()->createTextureFromImage(m_frame));
        m_frameDirty = false;
    }
    node->setRect(boundingRect());
    node->setFiltering(QSGTexture::Linear);
    return node;
}

} // namespace roror
