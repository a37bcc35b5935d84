#include "app/kit/SymbolSvg.h"

#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QQuickWindow>
#include <QSvgRenderer>
#include <cmath>
#include <memory>

namespace roror {

SymbolSvg::SymbolSvg(QQuickItem* parent)
    : PaintedDrawing(parent)
{
}

namespace {

// Each vector image is parsed once; a few dozen small files stay parsed for the program's life.
// Painting may run on the render thread, so the parsed images are used under one lock.
QMutex parsedMutex;
QHash<QString, std::shared_ptr<QSvgRenderer>> parsedImages;

// Rows of a list show the same few symbols in the same size and tint: each is drawn once and
// the image shared. The key is the source, the pixel size and the colour.
struct DrawnKey {
    QString source;
    int pixels;
    QRgb color;
    bool operator==(const DrawnKey&) const = default;
};
size_t qHash(const DrawnKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.source, key.pixels, key.color);
}
QHash<DrawnKey, QImage> drawnImages;
constexpr qsizetype kDrawnImagesKept = 256;

} // namespace

QImage SymbolSvg::render(const QString& source, int pixels, const QColor& color)
{
    const QMutexLocker lock(&parsedMutex);
    const DrawnKey key{source, pixels, color.rgba()};
    if (const auto found = drawnImages.constFind(key); found != drawnImages.cend())
        return *found;
    std::shared_ptr<QSvgRenderer>& parsed = parsedImages[source];
    if (!parsed)
        parsed = std::make_shared<QSvgRenderer>(source);
    QSvgRenderer& renderer = *parsed;
    if (!renderer.isValid() || pixels <= 0)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    if (drawnImages.size() >= kDrawnImagesKept)
        drawnImages.clear();
    drawnImages.insert(key, image);
    return image;
}

void SymbolSvg::paint(QPainter* painter)
{
    const qreal side = std::min(width(), height());
    if (side <= 0 || m_source.isEmpty())
        return;
    const qreal scale = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const int pixels = int(std::ceil(side * scale));
    if (m_drawn.width() != pixels || m_drawnSource != m_source || m_drawnColor != m_color.rgba()) {
        m_drawn = render(m_source, pixels, m_color);
        m_drawnSource = m_source;
        m_drawnColor = m_color.rgba();
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(QRectF((width() - side) / 2, (height() - side) / 2, side, side), m_drawn);
}

} // namespace roror
