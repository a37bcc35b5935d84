#include "app/kit/CapsuleBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace roror {

namespace {

QPainterPath capsule(const QRectF& rect)
{
    QPainterPath path;
    const qreal radius = std::min(rect.width(), rect.height()) / 2;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

} // namespace

CapsuleBar::CapsuleBar(QQuickItem* parent)
    : PaintedDrawing(parent)
{
}

void CapsuleBar::paint(QPainter* painter)
{
    const QRectF bounds(0, 0, width(), height());
    if (bounds.isEmpty())
        return;
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    painter->setClipPath(capsule(bounds));
    painter->fillRect(bounds, m_trackColor);
    if (m_fillWidth > 0) {
        const QRectF fill(m_fillX, 0, m_fillWidth, height());
        if (m_fillFades) {
            QLinearGradient gradient(fill.topLeft(), fill.topRight());
            QColor clear = m_fillColor;
            clear.setAlpha(0);
            gradient.setColorAt(0, clear);
            gradient.setColorAt(0.5, m_fillColor);
            gradient.setColorAt(1, clear);
            painter->setBrush(gradient);
        } else {
            painter->setBrush(m_fillColor);
        }
        painter->drawPath(capsule(fill));
    }
    if (m_markWidth > 0) {
        painter->setBrush(m_markColor);
        painter->drawPath(capsule(QRectF(m_markX, 0, m_markWidth, height())));
    }
}

} // namespace roror
