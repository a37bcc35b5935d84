#include "app/shell/BackdropPainter.h"

#include "app/kit/GlassSource.h"

#include <QImageReader>
#include <QList>
#include <QtConcurrent/QtConcurrentMap>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <vector>

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

void paintBackdropBase(QPainter& painter, const QSizeF& size, const BackdropLayers& layers)
{
    const QRectF all(QPointF(0, 0), size);
    if (!layers.image.isNull()) {
        painter.fillRect(all, layers.base);
        drawCovering(painter, size, layers.image);
        painter.fillRect(all, withAlpha(layers.base, backdropImageVeilOpacity));
    } else if (!layers.desktop.isNull()) {
        drawCovering(painter, size, layers.desktop);
        painter.fillRect(all, withAlpha(layers.base, desktopVeilOpacity));
    } else {
        painter.fillRect(all, layers.base);
    }
}

void paintBackdropLight(QPainter& painter, const QSizeF& size, const BackdropLayers& layers)
{
    const QRectF all(QPointF(0, 0), size);
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

} // namespace

QImage renderBackdrop(const QSize& pixels, qreal ratio, const BackdropLayers& layers)
{
    if (pixels.isEmpty())
        return {};
    const QSizeF size = QSizeF(pixels) / ratio;

    // Base colour and image at full size and 8 bits: they have edges but no soft ramps.
    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    const bool pictures = !layers.image.isNull() || !layers.desktop.isNull();
    if (!pictures) {
        out.fill(layers.base);
    } else {
        // Scaled by hand rather than through the image's pixel ratio, which may be below 1 for a
        // reduced copy.
        QPainter painter(&out);
        painter.scale(ratio, ratio);
        paintBackdropBase(painter, size, layers);
    }

    // Aura and sheen change over hundreds of pixels by a few colour steps: painted small at 16 bits,
    // then stretched and dithered over the base, so they neither band nor cost a full-size pass.
    constexpr int step = 4;
    const QSize lightPixels((pixels.width() + step - 1) / step + 1, (pixels.height() + step - 1) / step + 1);
    QImage light(lightPixels, QImage::Format_RGBA64_Premultiplied);
    light.fill(Qt::transparent);
    {
        QPainter painter(&light);
        painter.scale(qreal(lightPixels.width() - 1) / size.width(), qreal(lightPixels.height() - 1) / size.height());
        paintBackdropLight(painter, size, layers);
    }

    // Stretch: per column the left neighbour and its weight (of 256), once; per row the two rows
    // blended into one, then each pixel blends two neighbours of that row.
    const int lw = lightPixels.width();
    const qreal sx = qreal(lw - 1) / pixels.width();
    const qreal sy = qreal(lightPixels.height() - 1) / pixels.height();
    std::vector<int> left(size_t(pixels.width()));
    std::vector<quint32> weight(size_t(pixels.width()));
    for (int x = 0; x < pixels.width(); ++x) {
        // Light pixel i holds the colour at its centre, i + 0.5.
        const qreal fx = std::max<qreal>(0, (x + 0.5) * sx - 0.5);
        left[size_t(x)] = std::min(int(fx), lw - 2);
        weight[size_t(x)] = quint32((fx - left[size_t(x)]) * 256);
    }
    // Ordered dither with a 4x4 Bayer matrix: the threshold decides whether the lost low byte
    // rounds up, so neighbouring pixels mix the two nearest steps.
    static constexpr quint32 bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    // Taken once: scanLine() on a shared-looking image would detach from several threads at once.
    uchar* const bits = out.bits();
    const qsizetype stride = out.bytesPerLine();
    // An opaque base colour without an image: the common case, with a shorter path below.
    const bool flatBase = !pictures && layers.base.alpha() == 255;
    const quint32 base16[3]
        = {quint32(layers.base.red()) * 257u, quint32(layers.base.green()) * 257u, quint32(layers.base.blue()) * 257u};
    const auto rows = [&](int from, int to) {
        // 16-bit channels of the light, blended between two rows: r, g, b, a per light pixel.
        std::vector<qint32> row(size_t(lw) * 4);
        for (int y = from; y < to; ++y) {
            const qreal fy = std::max<qreal>(0, (y + 0.5) * sy - 0.5);
            const int y0 = std::min(int(fy), lightPixels.height() - 2);
            const qint32 wy = qint32((fy - y0) * 256);
            const auto* top = reinterpret_cast<const QRgba64*>(light.constScanLine(y0));
            const auto* bottom = reinterpret_cast<const QRgba64*>(light.constScanLine(y0 + 1));
            // Without the aura one light pixel stands for the whole row (see below).
            const int blended = flatBase && !layers.score ? 1 : lw;
            for (int i = 0; i < blended; ++i) {
                qint32* r = &row[size_t(i) * 4];
                r[0] = top[i].red() + (((bottom[i].red() - qint32(top[i].red())) * wy) >> 8);
                r[1] = top[i].green() + (((bottom[i].green() - qint32(top[i].green())) * wy) >> 8);
                r[2] = top[i].blue() + (((bottom[i].blue() - qint32(top[i].blue())) * wy) >> 8);
                r[3] = top[i].alpha() + (((bottom[i].alpha() - qint32(top[i].alpha())) * wy) >> 8);
            }
            // Adding 255 - threshold before dropping the low byte rounds up exactly when the low
            // byte exceeds the threshold (8..248 of 256).
            qint32 round[4];
            for (int k = 0; k < 4; ++k)
                round[k] = 255 - qint32(bayer[y & 3][k] * 16 + 8);
            auto* line = reinterpret_cast<QRgb*>(bits + stride * y);
            if (flatBase && !layers.score) {
                // Without the aura the light (the sheen) is the same across a row: four dithered
                // pixels repeat along it.
                const qint32* p = row.data();
                const quint32 keep = quint32(65535 - p[3]);
                QRgb pattern[4];
                for (int k = 0; k < 4; ++k) {
                    const auto down = [&](int c) {
                        return std::min(255, (p[c] + qint32((base16[c] * keep) >> 16) + round[k]) >> 8);
                    };
                    pattern[k] = qRgb(down(0), down(1), down(2));
                }
                for (int x = 0; x < pixels.width(); ++x)
                    line[x] = pattern[x & 3];
                continue;
            }
            if (flatBase) {
                // Under a flat base the light is laid over it once per light pixel; each pixel then
                // only blends two finished colours and dithers.
                for (int i = 0; i < lw; ++i) {
                    qint32* r = &row[size_t(i) * 4];
                    const quint32 keep = quint32(65535 - r[3]);
                    r[0] += qint32((base16[0] * keep) >> 16);
                    r[1] += qint32((base16[1] * keep) >> 16);
                    r[2] += qint32((base16[2] * keep) >> 16);
                }
                // Restricted pointers: the pixels written never alias the light read.
                const qint32* __restrict light16 = row.data();
                const int* __restrict from = left.data();
                const quint32* __restrict by = weight.data();
                QRgb* __restrict to = line;
                const int width = pixels.width();
                for (int x = 0; x < width; ++x) {
                    const qint32* p = light16 + from[x] * 4;
                    const qint32 wx = qint32(by[x]);
                    const qint32 rd = round[x & 3];
                    const qint32 r = std::min(255, (p[0] + (((p[4] - p[0]) * wx) >> 8) + rd) >> 8);
                    const qint32 g = std::min(255, (p[1] + (((p[5] - p[1]) * wx) >> 8) + rd) >> 8);
                    const qint32 b = std::min(255, (p[2] + (((p[6] - p[2]) * wx) >> 8) + rd) >> 8);
                    to[x] = 0xff000000u | (quint32(r) << 16) | (quint32(g) << 8) | quint32(b);
                }
                continue;
            }
            for (int x = 0; x < pixels.width(); ++x) {
                const qint32* p = &row[size_t(left[size_t(x)]) * 4];
                const qint32 wx = qint32(weight[size_t(x)]);
                const qint32 lr = p[0] + (((p[4] - p[0]) * wx) >> 8);
                const qint32 lg = p[1] + (((p[5] - p[1]) * wx) >> 8);
                const qint32 lb = p[2] + (((p[6] - p[2]) * wx) >> 8);
                const qint32 la = p[3] + (((p[7] - p[3]) * wx) >> 8);
                // Light over base ("source over", premultiplied) at 16 bits; a 16-bit base times a
                // 16-bit remainder fits in 32 unsigned bits.
                const quint32 keep = quint32(65535 - la);
                const QRgb d = line[x];
                const qint32 rd = round[x & 3];
                const auto under = [keep](int base8) { return qint32((quint32(base8) * 257u * keep) >> 16); };
                const auto down = [rd](qint32 v) { return std::min(255, (v + rd) >> 8); };
                const qint32 a = down(la + under(qAlpha(d)));
                const qint32 r = down(lr + under(qRed(d)));
                const qint32 g = down(lg + under(qGreen(d)));
                const qint32 b = down(lb + under(qBlue(d)));
                // Premultiplied channels never exceed alpha.
                line[x] = qRgba(std::min(a, r), std::min(a, g), std::min(a, b), a);
            }
        }
    };
    // Bands of rows in parallel: this runs before the window's first frame.
    constexpr int band = 64;
    QList<int> starts;
    for (int y = 0; y < pixels.height(); y += band)
        starts.append(y);
    QtConcurrent::blockingMap(starts, [&](int from) { rows(from, std::min(from + band, pixels.height())); });
    out.setDevicePixelRatio(ratio);
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

QImage blurredDesktopImage(const QString& path, const QSize& windowSize)
{
    constexpr int reduction = 4;
    // A box radius of 8 at a quarter size spreads each point over about 60 window pixels: the
    // desktop reads as colour, not as a picture behind the text.
    constexpr int radius = 8;
    const QSize small((windowSize.width() + reduction - 1) / reduction,
                      (windowSize.height() + reduction - 1) / reduction);
    const QImage picture = readBackdropImage(path, small);
    if (picture.isNull() || small.isEmpty())
        return {};
    return GlassSource::blurred(GlassSource::filled(picture, small), radius);
}

} // namespace roror
