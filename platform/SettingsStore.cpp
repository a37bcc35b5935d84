#include "platform/SettingsStore.h"

#include <QMutex>
#include <QStandardPaths>

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
    QMutexLocker lock(&pathMutex());
    overridePath() = path;
}

std::unique_ptr<QSettings> SettingsStore::open()
{
    return std::make_unique<QSettings>(filePath(), QSettings::IniFormat);
}

} // namespace roror
