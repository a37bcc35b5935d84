#pragma once

#include <QMetaObject>
#include <QPointF>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

#include <atomic>
#include <memory>

namespace roror {

// Paints the region of the blurred backdrop (GlassSource) that lies under this item, in a
// rounded rectangle of `radius`. Inside a popup it paints nothing: the popup's own card is the
// surface there.
// Under the software scene graph it draws straight into the window with the renderer's painter,
// at whatever place the frame puts it: no picture of its own and no copy per repaint. Under a
// GPU backend it is a painted item that follows its own place in the window: when a frame moves
// it (scrolling, layout), it paints again; while nothing moves it never repaints.
class GlassBackdropRegion : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit GlassBackdropRegion(QQuickItem* parent = nullptr);

    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);

    // How often its region was drawn, on either path: what a moving page costs per frame.
    int paints() const { return m_paints->load(); }

    void paint(QPainter* painter) override;

    // Fills the rounded rectangle `size` x `radius` (item coordinates) with the blurred `image`
    // of a window of `window` size, `toWindow` mapping the item into the window.
    static void paintRegion(QPainter* painter, const QImage& image, QSizeF window, const QTransform& toWindow,
                            QSizeF size, qreal radius);

signals:
    void radiusChanged();

protected:
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;
    void itemChange(ItemChange change, const ItemChangeData& data) override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;

private:
    // Inside a popup (sheet, dialog) placed on the window's overlay.
    bool onOverlay() const;
    bool drawsDirectly() const;
    void follow(QQuickWindow* window);
    void checkPlace();

    qreal m_radius = 0;
    QPointF m_paintedAt;
    QMetaObject::Connection m_frames;
    // Shared with the render node, which may outlive the item.
    std::shared_ptr<std::atomic<int>> m_paints = std::make_shared<std::atomic<int>>(0);
};

} // namespace roror
