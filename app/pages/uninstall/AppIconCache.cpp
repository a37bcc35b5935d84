#include "app/pages/uninstall/AppIconCache.h"

#include "app/pages/uninstall/AppIcon.h"

namespace roror {

AppIconCache::AppIconCache(qsizetype maxBytes)
    : m_images(maxBytes)
{
}

QString AppIconCache::key(const QString& bundlePath, const QSize& size)
{
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height()) + QLatin1Char(':')
        + bundlePath;
}

QImage AppIconCache::image(const QString& bundlePath, const QSize& size)
{
    const QString k = key(bundlePath, size);
    {
        QMutexLocker lock(&m_mutex);
        if (const QImage* cached = m_images.object(k))
            return *cached;
    }
    const QImage decoded = AppIcon::load(bundlePath, size);
    QMutexLocker lock(&m_mutex);
    m_images.insert(k, new QImage(decoded), std::max<qsizetype>(1, decoded.sizeInBytes()));
    return decoded;
}

bool AppIconCache::contains(const QString& bundlePath, const QSize& size) const
{
    QMutexLocker lock(&m_mutex);
    return m_images.contains(key(bundlePath, size));
}

void AppIconCache::clear()
{
    QMutexLocker lock(&m_mutex);
    m_images.clear();
}

AppIconCache& AppIconCache::shared()
{
    static AppIconCache cache;
    return cache;
}

} // namespace roror
