#pragma once

// Helpers shared by the files that implement AppModel; internal to app/model.

#include "app/model/AppModel.h"
#include "core/model/LocalizationSettings.h"
#include "core/support/Log.h"

#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace roror {

// The eighteen persisted properties, in declaration order; AppModel.cpp holds their table of
// store key, default (whose type is the property's) and signal.
enum class AppModel::Persisted : int {
    lastInstallerScanDate,
    lastInstallerCleanedCount,
    lastInstallerCleanedBytes,
    lastPurgeScanDate,
    lastPurgeCleanedCount,
    lastPurgeCleanedBytes,
    lastAnalysisDate,
    lastAnalysisPathStored,
    lastAnalysisTotalSize,
    lastAnalysisTotalFiles,
    lastOptimizeDate,
    lastOptimizeCount,
    lastUninstallDate,
    lastUninstallCount,
    lastCleanDate,
    lastCleanCount,
    showHealthAura,
    customWindowBackgroundPath,
};

namespace appmodel {

// The model's texts follow the window's language choice, as the views' do; a text is chosen
// when it is written.
inline QString text(const QString& zh, const QString& en)
{
    return LocalizationSettings::shared().text(zh, en);
}

inline QString text(const char* zh, const char* en)
{
    return text(QString::fromUtf8(zh), QString::fromUtf8(en));
}

inline QString number(qint64 value)
{
    return QString::number(value);
}

// The outcome of work that ran elsewhere: a value, or the text of what went wrong.
template <typename T>
struct Outcome {
    std::optional<T> value;
    QString error;
};

// Starts `start` and hands its outcome to `continuation`, always later and on the model's thread.
// A throw from the call itself, an exceptional future and a cancelled one all end as an outcome
// without value.
template <typename T, typename F>
void whenDone(const std::shared_ptr<ThreadRelay>& relay, const std::function<QFuture<T>()>& start, F continuation)
{
    QFuture<T> future;
    try {
        future = start();
    } catch (...) {
        const QString error = describeError(std::current_exception());
        relay->post([continuation, error]() mutable { continuation(Outcome<T>{std::nullopt, error}); });
        return;
    }
    future
        .then([relay, continuation](QFuture<T> finished) mutable {
            Outcome<T> outcome;
            try {
                finished.waitForFinished();
                if (finished.resultCount() > 0)
                    outcome.value = finished.result();
            } catch (...) {
                outcome.error = describeError(std::current_exception());
            }
            relay->post([continuation, outcome]() mutable { continuation(std::move(outcome)); });
        })
        // A cancelled future never runs the continuation above; without this the run would never end.
        .onCanceled(
            [relay, continuation]() mutable { relay->post([continuation]() mutable { continuation(Outcome<T>{}); }); });
}

// Runs `work` on a pool thread and hands its outcome to `continuation` on the model's thread.
template <typename T, typename F>
void runOnPool(const std::shared_ptr<ThreadRelay>& relay, std::function<T()> work, F continuation)
{
    whenDone<T>(
        relay, [work = std::move(work)] { return QtConcurrent::run(QThreadPool::globalInstance(), work); },
        std::move(continuation));
}

} // namespace appmodel

} // namespace roror
