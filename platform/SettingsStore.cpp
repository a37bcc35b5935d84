#include "platform/SettingsStore.h"

#include <QMutex>
#include <QStandardPaths>
#include <QThreadPool>
#include <QWaitCondition>

namespace roror {

namespace {

QMutex& pathMutex()
{
    static QMutex mutex;
    return mutex;
}

QString& overridePath()
{
    static QString path;
    return path;
}

// The store's writer: one thread, so writes land in the order they were handed over.
struct Writer {
    QMutex mutex;
    QWaitCondition idle;
    int pending = 0;
    QThreadPool thread;

    Writer() { thread.setMaxThreadCount(1); }
};

Writer& writer()
{
    static Writer instance;
    return instance;
}

} // namespace

QString SettingsStore::filePath()
{
    {
        QMutexLocker lock(&pathMutex());
        if (!overridePath().isEmpty())
            return overridePath();
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/roror/settings.ini");
}

void SettingsStore::setFilePath(const QString& path)
{
    waitForWrites();
    QMutexLocker lock(&pathMutex());
    overridePath() = path;
}

std::unique_ptr<QSettings> SettingsStore::open()
{
    waitForWrites();
    return std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
}

void SettingsStore::writeInBackground(QList<std::pair<QString, QVariant>> values, std::function<void()> written)
{
    Writer& w = writer();
    {
        QMutexLocker lock(&w.mutex);
        ++w.pending;
    }
    // The file is the one of the moment of the call, even if the store is redirected meanwhile.
    w.thread.start([&w, path = filePath(), values = std::move(values), written = std::move(written)] {
        {
            QSettings settings(path, QSettings::IniFormat);
            for (const auto& [key, value] : values)
                settings.setValue(key, value);
            settings.sync();
        }
        {
            QMutexLocker lock(&w.mutex);
            if (--w.pending == 0)
                w.idle.wakeAll();
        }
        if (written)
            written();
    });
}

void SettingsStore::waitForWrites()
{
    Writer& w = writer();
    QMutexLocker lock(&w.mutex);
    while (w.pending > 0)
        w.idle.wait(&w.mutex);
}

} // namespace roror
