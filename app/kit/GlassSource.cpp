#include "app/kit/GlassSource.h"

#include <QImageReader>
#include <QQmlEngine>
#include <QQuickImageProvider>
#include <algorithm>
#include <cmath>

namespace roror {

namespace {

// The decoded background is kept no larger than this; the blurred copy is far smaller anyway.
constexpr int decodeLimit = 1024;
constexpr int blurRadius = 6;

class GlassImageProvider : public QQuickImageProvider {
public:
    GlassImageProvider()
        : QQuickImageProvider(QQuickImageProvider::Image)
    {
    }

    QImage requestImage(const QString&, QSize* size, const QSize& requestedSize) override
    {
        QImage image = GlassSource::shared().image();
        if (image.isNull()) {
            image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        if (requestedSize.isValid() && !requestedSize.isEmpty())
            image = image.scaled(requestedSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (size)
            *size = image.size();
        return image;
    }
};

QSize reducedSize(QSizeF windowSize)
{
    return QSize(std::max(1, int(std::ceil(windowSize.width() / GlassSource::reduction))),
                 std::max(1, int(std::ceil(windowSize.height() / GlassSource::reduction))));
}

// One horizontal box pass over premultiplied ARGB rows, edges clamped, from `in` into `out`.
void boxPass(const QImage& in, QImage& out, int radius)
{
    const int w = in.width();
    const int h = in.height();
    const int window = 2 * radius + 1;
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        int sum[4] = {0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i) {
            const QRgb p = src[std::clamp(i, 0, w - 1)];
            sum[0] += qAlpha(p), sum[1] += qRed(p), sum[2] += qGreen(p), sum[3] += qBlue(p);
        }
        for (int x = 0; x < w; ++x) {
            dst[x] = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            const QRgb gone = src[std::clamp(x - radius, 0, w - 1)];
            const QRgb next = src[std::clamp(x + radius + 1, 0, w - 1)];
            sum[0] += qAlpha(next) - qAlpha(gone);
            sum[1] += qRed(next) - qRed(gone);
            sum[2] += qGreen(next) - qGreen(gone);
            sum[3] += qBlue(next) - qBlue(gone);
        }
    }
}

} // namespace

GlassSource::GlassSource(QObject* parent)
    : QObject(parent)
{
}

GlassSource& GlassSource::shared()
{
    static GlassSource* instance = new GlassSource;
    return *instance;
}

GlassSource* GlassSource::create(QQmlEngine* engine, QJSEngine*)
{
    GlassSource* source = &shared();
    QQmlEngine::setObjectOwnership(source, QQmlEngine::CppOwnership);
    if (engine && !engine->imageProvider(QString::fromLatin1(providerId)))
        engine->addImageProvider(QString::fromLatin1(providerId), new GlassImageProvider);
    return source;
}

void GlassSource::setDesktopShown(bool value)
{
    if (m_desktopShown == value)
        return;
    m_desktopShown = value;
    emit desktopShownChanged();
}

void GlassSource::setHasCustomWindowBackground(bool value)
{
    if (m_hasCustomWindowBackground == value)
        return;
    m_hasCustomWindowBackground = value;
    emit hasCustomWindowBackgroundChanged();
}

void GlassSource::setBackdropFile(const QString& path, int fileRevision, const QSizeF& windowSize)
{
    if (path.isEmpty()) {
        clear();
        return;
    }
    bool newSource = false;
    if (path != m_path || fileRevision != m_fileRevision) {
        newSource = true;
        m_path = path;
        m_fileRevision = fileRevision;
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QSize full = reader.size();
        if (full.isValid() && std::max(full.width(), full.height()) > decodeLimit)
            reader.setScaledSize(full.scaled(decodeLimit, decodeLimit, Qt::KeepAspectRatio));
        m_source = reader.read();
    }
    if (m_source.isNull() || windowSize.isEmpty()) {
        publish(QImage(), windowSize);
        return;
    }
    if (!newSource && windowSize == m_windowSize && !m_blurred.isNull())
        return;
    publish(glassCopy(m_source, windowSize), windowSize);
}

void GlassSource::setBackdropImage(const QImage& picture, const QSizeF& windowSize, bool smooth)
{
    m_path.clear();
    m_fileRevision = -1;
    m_source = QImage();
    publish(picture.isNull() || windowSize.isEmpty() ? QImage() : glassCopy(picture, windowSize, smooth), windowSize);
}

void GlassSource::clear()
{
    m_path.clear();
    m_fileRevision = -1;
    m_source = QImage();
    publish(QImage(), m_windowSize);
}

void GlassSource::publish(QImage blurredCopy, QSizeF windowSize)
{
    if (blurredCopy.isNull() && m_blurred.isNull() && windowSize == m_windowSize)
        return;
    m_blurred = std::move(blurredCopy);
    m_windowSize = windowSize;
    ++m_revision;
    emit changed();
}

QImage GlassSource::filled(const QImage& source, QSize size)
{
    if (source.isNull() || size.isEmpty())
        return QImage();
    const QSize covering = source.size().scaled(size, Qt::KeepAspectRatioByExpanding);
    const QImage scaled = source.scaled(covering, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect crop((covering.width() - size.width()) / 2, (covering.height() - size.height()) / 2, size.width(),
                     size.height());
    return scaled.copy(crop).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage GlassSource::blurred(const QImage& image, int radius)
{
    if (image.isNull() || radius <= 0)
        return image;
    QImage a = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage b(a.size(), a.format());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(a, b, radius);
        std::swap(a, b);
    }
    // The vertical passes are horizontal passes over the transposed picture.
    QImage t = a.transformed(QTransform(0, 1, 1, 0, 0, 0));
    QImage u(t.size(), t.format());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(t, u, radius);
        std::swap(t, u);
    }
    return t.transformed(QTransform(0, 1, 1, 0, 0, 0));
}

QImage GlassSource::glassCopy(const QImage& backdrop, QSizeF windowSize, bool smooth)
{
    if (backdrop.isNull() || windowSize.isEmpty())
        return QImage();
    const QImage reduced = filled(backdrop, reducedSize(windowSize));
    return smooth ? reduced : blurred(reduced, blurRadius);
}

} // namespace roror
