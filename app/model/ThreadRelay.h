#pragma once

#include <QMutex>
#include <QObject>
#include <functional>

namespace roror {

// Hands work from any thread to the thread of a target object, for as long as the target exists.
// The target calls detach() first thing in its destructor; work posted before that and not yet
// run is dropped along with the target's pending events.
class ThreadRelay {
public:
    explicit ThreadRelay(QObject* target)
        : m_target(target)
    {
    }

    void detach()
    {
        QMutexLocker lock(&m_mutex);
        m_target = nullptr;
    }

    void post(std::function<void()> work) const
    {
        QMutexLocker lock(&m_mutex);
        if (m_target)
            QMetaObject::invokeMethod(m_target, std::move(work), Qt::QueuedConnection);
    }

private:
    mutable QMutex m_mutex;
    QObject* m_target;
};

} // namespace roror
