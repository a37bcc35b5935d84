#include "app/kit/SymbolSvg.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSvgRenderer>
#include <cmath>

namespace roror {

SymbolSvg::SymbolSvg(QQuickItem* parent)
    : PaintedDrawing(parent)
{
}

QImage SymbolSvg::render(const QString& source, int pixels, const QColor& color)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid() || pixels <= 0)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

void SymbolSvg::paint(QPainter* painter)
{
    const qreal side = std::min(width(), height());
    if (side <= 0 || m_source.isEmpty())
        return;
    const qreal scale = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QImage image = render(m_source, int(std::ceil(side * scale)), m_color);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(QRectF((width() - side) / 2, (height() - side) / 2, side, side), image);
}

} // namespace roror
