#include "app/dashboard/hero/HeroGlow.h"
#include "app/kit/GlassSource.h"

#include <QHash>
#include <QPainter>
#include <QQuickWindow>
#include <QRadialGradient>
#include <cmath>

namespace roror {

HeroGlow::HeroGlow(QQuickItem* parent)
    : PaintedDrawing(parent)
{
    setAcceptedMouseButtons(Qt::NoButton);
}

QImage HeroGlow::render(const QColor& color, qreal centerOpacity, qreal diameter, qreal gradientRadius,
                        qreal blurRadius, qreal scale)
{
    static QHash<QString, QImage> cache;
    const QString key = QStringLiteral("%1/%2/%3/%4/%5/%6")
                            .arg(color.name(QColor::HexArgb))
                            .arg(centerOpacity)
                            .arg(diameter)
                            .arg(gradientRadius)
                            .arg(blurRadius)
                            .arg(scale);
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return *found;

    const qreal spill = 3 * blurRadius;
    const int side = int(std::ceil((diameter + 2 * spill) * scale));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(scale, scale);
        const QPointF centre(spill + diameter / 2, spill + diameter / 2);
        QRadialGradient gradient(centre, gradientRadius);
        gradient.setColorAt(0, withOpacity(color, centerOpacity));
        gradient.setColorAt(1, withOpacity(color, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(centre, diameter / 2, diameter / 2);
    }
    // Three box passes of radius r spread like a Gaussian of deviation about sqrt(r (r + 1)).
    const qreal sigma = blurRadius * scale;
    const int box = int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2));
    image = GlassSource::blurred(image, box);
    // A handful of bands and sizes in practice; a colour that keeps changing must not pile up.
    if (cache.size() >= 16)
        cache.clear();
    cache.insert(key, image);
    return image;
}

void HeroGlow::paint(QPainter* painter)
{
    const qreal scale = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QImage glow = render(m_color, m_centerOpacity, m_diameter, m_gradientRadius, m_blurRadius, scale);
    const qreal side = m_diameter + 2 * spill();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(QRectF((width() - side) / 2, (height() - side) / 2, side, side), glow);
}

} // namespace roror
