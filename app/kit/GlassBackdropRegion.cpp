#include "app/kit/GlassBackdropRegion.h"

#include "app/kit/GlassSource.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>

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

void GlassBackdropRegion::paint(QPainter* painter)
{
    const GlassSource& source = GlassSource::shared();
    m_paintedAt = mapToScene(QPointF(0, 0));
    // A surface inside a sheet or dialog lies on that opaque card: the window's backdrop there
    // would cut a window through the card and its dimming.
    if (onOverlay())
        return;
    const QImage image = source.image();
    const QSizeF window = source.windowSize();
    if (image.isNull() || window.isEmpty() || width() <= 0 || height() <= 0)
        return;
    const qreal sx = image.width() / window.width();
    const qreal sy = image.height() / window.height();
    // Maps the blurred copy (window coordinates times the reduction) onto this item.
    QBrush brush(image);
    brush.setTransform(QTransform::fromScale(1 / sx, 1 / sy)
                       * QTransform::fromTranslate(-m_paintedAt.x(), -m_paintedAt.y()));
    QPainterPath shape;
    const qreal r = std::min(m_radius, std::min(width(), height()) / 2);
    shape.addRoundedRect(QRectF(0, 0, width(), height()), r, r);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->fillPath(shape, brush);
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
