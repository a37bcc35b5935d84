#pragma once

#include "core/model/AppLocalization.h"
#include "core/model/SystemReport.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace roror {

// One row of the process list: the process as the snapshot listed it, the start time the same
// process table recorded for its pid, and the row's identity across refreshes.
struct ProcessUsageEntry {
    QString key;
    SystemReport::ProcessInfo process;
    std::optional<quint64> startTime;
    // Listed no more while the list held its rows still; shown ended, with nothing to act on.
    bool ended = false;

    bool operator==(const ProcessUsageEntry&) const = default;
};

namespace ProcessUsageRow {

// pid and start time, so a pid handed to a new process is a new row; without a pid the name and
// its occurrence among equal names (the position keeps duplicates apart).
QList<ProcessUsageEntry> entries(const QList<SystemReport::ProcessInfo>& processes,
                                 const QHash<qint64, quint64>& startTimes);

// The name, else "进程" / "Process" (also for an empty name).
QString displayName(const SystemReport::ProcessInfo& process, AppResolvedLanguage language);
// The command path, else "PID " and the pid, else "没有路径信息" / "No path information".
QString processDetail(const SystemReport::ProcessInfo& process, AppResolvedLanguage language);
// The pid in decimal, "-" without one.
QString pidText(const SystemReport::ProcessInfo& process);
// A non-empty command naming a file or folder that exists now.
bool hasRevealPath(const SystemReport::ProcessInfo& process);

// Whether the row still stands for the process the user saw: `seen` is the start time recorded
// when the row was shown, `listedNow` the one the newest process table has for the pid (absent
// when that table no longer lists it). Without a recorded start time nothing can be compared and
// the process control's own check decides.
bool isSameProcess(std::optional<quint64> seen, std::optional<quint64> listedNow);

} // namespace ProcessUsageRow

namespace ProcessKillButton {

// Shown while the row is hovered and the process may be ended; enabled only when it may be.
inline bool isVisible(bool hovered, bool canTerminate)
{
    return hovered && canTerminate;
}
inline bool isEnabled(bool canTerminate)
{
    return canTerminate;
}

} // namespace ProcessKillButton

} // namespace roror
