#include "app/kit/RingGaugeArc.h"
#include "app/kit/PaintedDrawing.h"

#include <QConicalGradient>
#include <QPainter>
#include <cmath>

namespace roror {

RingGaugeArc::RingGaugeArc(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

qreal RingGaugeArc::clamped(qreal value)
{
    if (std::isnan(value) || value <= 0)
        return 0;
    return value >= 1 ? 1 : value;
}

void RingGaugeArc::setProgress(qreal progress)
{
    if (progress == m_progress)
        return;
    m_progress = progress;
    emit progressChanged();
    const qreal before = clamped(m_paintedProgress);
    const qreal after = clamped(progress);
    const qreal circumference = M_PI * std::min(width(), height());
    // A quarter pixel along the ring is the least a repaint can show; reaching or leaving an empty
    // ring always shows.
    if (std::abs(after - before) * circumference < 0.25 && (before == 0) == (after == 0))
        return;
    m_paintedProgress = progress;
    update();
}

void RingGaugeArc::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    emit colorChanged();
    update();
}

void RingGaugeArc::setTrackColor(const QColor& color)
{
    if (color == m_trackColor)
        return;
    m_trackColor = color;
    emit trackColorChanged();
    update();
}

void RingGaugeArc::setLineWidth(qreal width)
{
    if (width == m_lineWidth)
        return;
    m_lineWidth = width;
    emit lineWidthChanged();
    update();
}

void RingGaugeArc::paint(QPainter* painter)
{
    const qreal side = std::min(width(), height());
    if (side <= 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing, true);
    const qreal inset = m_lineWidth / 2;
    const QRectF ring(QPointF((width() - side) / 2 + inset, (height() - side) / 2 + inset),
                      QSizeF(side - m_lineWidth, side - m_lineWidth));

    painter->setPen(QPen(m_trackColor, m_lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(ring);

    const qreal p = clamped(m_progress);
    if (p <= 0)
        return;
    // Qt's conical gradient runs counter-clockwise from its angle; the gauge's runs clockwise
    // from 9 o'clock, so the stops are mirrored.
    QConicalGradient gradient(ring.center(), 180);
    gradient.setColorAt(0, PaintedDrawing::withOpacity(m_color, 0.68));
    gradient.setColorAt(0.5, PaintedDrawing::withOpacity(m_color, 0.82));
    gradient.setColorAt(1, PaintedDrawing::withOpacity(m_color, 0.45));
    QPen pen(QBrush(gradient), m_lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter->setPen(pen);
    // Angles in sixteenths of a degree, counter-clockwise from 3 o'clock: start at 12, go clockwise.
    painter->drawArc(ring, 90 * 16, -int(std::lround(p * 360 * 16)));
}

} // namespace roror
