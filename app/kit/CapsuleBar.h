#pragma once

#include "app/kit/PaintedDrawing.h"

#include <cmath>

namespace roror {

// A bar clipped as a whole to a capsule: a track filling it, a fill segment and a mark segment,
// each a capsule of its own, cut off where they pass the bar's rounded ends. A fading fill runs
// from clear to `fillColor` and back to clear along its length.
class CapsuleBar : public roror::PaintedDrawing {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor trackColor MEMBER m_trackColor WRITE setTrackColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor fillColor MEMBER m_fillColor WRITE setFillColor NOTIFY appearanceChanged)
    Q_PROPERTY(bool fillFades MEMBER m_fillFades WRITE setFillFades NOTIFY appearanceChanged)
    Q_PROPERTY(qreal fillX MEMBER m_fillX WRITE setFillX NOTIFY appearanceChanged)
    Q_PROPERTY(qreal fillWidth MEMBER m_fillWidth WRITE setFillWidth NOTIFY appearanceChanged)
    Q_PROPERTY(QColor markColor MEMBER m_markColor WRITE setMarkColor NOTIFY appearanceChanged)
    Q_PROPERTY(qreal markX MEMBER m_markX WRITE setMarkX NOTIFY appearanceChanged)
    Q_PROPERTY(qreal markWidth MEMBER m_markWidth WRITE setMarkWidth NOTIFY appearanceChanged)

public:
    explicit CapsuleBar(QQuickItem* parent = nullptr);

    // Geometry is kept in whole pixels: an animation step that moves an edge by less than a pixel
    // changes nothing on screen and so draws no frame.

    void setTrackColor(const QColor& color) { assign(m_trackColor, color); }
    void setFillColor(const QColor& color) { assign(m_fillColor, color); }
    void setFillFades(bool fades) { assign(m_fillFades, fades); }
    void setFillX(qreal x) { assign(m_fillX, std::round(x)); }
    void setFillWidth(qreal width) { assign(m_fillWidth, std::round(width)); }
    void setMarkColor(const QColor& color) { assign(m_markColor, color); }
    void setMarkX(qreal x) { assign(m_markX, std::round(x)); }
    void setMarkWidth(qreal width) { assign(m_markWidth, std::round(width)); }

    void paint(QPainter* painter) override;

private:
    QColor m_trackColor = Qt::transparent;
    QColor m_fillColor = Qt::transparent;
    bool m_fillFades = false;
    qreal m_fillX = 0;
    qreal m_fillWidth = 0;
    QColor m_markColor = Qt::transparent;
    qreal m_markX = 0;
    qreal m_markWidth = 0;
};

} // namespace roror
