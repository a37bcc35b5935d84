#pragma once

#include "app/model/AppModel.h"
#include "core/model/LocalizationSettings.h"
#include "platform/SettingsStore.h"
#include "tests/support/TestEnv.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFuture>
#include <QMutex>
#include <QPromise>
#include <QSemaphore>
#include <QThread>
#include <QTimeZone>
#include <atomic>
#include <memory>
#include <stdexcept>

#include <ostream>

QT_BEGIN_NAMESPACE
// Readable QString values in test failures.
inline void PrintTo(const QString& value, std::ostream* out)
{
    *out << '"' << value.toStdString() << '"';
}
QT_END_NAMESPACE

namespace roror::test {

// Spins the event loop until `done()` holds; false after the safety limit (never a timing check).
template <typename Predicate>
bool spinUntil(Predicate done, int limitMs = 10000)
{
    QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

inline bool finish(QFuture<void> future)
{
    return spinUntil([&] { return future.isFinished(); });
}

// Lets events already posted run (queued requests, continuations of ready futures).
inline void drainEvents()
{
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A result the test hands over when it chooses.
template <typename T>
class Gate {
public:
    QFuture<T> future()
    {
        auto promise = std::make_shared<QPromise<T>>();
        promise->start();
        m_pending.append(promise);
        return promise->future();
    }
    int waiting() const { return static_cast<int>(m_pending.size()); }
    void resolve(const T& value, int index = 0)
    {
        auto promise = m_pending.takeAt(index);
        promise->addResult(value);
        promise->finish();
    }
    void fail(const char* message, int index = 0)
    {
        auto promise = m_pending.takeAt(index);
        promise->setException(std::make_exception_ptr(std::runtime_error(message)));
        promise->finish();
    }

private:
    QList<std::shared_ptr<QPromise<T>>> m_pending;
};

template <typename T>
QFuture<T> ready(const T& value)
{
    return QtFuture::makeReadyFuture(value);
}

template <typename T>
QFuture<T> failing(const char* message)
{
    return QtFuture::makeExceptionalFuture<T>(std::make_exception_ptr(std::runtime_error(message)));
}

inline const QDateTime& fixedNow()
{
    static const QDateTime now = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    return now;
}

// Fake services over a TestEnv: every engine answers with an empty result unless a test says
// otherwise; the Trash is the real one inside the fake home.
inline AppModelServices fakeServices(const TestEnv& env)
{
    AppModelServices s = AppModelServices::real();
    const QString home = env.home();
    s.homePath = [home] { return home; };
    s.now = [] { return fixedNow(); };
    s.cleanPreview = [] { return ready(CleanPreviewReport{}); };
    s.cleanExecutor = [](const CleanPreviewReport&, const QStringList&) { return LocalCleanResult{}; };
    s.loadCleanWhitelist = [](const QString&) { return CleanWhitelistState{}; };
    s.saveCleanWhitelist = [](const CleanWhitelistState&, const QString&) {};
    s.optimizePreview = [] { return ready(OptimizePreviewReport{}); };
    s.optimizeExecutor = [](const OptimizePreviewReport&, const QSet<QString>&) { return LocalOptimizeResult{}; };
    s.loadOptimizeWhitelist = [](const QString&) { return OptimizeWhitelistState{}; };
    s.saveOptimizeWhitelist = [](const OptimizeWhitelistState&, const QString&) {};
    s.uninstallPreview = [] { return ready(UninstallPreviewReport{}); };
    s.installerPreview = [](const QString&) { return ready(InstallerPreviewReport{}); };
    s.purgePreview = [](const QString&) { return ready(PurgePreviewReport{}); };
    s.analysis = [](const QString& root) {
        AnalysisReport r;
        r.path = root;
        return r;
    };
    s.processSnapshot = [] { return QList<SystemReport::ProcessInfo>{}; };
    s.statusSnapshot = [](const std::optional<QList<SystemReport::ProcessInfo>>&) { return SystemReport{}; };
    s.terminateProcess = [](qint64, bool) {};
    s.updateFeedURL = []() -> std::optional<QUrl> { return std::nullopt; };
    s.bundleShortVersion = []() -> std::optional<QString> { return QStringLiteral("1.2.3"); };
    s.bundleVersion = []() -> std::optional<QString> { return std::nullopt; };
    s.fetchLatestUpdate = [](const QUrl&) { return failing<RororUpdateInfo>("no network in tests"); };
    s.makeUpdateInstaller = [] { return std::make_unique<UpdateInstaller>(); };
    s.startUpdateDownload = [](UpdateInstaller&, const QUrl&) {};
    s.openURL = [](const QUrl&) {};
    return s;
}

inline void useLanguage(AppLanguagePreference preference)
{
    LocalizationSettings::shared().setPreference(preference);
}

inline SystemReport::ProcessInfo process(std::optional<qint64> pid, std::optional<QString> name)
{
    SystemReport::ProcessInfo info;
    info.pid = pid;
    info.name = std::move(name);
    return info;
}

} // namespace roror::test
