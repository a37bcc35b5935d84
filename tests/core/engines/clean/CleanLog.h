#pragma once

#include <QLoggingCategory>
#include <QMutex>
#include <QStringList>
#include <cstring>

namespace roror::test {

// Collects what the Smart Clean engines log (info and above) while it lives; the walks log from
// worker threads too.
class CleanLog {
public:
    CleanLog()
    {
        {
            const QMutexLocker lock(&mutex());
            collected().clear();
        }
        QLoggingCategory::setFilterRules(QStringLiteral("roror.clean.info=true"));
        m_previous = qInstallMessageHandler(&collect);
    }
    ~CleanLog()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    CleanLog(const CleanLog&) = delete;
    CleanLog& operator=(const CleanLog&) = delete;

    QStringList lines() const
    {
        const QMutexLocker lock(&mutex());
        return collected();
    }

private:
    static QMutex& mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList& collected()
    {
        static QStringList l;
        return l;
    }
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (!context.category || std::strcmp(context.category, "roror.clean") != 0)
            return;
        const QMutexLocker lock(&mutex());
        collected().append(message);
    }

    QtMessageHandler m_previous = nullptr;
};

} // namespace roror::test
