#include "platform/PreferredLanguages.h"

#include <QLocale>
#include <QMutex>

namespace roror {

namespace {

QMutex& sourceMutex()
{
    static QMutex mutex;
    return mutex;
}

std::function<QStringList()>& source()
{
    static std::function<QStringList()> fn;
    return fn;
}

} // namespace

QStringList PreferredLanguages::current()
{
    std::function<QStringList()> fn;
    {
        QMutexLocker lock(&sourceMutex());
        fn = source();
    }
    if (fn)
        return fn();
    return QLocale::system().uiLanguages();
}

void PreferredLanguages::setSource(std::function<QStringList()> fn)
{
    QMutexLocker lock(&sourceMutex());
    source() = std::move(fn);
}

} // namespace roror
