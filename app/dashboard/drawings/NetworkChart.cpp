#include "app/dashboard/drawings/NetworkChart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace roror {

NetworkChart::NetworkChart(QQuickItem* parent)
    : PaintedDrawing(parent)
{
}

void NetworkChart::paintSeries(QPainter* painter, bool download, const QColor& color) const
{
    const qreal w = width();
    const qreal h = height();
    // A pen's dash lengths count in line widths, but never in less than one pixel: at a width
    // of 0.5 these are 2 and 3 points.
    QPen midline(m_midlineColor, 0.5, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    midline.setDashPattern({2, 3});
    midline.setMiterLimit(10);
    painter->setPen(midline);
    painter->setBrush(Qt::NoBrush);
    painter->drawLine(QPointF(0, h * 0.5), QPointF(w, h * 0.5));

    const QList<QPointF> points = m_body.linePoints(download, w, h);
    if (points.size() < 2) {
        QPen flat(withOpacity(color, 0.6), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
        flat.setMiterLimit(10);
        painter->setPen(flat);
        painter->drawLine(QPointF(0, h - 1), QPointF(w, h - 1));
        return;
    }
    QPainterPath area(QPointF(0, h));
    QPainterPath line(points.first());
    for (qsizetype i = 0; i < points.size(); ++i) {
        area.lineTo(points[i]);
        if (i > 0)
            line.lineTo(points[i]);
    }
    area.lineTo(w, h);
    area.closeSubpath();
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, withOpacity(color, 0.28));
    fill.setColorAt(1, withOpacity(color, 0.02));
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawPath(area);
    QPen stroke(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    stroke.setMiterLimit(10);
    painter->setPen(stroke);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(line);
}

void NetworkChart::paint(QPainter* painter)
{
    if (width() <= 0 || height() <= 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing, true);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, width(), height()), cornerRadius, cornerRadius);
    painter->setClipPath(clip);
    paintSeries(painter, true, m_downColor);
    paintSeries(painter, false, m_upColor);
}

} // namespace roror
