#pragma once

#include "core/model/SystemReport.h"
#include "core/status/BatteryDetails.h"
#include "core/status/LocalSystemOverview.h"
#include "platform/StatusSource.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace roror {

// The live probe of the machine behind the Overview page. Every probe is synchronous, never
// fails (what cannot be read stays absent) and reads the machine through StatusSource::current().
// Rate samples, histories and the Trash size are kept process-wide, each under its own lock.
namespace LocalSystemStatus {

using ProcessList = QList<SystemReport::ProcessInfo>;

// Snapshot -----------------------------------------------------------------------------------

// The full status. A given process list is used as it is (not read or sorted again); without
// one the process table is read. Lasts at least the 200 ms CPU sampling window.
SystemReport snapshot(const std::optional<ProcessList>& topProcesses = std::nullopt);

// A copy of the once-computed hardware overview.
LocalSystemOverview systemOverview();

// 100 - 0.15 x CPU - 0.2 x memory - 0.2 x disk, rounded half away from zero and clamped to
// 0...100; an absent (or non-finite) term counts 0.
qint64 healthScore(std::optional<double> cpu, std::optional<double> memory, std::optional<double> disk);
// "Good" from 76, "Fair" from 46, else "High Pressure" (English whatever the interface language).
QString healthScoreMessage(qint64 score);

// Command runner -------------------------------------------------------------------------------

// Status tools never run longer than this; a hung tool yields no output instead of stalling
// the live refresh.
inline constexpr int commandTimeoutMs = 10000;

// Standard output as UTF-8 text trimmed at both ends; absent when the tool cannot start, exits
// non-zero or by a signal, times out, prints invalid UTF-8 or only white space.
std::optional<QString> runCommand(const QString& path, const QStringList& arguments, int timeoutMs = commandTimeoutMs);

// Process table ------------------------------------------------------------------------------

// The process table, busiest first. Also remembers each listed process's start time, so that
// ProcessControl never signals a process that took over a listed pid.
ProcessList processSnapshot();

// Output of ps -axo pid=,ppid=,pcpu=,pmem=,comm=: one record per accepted line, in line order.
ProcessList parseProcessSnapshot(const QString& text);
std::optional<SystemReport::ProcessInfo> parseProcessLine(const QString& line);

// Stable sort by CPU, highest first; an absent CPU counts 0 and a non-number never moves ahead.
void sortByCPU(ProcessList& processes);

// CPU and memory -------------------------------------------------------------------------------

struct CPUTicks {
    quint64 user = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 nice = 0;
    bool operator==(const CPUTicks&) const = default;
};

struct CPUUsageSnapshot {
    double usage = 0;
    QList<double> perCore;
    bool operator==(const CPUUsageSnapshot&) const = default;
};

std::optional<QList<CPUTicks>> cpuTicks();
// Busy percentages between two tick samples; absent when the core counts differ, there are no
// cores, or no tick moved at all.
std::optional<CPUUsageSnapshot> cpuUsageBetween(const QList<CPUTicks>& first, const QList<CPUTicks>& second);
// Two samples 200 ms apart.
std::optional<CPUUsageSnapshot> measuredCPUUsage();
SystemReport::CPU cpuSnapshot();

SystemReport::Memory memorySnapshot();
// "critical" from 95, "warn" from 82, else "normal".
QString memoryPressure(double usedPercent);

struct SwapUsage {
    std::optional<qint64> used;
    std::optional<qint64> total;
    bool operator==(const SwapUsage&) const = default;
};
// Output of sysctl vm.swapusage (values in M).
SwapUsage parseSwapUsage(const QString& text);

// Volumes ----------------------------------------------------------------------------------------

struct MountInfo {
    QString device;
    std::optional<QString> fstype;
    bool operator==(const MountInfo&) const = default;
};

// Output of the mount tool: mount path -> device and file-system type.
QMap<QString, MountInfo> parseMounts(const QString& text);

// One volume as the status report shows it (name, capacities, external flag).
SystemReport::Disk diskFromVolume(const VolumeReading& volume);
// Drops "/" when the data volume is listed and repeats; internal volumes first, each group by
// mount path.
QList<SystemReport::Disk> deduplicatedDisks(const QList<SystemReport::Disk>& disks);
// The data volume, else "/", else the first; an empty list gives a made-up "Macintosh HD".
SystemReport::Disk primaryDisk(const QList<SystemReport::Disk>& disks);
// Never empty: without any volume, the home folder's volume stands in.
QList<SystemReport::Disk> diskSnapshots();

// Disk I/O and Trash -------------------------------------------------------------------------

struct DiskByteCounters {
    quint64 read = 0;
    quint64 write = 0;
    bool operator==(const DiskByteCounters&) const = default;
};
// Sums the quoted "Bytes (Read)" and "Bytes (Write)" statistics of ioreg output.
std::optional<DiskByteCounters> parseDiskByteCounters(const QString& text);
// (current - previous) / 2^20 / elapsed; absent when elapsed <= 0 or the counter went back.
std::optional<double> diskTransferRateMBs(quint64 currentBytes, quint64 previousBytes, double elapsed);

// The previous disk reading: per-disk counters, so a disk that appears adds no lifetime total.
struct DiskSample {
    QHash<QString, DiskByteReading> disks;
    double timestamp = 0;
};
// Rates over the disks present in both readings; a direction whose counter went back on any disk
// has no rate.
SystemReport::DiskIO diskIORates(const QHash<QString, DiskByteReading>& current, double now,
                                 const std::optional<DiskSample>& previous);
std::optional<SystemReport::DiskIO> diskIOSnapshot();
std::optional<SystemReport::DiskIOHistory> diskIOHistorySnapshot(const std::optional<SystemReport::DiskIO>& diskIO);

// Allocated bytes of the regular files below `path`, hidden items and package contents left out.
std::optional<qint64> directoryAllocatedSize(const QString& path);
// The Trash size, measured at most every 30 seconds.
std::optional<qint64> trashSizeSnapshot();

// Network ---------------------------------------------------------------------------------------

struct LocalNetworkInterface {
    QString name;
    std::optional<quint64> rxBytes;
    std::optional<quint64> txBytes;
    std::optional<QString> ip;
    bool operator==(const LocalNetworkInterface&) const = default;
};

// The previous reading of one interface; a counter that was not read stays absent.
struct NetworkSample {
    std::optional<quint64> rxBytes;
    std::optional<quint64> txBytes;
    double timestamp = 0;
    bool operator==(const NetworkSample&) const = default;
};

// Walks the address list: up, non-loopback interfaces with counters or an address, those with an
// address first, each group by name.
QList<LocalNetworkInterface> collectInterfaces(const QList<InterfaceEntry>& entries);
// (current - previous) / 2^20 / elapsed, only when both counters were read and did not go back.
std::optional<double> networkRateMBs(std::optional<quint64> current, std::optional<quint64> previous, double elapsed);
// The records for `interfaces` measured against `samples`, which are then replaced by this reading.
QList<SystemReport::Network> networkRates(const QList<LocalNetworkInterface>& interfaces, double now,
                                          QHash<QString, NetworkSample>& samples);
QList<SystemReport::Network> networkSnapshot();
SystemReport::NetworkHistory networkHistorySnapshot(const QList<SystemReport::Network>& network);

// Output of scutil --proxy: the first of SOCKS, HTTPS, HTTP that is enabled.
SystemReport::Proxy parseProxy(const QString& text);
std::optional<SystemReport::Proxy> proxySnapshot();

// Battery --------------------------------------------------------------------------------------

// The battery line of pmset -g batt.
std::optional<SystemReport::Battery> parseBatterySnapshot(const QString& output);
// Only the whole status "charging" or "charged" means charging; absent without a status.
std::optional<bool> chargingFromStatus(const std::optional<QString>& status);
// Cycle count, capacity, condition and temperature from the power profile or the battery registry.
BatteryDetails parseBatteryDetails(const QString& text);
// Profile first for health, cycles and capacity; registry first for the temperature.
BatteryDetails mergedBatteryDetails(const std::optional<BatteryDetails>& profile,
                                    const std::optional<BatteryDetails>& registry);
std::optional<SystemReport::Battery> batterySnapshot();

// Hardware and host line --------------------------------------------------------------------------

// A profiler report as key -> value; the first line with a key wins.
QMap<QString, QString> parseProfilerValues(const QString& text);
// The leading integer of a text ("10 (8 performance and 2 efficiency)" -> 10).
std::optional<qint64> intValue(const std::optional<QString>& text);
// "14.4" or "14.4.1": the patch only when it is at least 1.
QString operatingSystemVersionText(int major, int minor, int patch);

LocalSystemOverview makeSystemOverview();
std::optional<QString> chipDescription();
// Bytes / 2^30 as "%.1f GB"; absent below 1 byte.
std::optional<QString> gigabyteText(std::optional<qint64> bytes);
std::optional<QString> chipText(const LocalSystemOverview& overview);
std::optional<QString> capacityText(const std::optional<SystemReport::Memory>& memory,
                                    const std::optional<SystemReport::Disk>& disk);
std::optional<QString> osText(const LocalSystemOverview& overview);
QString decoratedHost(const QString& base, const std::optional<SystemReport::Memory>& memory,
                      const std::optional<SystemReport::Disk>& disk,
                      const std::optional<LocalSystemOverview>& overview);
SystemReport::Hardware hardwareSnapshot(const LocalSystemOverview& overview, const SystemReport::Memory& memory,
                                        const SystemReport::Disk& disk);
QList<SystemReport::GPU> gpuSnapshot(const LocalSystemOverview& overview);
// "42m", "3h 5m", "2d 4h" in the interface language.
QString uptimeText(double seconds);

// Tests ----------------------------------------------------------------------------------------

// Empties the rate samples, histories, Trash cache and once-computed values.
void resetStateForTesting();
// Replaces the wall clock (seconds since 1970) and the sampling sleep; empty functions restore them.
void setClockForTesting(std::function<double()> wallClock, std::function<void(int milliseconds)> sleep);

} // namespace LocalSystemStatus

} // namespace roror
