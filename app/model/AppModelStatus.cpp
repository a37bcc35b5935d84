#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"

namespace roror {

using namespace appmodel;

QFuture<void> AppModel::primeDashboardSnapshotIfNeeded()
{
    return track([this](Done done) { primeDashboardSnapshotIfNeeded(done); });
}

void AppModel::primeDashboardSnapshotIfNeeded(Done done)
{
    const auto processes = [this, done] {
        if (!m_processUsage.isEmpty()) {
            done();
            return;
        }
        runOnPool<QList<SystemReport::ProcessInfo>>(m_relay, m_services.processSnapshot,
                                                    [this, done](Outcome<QList<SystemReport::ProcessInfo>> outcome) {
                                                        if (outcome.value)
                                                            setProcessUsage(*outcome.value);
                                                        done();
                                                    });
    };
    if (m_statusReport) {
        processes();
        return;
    }
    const auto snapshot = m_services.statusSnapshot;
    runOnPool<SystemReport>(
        m_relay, [snapshot] { return snapshot(std::nullopt); },
        [this, processes](Outcome<SystemReport> outcome) {
            if (outcome.value)
                setStatusReport(*outcome.value);
            processes();
        });
}

QFuture<void> AppModel::refreshDashboardStatus(bool announce)
{
    return track([this, announce](Done done) { refreshDashboardStatus(announce, done); });
}

void AppModel::refreshDashboardStatus(bool announce, Done done)
{
    if (m_isRefreshingStatus) {
        done();
        return;
    }
    primeDashboardSnapshotIfNeeded([this, announce, done] {
        setIsRefreshingStatus(true);
        refreshStatusReport(announce, [this, done] {
            setIsRefreshingStatus(false);
            done();
        });
    });
}

void AppModel::refreshStatusReport(bool announce, Done done)
{
    using Sample = std::pair<SystemReport, QList<SystemReport::ProcessInfo>>;
    const auto processSnapshot = m_services.processSnapshot;
    const auto statusSnapshot = m_services.statusSnapshot;
    runOnPool<Sample>(
        m_relay,
        [processSnapshot, statusSnapshot] {
            // The table is read once and handed to the snapshot.
            const QList<SystemReport::ProcessInfo> processes = processSnapshot();
            return Sample{statusSnapshot(processes), processes};
        },
        [this, announce, done](Outcome<Sample> outcome) {
            if (outcome.value) {
                setStatusReport(outcome.value->first);
                setProcessUsage(outcome.value->second);
                if (announce) {
                    setStatusTitle(text("状态已更新", "Status Updated"));
                    setStatusDetail(text("电脑当前状态已经刷新。", "Current system status has been refreshed."));
                }
            }
            done();
        });
}

void AppModel::runDashboardLiveStatus()
{
    m_liveLoopWanted = true;
    m_liveTimer.stop();
    setIsLiveStatusActive(true);
    if (m_liveLoopRefreshing)
        return; // the refresh under way schedules the next tick
    m_liveLoopRefreshing = true;
    refreshDashboardStatus(false, [this] {
        m_liveLoopRefreshing = false;
        scheduleLiveTick();
    });
}

void AppModel::stopDashboardLiveStatus()
{
    m_liveLoopWanted = false;
    m_liveTimer.stop();
    // A refresh under way still stores its results; the loop ends when it is back.
    if (!m_liveLoopRefreshing && m_isLiveStatusActive)
        setIsLiveStatusActive(false);
}

void AppModel::scheduleLiveTick()
{
    if (!m_liveLoopWanted) {
        finishLiveLoop();
        return;
    }
    m_liveTimer.start(m_services.liveStatusIntervalMs);
}

void AppModel::finishLiveLoop()
{
    m_liveTimer.stop();
    if (m_isLiveStatusActive)
        setIsLiveStatusActive(false);
}

void AppModel::liveTick()
{
    if (!m_liveLoopWanted) {
        finishLiveLoop();
        return;
    }
    if (m_isRefreshingStatus) {
        scheduleLiveTick();
        return;
    }
    m_liveLoopRefreshing = true;
    primeDashboardSnapshotIfNeeded([this] {
        setIsRefreshingStatus(true);
        refreshStatusReport(false, [this] {
            setIsRefreshingStatus(false);
            m_liveLoopRefreshing = false;
            scheduleLiveTick();
        });
    });
}

// ---------------------------------------------------------------------------------------------
// Process termination

void AppModel::terminateProcess(const SystemReport::ProcessInfo& process, bool force)
{
    if (!process.pid)
        return;
    const qint64 pid = *process.pid;
    const QString name = process.name ? *process.name : text("进程", "the process");
    try {
        m_services.terminateProcess(pid, force);
    } catch (...) {
        showAlert(log::status(), describeError(std::current_exception()));
        return;
    }
    const auto samePid = [pid](const SystemReport::ProcessInfo& info) { return info.pid && *info.pid == pid; };
    QList<SystemReport::ProcessInfo> processes = m_processUsage;
    processes.removeIf(samePid);
    setProcessUsage(processes);
    if (m_statusReport) {
        SystemReport report = *m_statusReport;
        report.topProcesses.removeIf(samePid);
        setStatusReport(report);
    }
    if (force) {
        setStatusTitle(text("已强制结束", "Force Quit"));
        setStatusDetail(text(QStringLiteral("已强制结束 ") + name + QStringLiteral("。"),
                             QStringLiteral("Force-quit ") + name + QStringLiteral(".")));
    } else {
        setStatusTitle(text("已请求退出", "Termination Requested"));
        setStatusDetail(text(QStringLiteral("已请求 ") + name + QStringLiteral(" 退出。"),
                             QStringLiteral("Asked ") + name + QStringLiteral(" to quit.")));
    }
}

} // namespace roror
