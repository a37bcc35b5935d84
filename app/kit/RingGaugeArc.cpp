#include "app/kit/RingGaugeArc.h"
#include "app/kit/PaintedDrawing.h"

#include <QConicalGradient>
#include <QPainter>
#include <QQuickWindow>
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
    // A pixel along the ring is the least a repaint can show; an animation's steps in between
    // draw nothing. Reaching the end of a sweep, or leaving or reaching an empty ring, always shows.
    if (std::abs(after - before) * circumference < 1 && (before == 0) == (after == 0) && progress != m_targetProgress)
        return;
    m_paintedProgress = progress;
    update();
}

void RingGaugeArc::setTargetProgress(qreal progress)
{
    if (progress == m_targetProgress)
        return;
    m_targetProgress = progress;
    emit targetProgressChanged();
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
    m_track = QImage();
    emit trackColorChanged();
    update();
}

void RingGaugeArc::setLineWidth(qreal width)
{
    if (width == m_lineWidth)
        return;
    m_lineWidth = width;
    m_track = QImage();
    emit lineWidthChanged();
    update();
}

namespace {

QRectF ringRect(QSizeF size, qreal lineWidth)
{
    const qreal side = std::min(size.width(), size.height());
    const qreal inset = lineWidth / 2;
    return QRectF(QPointF((size.width() - side) / 2 + inset, (size.height() - side) / 2 + inset),
                  QSizeF(side - lineWidth, side - lineWidth));
}

} // namespace

const QImage& RingGaugeArc::track()
{
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize pixels = (size() * ratio).toSize();
    if (m_track.size() == pixels && m_track.devicePixelRatio() == ratio)
        return m_track;
    m_track = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_track.setDevicePixelRatio(ratio);
    m_track.fill(Qt::transparent);
    QPainter painter(&m_track);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(m_trackColor, m_lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ringRect(size(), m_lineWidth));
    return m_track;
}

void RingGaugeArc::paint(QPainter* painter)
{
    if (std::min(width(), height()) <= 0)
        return;
    // Stroking the full circle anew for each step of a sweep cost more than the arc itself.
    painter->drawImage(QPointF(0, 0), track());

    const qreal p = clamped(m_progress);
    if (p <= 0)
        return;
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QRectF ring = ringRect(size(), m_lineWidth);
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
