#pragma once

#include <QMutex>
#include <QObject>
#include <QThread>
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

    // Runs `work` at once when called on the target's thread (so it keeps its place among the target's
    // own changes), otherwise like post().
    void deliver(std::function<void()> work) const
    {
        {
            QMutexLocker lock(&m_mutex);
            if (!m_target)
                return;
            if (m_target->thread() != QThread::currentThread()) {
                QMetaObject::invokeMethod(m_target, std::move(work), Qt::QueuedConnection);
                return;
            }
        }
        work();
    }

private:
    mutable QMutex m_mutex;
    QObject* m_target;
};

} // namespace roror
