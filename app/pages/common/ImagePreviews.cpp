#include "app/pages/common/ImagePreviews.h"

#include <QCache>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QQmlEngine>
#include <QQuickImageProvider>
#include <atomic>

namespace roror {

namespace {

// Decoded pictures, in kilobytes (previews are small; a window background is a few megabytes).
constexpr int cacheLimitKb = 96 * 1024;

struct Cache {
    QMutex mutex;
    QCache<QString, QImage> pictures{cacheLimitKb};
    QHash<QString, bool> readable;
    std::atomic<int> decodes{0};
};

Cache& cache()
{
    static Cache shared;
    return shared;
}

QString keyOf(const QString& path, int revision, QSize box, ImagePreviews::Scaling scaling, qreal radius)
{
    return QStringLiteral("%1|%2|%3x%4|%5|%6")
        .arg(scaling == ImagePreviews::Scaling::fill ? 1 : 0)
        .arg(revision)
        .arg(box.width())
        .arg(box.height())
        .arg(radius)
        .arg(path);
}

// The picture centred in a transparent box and clipped to the box's rounded rectangle.
QImage rounded(const QImage& picture, QSize box, qreal radius)
{
    QImage tile(box, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF at((box.width() - picture.width()) / 2.0, (box.height() - picture.height()) / 2.0);
    QPainterPath tileShape;
    tileShape.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(box)), radius, radius);
    QPainterPath pictureArea;
    pictureArea.addRect(QRectF(at, QSizeF(picture.size())));
    QBrush brush(picture);
    brush.setTransform(QTransform::fromTranslate(at.x(), at.y()));
    painter.fillPath(tileShape.intersected(pictureArea), brush);
    return tile;
}

QImage decode(const QString& path, QSize box, ImagePreviews::Scaling scaling)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && box.isValid() && !box.isEmpty()) {
        // The reader reports the stored size; a quarter turn from the orientation tag swaps it.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            size.transpose();
        QSize target = size.scaled(
            box, scaling == ImagePreviews::Scaling::fill ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
        target = target.expandedTo(QSize(1, 1));
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            target.transpose();
        reader.setScaledSize(target);
    }
    return reader.read();
}

class PreviewProvider : public QQuickImageProvider {
public:
    PreviewProvider()
        : QQuickImageProvider(QQuickImageProvider::Image)
    {
    }

    // id: "<fit|fill>/<revision>/<corner radius>/<percent-encoded path>"
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override
    {
        const QString scaling = id.section(QLatin1Char('/'), 0, 0);
        const int revision = id.section(QLatin1Char('/'), 1, 1).toInt();
        const qreal radius = id.section(QLatin1Char('/'), 2, 2).toDouble();
        const QString path = QUrl::fromPercentEncoding(id.section(QLatin1Char('/'), 3).toUtf8());
        QImage image = ImagePreviews::picture(
            path, revision, requestedSize,
            scaling == QLatin1String("fill") ? ImagePreviews::Scaling::fill : ImagePreviews::Scaling::fit, radius);
        if (image.isNull()) {
            // An empty answer would be reported as a load error; the view shows its placeholder.
            image = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        if (size)
            *size = image.size();
        return image;
    }
};

} // namespace

ImagePreviews::ImagePreviews(QObject* parent)
    : QObject(parent)
{
}

ImagePreviews* ImagePreviews::create(QQmlEngine* engine, QJSEngine*)
{
    install(engine);
    auto* previews = new ImagePreviews;
    QQmlEngine::setObjectOwnership(previews, QQmlEngine::JavaScriptOwnership);
    return previews;
}

void ImagePreviews::install(QQmlEngine* engine)
{
    if (engine && !engine->imageProvider(QString::fromLatin1(providerId)))
        engine->addImageProvider(QString::fromLatin1(providerId), new PreviewProvider);
}

QImage ImagePreviews::picture(const QString& path, int revision, QSize box, Scaling scaling, qreal cornerRadius)
{
    if (path.isEmpty())
        return QImage();
    Cache& shared = cache();
    const QString key = keyOf(path, revision, box, scaling, cornerRadius);
    {
        QMutexLocker lock(&shared.mutex);
        if (const QImage* known = shared.pictures.object(key))
            return *known;
    }
    QImage image = decode(path, box, scaling);
    ++shared.decodes;
    if (!image.isNull() && cornerRadius > 0 && box.isValid() && !box.isEmpty())
        image = rounded(image, box, cornerRadius * std::min(box.width(), box.height()));
    QMutexLocker lock(&shared.mutex);
    const qsizetype kb = std::max<qsizetype>(1, image.sizeInBytes() / 1024);
    shared.pictures.insert(key, new QImage(image), int(std::min<qsizetype>(kb, cacheLimitKb)));
    return image;
}

int ImagePreviews::decodeCount()
{
    return cache().decodes.load();
}

bool ImagePreviews::readable(const QString& path, int revision)
{
    if (path.isEmpty())
        return false;
    Cache& shared = cache();
    const QString key = QString::number(revision) + QLatin1Char('|') + path;
    {
        QMutexLocker lock(&shared.mutex);
        const auto known = shared.readable.constFind(key);
        if (known != shared.readable.constEnd())
            return *known;
    }
    QImageReader reader(path);
    const bool ok = reader.canRead() && reader.size().isValid() && !reader.size().isEmpty();
    QMutexLocker lock(&shared.mutex);
    shared.readable.insert(key, ok);
    return ok;
}

void ImagePreviews::clearCache()
{
    QMutexLocker lock(&cache().mutex);
    cache().pictures.clear();
    cache().readable.clear();
}

QUrl ImagePreviews::source(const QString& path, int revision, const QString& scaling, qreal cornerRadius) const
{
    if (path.isEmpty())
        return QUrl();
    const QString mode = scaling == QLatin1String("fill") ? QStringLiteral("fill") : QStringLiteral("fit");
    return QUrl(QStringLiteral("image://%1/%2/%3/%4/%5")
                    .arg(QString::fromLatin1(providerId), mode)
                    .arg(revision)
                    .arg(cornerRadius)
                    .arg(QString::fromLatin1(QUrl::toPercentEncoding(path))));
}

} // namespace roror
