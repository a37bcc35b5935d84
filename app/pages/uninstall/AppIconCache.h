#pragma once

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>

namespace roror {

// Decoded application icons by bundle path and size, shared by every thread that loads them, so
// a row shown again (after a sort, a rescan or scrolling back) never decodes its icon twice.
class AppIconCache {
public:
    explicit AppIconCache(qsizetype maxBytes = 32 * 1024 * 1024);

    // From the cache, else decoded (outside the lock) and kept.
    QImage image(const QString& bundlePath, const QSize& size);
    bool contains(const QString& bundlePath, const QSize& size) const;
    void clear();

    static AppIconCache& shared();

private:
    static QString key(const QString& bundlePath, const QSize& size);

    mutable QMutex m_mutex;
    QCache<QString, QImage> m_images;
};

} // namespace roror
