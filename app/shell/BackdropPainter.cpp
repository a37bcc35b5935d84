#include "app/shell/BackdropPainter.h"

#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace roror {

AuraTone auraTone(int score)
{
    if (score > 75)
        return AuraTone::mint;
    if (score >= 46)
        return AuraTone::amber;
    return AuraTone::blush;
}

QString toRaw(AuraTone tone)
{
    switch (tone) {
    case AuraTone::mint:
        return QStringLiteral("mint");
    case AuraTone::amber:
        return QStringLiteral("amber");
    case AuraTone::blush:
        return QStringLiteral("blush");
    }
    return {};
}

qreal sheenTopOpacity(bool auraShown)
{
    return auraShown ? 0.06 : 0.1;
}

namespace {

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

// Draws `image` so that it fills `size` with its aspect ratio kept, centred and cropped.
void drawCovering(QPainter& painter, const QSizeF& size, const QImage& image)
{
    const QSizeF source = image.size();
    if (source.isEmpty() || size.isEmpty())
        return;
    const qreal scale = std::max(size.width() / source.width(), size.height() / source.height());
    const QSizeF shown = source * scale;
    const QRectF target((size.width() - shown.width()) / 2, (size.height() - shown.height()) / 2, shown.width(),
                        shown.height());
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), size));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
}

} // namespace

void paintBackdrop(QPainter& painter, const QSizeF& size, const BackdropLayers& layers)
{
    const QRectF all(QPointF(0, 0), size);
    painter.fillRect(all, layers.base);
    if (!layers.image.isNull()) {
        drawCovering(painter, size, layers.image);
        painter.fillRect(all, withAlpha(layers.base, backdropImageVeilOpacity));
    }

    if (layers.score) {
        // Transparent ends keep the colour's own hue, so the fade never greys the window.
        QLinearGradient wash(0, 0, 0, size.height());
        wash.setColorAt(0, withAlpha(layers.auraSoft, 0.38));
        wash.setColorAt(0.5, withAlpha(layers.auraSoft, 0.14));
        wash.setColorAt(1, withAlpha(layers.auraSoft, 0));
        painter.fillRect(all, wash);

        constexpr qreal startRadius = 24;
        constexpr qreal endRadius = 420;
        QRadialGradient orb(QPointF(size.width() * 0.82, size.height() * 0.1), endRadius);
        orb.setColorAt(0, withAlpha(layers.auraOrb, 0.32));
        orb.setColorAt(startRadius / endRadius, withAlpha(layers.auraOrb, 0.32));
        orb.setColorAt((startRadius + endRadius) / 2 / endRadius, withAlpha(layers.auraOrb, 0.08));
        orb.setColorAt(1, withAlpha(layers.auraOrb, 0));
        painter.fillRect(all, orb);
    }

    QLinearGradient sheen(0, 0, 0, size.height());
    sheen.setColorAt(0, withAlpha(Qt::white, sheenTopOpacity(layers.score.has_value())));
    sheen.setColorAt(0.5, withAlpha(Qt::white, 0));
    sheen.setColorAt(0.5001, withAlpha(Qt::black, 0));
    sheen.setColorAt(1, withAlpha(Qt::black, 0.03));
    painter.fillRect(all, sheen);
}

QImage renderBackdrop(const QSize& pixels, qreal ratio, const BackdropLayers& layers)
{
    if (pixels.isEmpty())
        return {};
    QImage deep(pixels, QImage::Format_RGBA64_Premultiplied);
    deep.setDevicePixelRatio(ratio);
    {
        QPainter painter(&deep);
        painter.setRenderHint(QPainter::Antialiasing);
        paintBackdrop(painter, QSizeF(pixels) / ratio, layers);
    }
    // Ordered dither with a 4x4 Bayer matrix: the threshold decides whether the lost low byte
    // rounds up, so neighbouring pixels mix the two nearest steps.
    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(ratio);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgba64*>(deep.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const int threshold = bayer[y & 3][x & 3] * 16 + 8; // 8..248 of 256
            const auto down = [threshold](quint16 v) {
                const int high = v >> 8;
                const int low = v & 0xff;
                return std::min(255, high + (low > threshold ? 1 : 0));
            };
            const QRgba64 c = in[x];
            const int a = down(c.alpha());
            // Premultiplied channels never exceed alpha.
            line[x] = qRgba(std::min(a, down(c.red())), std::min(a, down(c.green())), std::min(a, down(c.blue())), a);
        }
    }
    return out;
}

QImage readBackdropImage(const QString& path, const QSize& cover)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && !cover.isEmpty()) {
        // Decode no larger than needed to cover the area; small images are kept as they are.
        const qreal scale = std::max(qreal(cover.width()) / size.width(), qreal(cover.height()) / size.height());
        if (scale < 1) {
            size = (QSizeF(size) * scale).toSize().expandedTo(QSize(1, 1));
            reader.setScaledSize(size);
        }
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image;
}

} // namespace roror
