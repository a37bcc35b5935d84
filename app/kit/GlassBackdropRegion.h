#pragma once

#include <QMetaObject>
#include <QPointF>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

namespace roror {

// Paints the region of the blurred backdrop (GlassSource) that lies under this item, in a
// rounded rectangle of `radius`. It follows its own place in the window: when a frame moves it
// (scrolling, layout), it paints again; while nothing moves it never repaints. Inside a popup it
// paints nothing: the popup's own card is the surface there.
class GlassBackdropRegion : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit GlassBackdropRegion(QQuickItem* parent = nullptr);

    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);

    void paint(QPainter* painter) override;

signals:
    void radiusChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;

private:
    // Inside a popup (sheet, dialog) placed on the window's overlay.
    bool onOverlay() const;
    void follow(QQuickWindow* window);
    void checkPlace();

    qreal m_radius = 0;
    QPointF m_paintedAt;
    QMetaObject::Connection m_frames;
};

} // namespace roror
