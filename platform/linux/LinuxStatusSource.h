#pragma once

#include "platform/StatusSource.h"

#include <QHash>
#include <functional>
#include <mutex>

namespace roror {

// Reads the machine from the kernel's own files. Every path is taken below `root`, so tests run
// it against a folder holding recorded copies of /proc, /sys, /etc and /dev files.
class LinuxStatusSource : public StatusSource {
public:
    struct Options {
        QString root; // empty: the real root folder
        // Monotonic seconds and a sleep, for the process table's CPU window.
        std::function<double()> monotonicSeconds;
        std::function<void(int milliseconds)> sleep;
        // The interface address list without counters (default: getifaddrs); the link entries'
        // byte counters are then read from <root>/sys/class/net/<name>/statistics.
        std::function<std::optional<QList<InterfaceEntry>>()> addressList;
    };

    LinuxStatusSource();
    explicit LinuxStatusSource(Options options);

    // The shortest window the process table measures %CPU over, in milliseconds.
    static constexpr int processWindowMs = 200;
    // The longest: a previous reading older than this is taken afresh.
    static constexpr int processWindowLimitMs = 10000;

    std::optional<QList<CPUTickReading>> cpuTicks() override;
    QList<double> loadAverages() override;
    std::optional<qint64> logicalCPUCount() override;
    qint64 activeProcessorCount() override;
    std::optional<qint64> physicalCPUCount() override;
    std::optional<qint64> performanceCoreCount() override;
    std::optional<qint64> efficiencyCoreCount() override;
    MemoryReading memory() override;
    std::optional<qint64> physicalMemory() override;
    QList<VolumeReading> volumes() override;
    std::optional<VolumeReading> homeVolume() override;
    std::optional<QHash<QString, DiskByteReading>> diskCounters() override;
    std::optional<QList<InterfaceEntry>> interfaceEntries() override;
    std::optional<ProxyReading> proxy() override;
    std::optional<BatteryReading> battery() override;
    BatteryFactsReading batteryFacts() override;
    HardwareReading hardware() override;
    std::optional<QString> cpuBrand() override;
    std::optional<QString> machineName() override;
    OSVersionReading osVersion() override;
    std::optional<QString> hostName() override;
    std::optional<double> uptimeSeconds() override;
    std::optional<QString> trashFolder() override;
    std::optional<QList<ProcessReading>> processes() override;

    // The address list of the running system.
    static std::optional<QList<InterfaceEntry>> systemAddressList();

private:
    QString path(const QString& absolute) const;
    std::optional<QByteArray> read(const QString& absolute, qsizetype limit = 1 << 20) const;
    std::optional<QString> readTrimmed(const QString& absolute) const;
    std::optional<qint64> readInteger(const QString& absolute) const;
    // A counter that cannot be negative; a negative value reads as none.
    std::optional<qint64> readCounter(const QString& absolute) const;
    std::optional<QSet<int>> onlineCPUs() const;
    // The (package, core) of each CPU, read once while the set of online CPUs stays the same: a
    // CPU's place cannot change while it is online.
    std::optional<qint64> physicalCoresAmong(const QSet<int>& cpus) const;
    std::optional<QString> batteryFolder() const;
    std::optional<VolumeReading> volumeAt(const QString& mountPath, const QString& device, const QString& fstype) const;
    std::optional<QString> volumeLabel(const QString& device) const;
    std::optional<bool> isRemovable(const QString& device) const;
    QString canonicalDevice(const QString& device) const;

    struct CPUTime {
        quint64 startTime = 0;
        quint64 ticks = 0;
    };
    struct ProcessTable {
        QList<ProcessReading> rows;
        QHash<qint64, CPUTime> times;
    };
    // Reads every process; keeps what a process cannot change in m_identities. Under m_processLock.
    ProcessTable readProcessTable();

    Options m_options;
    std::mutex m_processLock; // guards the previous process reading
    std::optional<QHash<qint64, CPUTime>> m_previousTimes;
    double m_previousTime = 0;
    // Per pid, what the previous reading learnt of a process that only an exec changes.
    struct ProcessIdentity {
        quint64 startTime = 0;
        QString comm;
        QString name;
        QString command;
    };
    QHash<qint64, ProcessIdentity> m_identities;
    mutable std::mutex m_topologyLock;
    mutable QByteArray m_topologyOnline; // the online list the places below were read under
    mutable QHash<int, QPair<qint64, qint64>> m_topology;
};

} // namespace roror
