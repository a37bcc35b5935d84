#include "app/pages/uninstall/AppIconProvider.h"

#include "app/pages/uninstall/AppIconCache.h"

#include <QQmlEngine>
#include <QQuickTextureFactory>
#include <QRunnable>
#include <QThreadPool>
#include <QUrl>

namespace roror {

namespace {

// Icons decode on two threads of their own, so a table full of icons never holds up the pool
// that scans and analyses.
QThreadPool& iconPool()
{
    static QThreadPool* const pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(2);
        p->setExpiryTimeout(5000);
        return p;
    }();
    return *pool;
}

class AppIconResponse : public QQuickImageResponse, public QRunnable {
public:
    AppIconResponse(QString path, QSize size)
        : m_path(std::move(path))
        , m_size(size)
    {
        setAutoDelete(false);
    }

    QQuickTextureFactory* textureFactory() const override
    {
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }

    void run() override
    {
        m_image = AppIconCache::shared().image(m_path, m_size);
        emit finished();
    }

private:
    QString m_path;
    QSize m_size;
    QImage m_image;
};

} // namespace

QQuickImageResponse* AppIconProvider::requestImageResponse(const QString& id, const QSize& requestedSize)
{
    QSize size = requestedSize;
    if (size.width() <= 0 && size.height() <= 0)
        size = QSize(defaultSide, defaultSide);
    else if (size.width() <= 0)
        size.setWidth(size.height());
    else if (size.height() <= 0)
        size.setHeight(size.width());
    auto* response = new AppIconResponse(QUrl::fromPercentEncoding(id.toUtf8()), size);
    iconPool().start(response);
    return response;
}

void AppIconProvider::install(QQmlEngine* engine)
{
    if (engine && !engine->imageProvider(id))
        engine->addImageProvider(id, new AppIconProvider);
}

} // namespace roror
