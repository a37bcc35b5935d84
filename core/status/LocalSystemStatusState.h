#pragma once

// Process-wide state shared by the probes of LocalSystemStatus; internal to core/status.

#include "core/status/LocalSystemStatus.h"

#include <QStringView>
#include <memory>
#include <mutex>

namespace roror::LocalSystemStatus::detail {

std::shared_ptr<StatusSource> source();
double wallClock(); // seconds since 1970
void sleepFor(int milliseconds);

// Each lock guards only the state named with it; no code holds two at once.
struct NetworkState {
    std::mutex lock;
    QHash<QString, NetworkSample> lastSamples;
};
struct DiskState {
    std::mutex lock;
    std::optional<DiskSample> lastSample;
};
struct DiskHistoryState {
    std::mutex lock;
    QList<double> read;
    QList<double> write;
};
struct NetworkHistoryState {
    std::mutex lock;
    QList<double> rx;
    QList<double> tx;
};
struct TrashState {
    std::mutex lock;
    std::optional<qint64> size;
    std::optional<double> date;
};

NetworkState& networkState();
DiskState& diskState();
DiskHistoryState& diskHistoryState();
NetworkHistoryState& networkHistoryState();
TrashState& trashState();

// Computed at the first use, by the first caller (later callers wait for it), and kept.
LocalSystemOverview cachedOverview();
BatteryDetails cachedBatteryDetails();

inline constexpr qsizetype historyLimit = 60;
// Appends and drops the oldest values beyond the limit.
void appendToHistory(QList<double>& history, double value);

// Numbers read the way the tools' values are read: an optional sign and digits for integers,
// a whole decimal (also "nan", "inf") for doubles; nothing else, no surrounding space.
std::optional<qint64> wholeNumber(QStringView text);
std::optional<quint64> unsignedNumber(QStringView text);
std::optional<double> decimalNumber(QStringView text);

} // namespace roror::LocalSystemStatus::detail
