#pragma once

#include "app/dashboard/drawings/NetworkVisualBody.h"
#include "app/kit/PaintedDrawing.h"

namespace roror {

// The Network card's chart: the download series under the upload series, each with its faint
// dashed midline, its area and its line (or a flat line below two samples), against the card's
// shared peak, all clipped to a rounded rectangle of radius 6. It repaints only when the body
// or a colour changes.
class NetworkChart : public roror::PaintedDrawing {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(roror::NetworkVisualBody body MEMBER m_body WRITE setBody NOTIFY appearanceChanged)
    Q_PROPERTY(QColor downColor MEMBER m_downColor WRITE setDownColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor upColor MEMBER m_upColor WRITE setUpColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor midlineColor MEMBER m_midlineColor WRITE setMidlineColor NOTIFY appearanceChanged)

public:
    static constexpr qreal cornerRadius = 6;

    explicit NetworkChart(QQuickItem* parent = nullptr);

    void setBody(const NetworkVisualBody& body) { assign(m_body, body); }
    void setDownColor(const QColor& color) { assign(m_downColor, color); }
    void setUpColor(const QColor& color) { assign(m_upColor, color); }
    void setMidlineColor(const QColor& color) { assign(m_midlineColor, color); }

    void paint(QPainter* painter) override;

private:
    void paintSeries(QPainter* painter, bool download, const QColor& color) const;

    NetworkVisualBody m_body;
    QColor m_downColor = Qt::blue;
    QColor m_upColor = Qt::green;
    QColor m_midlineColor = Qt::transparent;
};

} // namespace roror
