#include "app/kit/GlassBackdropRegion.h"

#include "app/kit/GlassSource.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>
#include <QSGRenderNode>
#include <QSGRendererInterface>

namespace roror {

GlassBackdropRegion::GlassBackdropRegion(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    connect(&GlassSource::shared(), &GlassSource::changed, this, [this] { update(); });
}

void GlassBackdropRegion::setRadius(qreal radius)
{
    if (qFuzzyCompare(m_radius, radius))
        return;
    m_radius = radius;
    emit radiusChanged();
    update();
}

bool GlassBackdropRegion::onOverlay() const
{
    for (const QQuickItem* up = parentItem(); up; up = up->parentItem()) {
        if (up->inherits("QQuickOverlay"))
            return true;
    }
    return false;
}

void GlassBackdropRegion::paintRegion(QPainter* painter, const QImage& image, QSizeF window, const QTransform& toWindow,
                                      QSizeF size, qreal radius)
{
    if (image.isNull() || window.isEmpty() || size.isEmpty())
        return;
    const qreal sx = image.width() / window.width();
    const qreal sy = image.height() / window.height();
    // Maps the blurred copy (window coordinates times the reduction) onto this item.
    QBrush brush(image);
    brush.setTransform(QTransform::fromScale(1 / sx, 1 / sy) * toWindow.inverted());
    QPainterPath shape;
    const qreal r = std::min(radius, std::min(size.width(), size.height()) / 2);
    shape.addRoundedRect(QRectF(QPointF(0, 0), size), r, r);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->fillPath(shape, brush);
}

void GlassBackdropRegion::paint(QPainter* painter)
{
    const GlassSource& source = GlassSource::shared();
    m_paintedAt = mapToScene(QPointF(0, 0));
    // A surface inside a sheet or dialog lies on that opaque card: the window's backdrop there
    // would cut a window through the card and its dimming.
    if (onOverlay())
        return;
    ++*m_paints;
    paintRegion(painter, source.image(), source.windowSize(),
                QTransform::fromTranslate(m_paintedAt.x(), m_paintedAt.y()), size(), m_radius);
}

namespace {

// Draws the region with the software renderer's own painter, which the renderer has already
// placed and clipped for this frame's damage; the image is the shared blurred copy itself.
class DirectGlassNode : public QSGRenderNode {
public:
    explicit DirectGlassNode(QQuickWindow* window)
        : m_window(window)
    {
    }

    void render(const RenderState* state) override
    {
        auto* painter = static_cast<QPainter*>(
            m_window->rendererInterface()->getResource(m_window, QSGRendererInterface::PainterResource));
        // The damage of this frame that the item covers, in window pixels; none where a clipping
        // parent hides the item (a list's rows beyond its edge).
        const QRegion* damage = state->clipRegion();
        if (!painter || !damage || damage->isEmpty())
            return;
        ++*paints;
        painter->setClipRegion(*damage, Qt::ReplaceClip);
        const QTransform toWindow = matrix()->toTransform();
        painter->setTransform(toWindow);
        painter->setOpacity(inheritedOpacity());
        GlassBackdropRegion::paintRegion(painter, image, windowSize, toWindow, size, radius);
    }

    StateFlags changedStates() const override { return {}; }
    RenderingFlags flags() const override { return BoundedRectRendering; }
    QRectF rect() const override { return QRectF(QPointF(0, 0), size); }

    QImage image;
    QSizeF windowSize;
    QSizeF size;
    qreal radius = 0;
    std::shared_ptr<std::atomic<int>> paints;

private:
    QQuickWindow* m_window;
};

} // namespace

bool GlassBackdropRegion::drawsDirectly() const
{
    return window() && window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
}

QSGNode* GlassBackdropRegion::updatePaintNode(QSGNode* old, UpdatePaintNodeData* data)
{
    if (!drawsDirectly())
        return QQuickPaintedItem::updatePaintNode(old, data);
    const GlassSource& source = GlassSource::shared();
    if (onOverlay() || !source.available() || width() <= 0 || height() <= 0) {
        delete old;
        return nullptr;
    }
    auto* node = static_cast<DirectGlassNode*>(old);
    if (!node) {
        node = new DirectGlassNode(window());
        node->paints = m_paints;
    }
    node->image = source.image();
    node->windowSize = source.windowSize();
    node->size = size();
    node->radius = m_radius;
    node->markDirty(QSGNode::DirtyGeometry | QSGNode::DirtyMaterial);
    return node;
}

void GlassBackdropRegion::itemChange(ItemChange change, const ItemChangeData& data)
{
    QQuickPaintedItem::itemChange(change, data);
    if (change == ItemSceneChange)
        follow(data.window);
}

void GlassBackdropRegion::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        update();
}

void GlassBackdropRegion::follow(QQuickWindow* window)
{
    disconnect(m_frames);
    if (window)
        m_frames = connect(window, &QQuickWindow::afterAnimating, this, &GlassBackdropRegion::checkPlace);
}

void GlassBackdropRegion::checkPlace()
{
    // Drawn directly, the region is taken at whatever place each frame gives it. Which backend
    // draws is only sure once frames are drawn.
    if (drawsDirectly()) {
        disconnect(m_frames);
        return;
    }
    // Runs only when a frame is drawn anyway; a surface whose place in the window moved with
    // that frame paints its region again.
    if (!isVisible() || !GlassSource::shared().available())
        return;
    if (mapToScene(QPointF(0, 0)) == m_paintedAt)
        return;
    // Outside the window or a clipping parent (a list's rows kept beyond its edge) nothing of it
    // shows; it paints when it moves into view, since its place then differs from the one painted.
    QRectF shown(0, 0, window()->width(), window()->height());
    for (QQuickItem* up = parentItem(); up && !shown.isEmpty(); up = up->parentItem()) {
        if (up->clip())
            shown &= up->mapRectToScene(up->clipRect());
    }
    if (!mapRectToScene(QRectF(0, 0, width(), height())).intersects(shown))
        return;
    update();
}

} // namespace roror
