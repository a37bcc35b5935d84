#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

namespace roror {

// Raw readings of the machine, in the units the status probes expect. A source only reads;
// rates, percentages, ordering and texts are worked out by the probes in core/status.

// One core's cumulative tick counters.
struct CPUTickReading {
    quint64 user = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 nice = 0;
    bool operator==(const CPUTickReading&) const = default;
};

struct MemoryReading {
    std::optional<qint64> total;  // physical memory, bytes
    std::optional<qint64> used;   // bytes in use; absent when the kernel's statistics cannot be read
    std::optional<qint64> cached; // reclaimable cache, bytes; absent likewise
    std::optional<qint64> swapUsed;
    std::optional<qint64> swapTotal;
    bool operator==(const MemoryReading&) const = default;
};

// One volume the status page may show; the source has already left out what is no real volume.
struct VolumeReading {
    QString mountPath;
    std::optional<QString> name;
    std::optional<qint64> totalCapacity;
    std::optional<qint64> availableCapacity;
    std::optional<bool> removable;
    std::optional<QString> device;
    std::optional<QString> fstype;
    bool operator==(const VolumeReading&) const = default;
};

// One entry of the interface address list, in the order the system gives them.
struct InterfaceEntry {
    enum class Family { link, ipv4, ipv6, other };
    QString name;
    bool up = false;
    bool loopback = false;
    bool hasAddress = false;
    Family family = Family::other;
    std::optional<quint64> rxBytes; // link entries: the interface's byte counters
    std::optional<quint64> txBytes;
    std::optional<QString> address; // internet entries: numeric text; absent when it could not be converted
    bool operator==(const InterfaceEntry&) const = default;
};

struct DiskByteReading {
    quint64 readBytes = 0;
    quint64 writeBytes = 0;
    bool operator==(const DiskByteReading&) const = default;
};

struct ProxyReading {
    bool enabled = false;
    std::optional<QString> type; // "SOCKS", "HTTPS" or "HTTP"
    std::optional<QString> host;
    bool operator==(const ProxyReading&) const = default;
};

// The live battery line: charge, the charge-state word and the remaining time as text.
struct BatteryReading {
    std::optional<double> percent;
    std::optional<QString> status;
    std::optional<QString> timeLeft;
    bool operator==(const BatteryReading&) const = default;
};

// The slowly changing battery facts.
struct BatteryFactsReading {
    std::optional<QString> health;
    std::optional<qint64> cycleCount;
    std::optional<qint64> capacity;    // maximum capacity, percent of design capacity
    std::optional<double> temperature; // degrees Celsius
    bool operator==(const BatteryFactsReading&) const = default;
};

// Static facts about the machine, under the names the hardware and display profiles use.
struct HardwareReading {
    std::optional<QString> modelName;
    std::optional<QString> modelIdentifier;
    std::optional<QString> chip;         // the chip that carries CPU and graphics, where there is one
    std::optional<QString> chipsetModel; // graphics named by the display profile
    bool graphicsOnChip = true;          // false: the processor has no graphics of its own to name
    std::optional<QString> gpuName;      // a graphics adapter apart from the processor
    std::optional<qint64> gpuCoreCount;
    std::optional<qint64> displayRefreshRate;
    bool operator==(const HardwareReading&) const = default;
};

struct OSVersionReading {
    QString platformName;           // "darwin", "linux"
    QString productName;            // "macOS", "Debian GNU/Linux"
    std::optional<QString> version; // "14.4.1", "12"
    bool operator==(const OSVersionReading&) const = default;
};

struct ProcessReading {
    qint64 pid = 0;
    std::optional<qint64> ppid;
    QString name;
    QString command;
    std::optional<double> cpu;        // percent of one processor over a recent window
    std::optional<double> memory;     // percent of physical memory
    std::optional<quint64> startTime; // kernel start time, to recognise a reused pid
    bool kernelThread = false;        // a task of the kernel itself, which no signal ends
    bool operator==(const ProcessReading&) const = default;
};

class StatusSource {
public:
    virtual ~StatusSource() = default;

    // Processor
    virtual std::optional<QList<CPUTickReading>> cpuTicks() = 0;
    virtual QList<double> loadAverages() = 0; // up to three values; empty when unavailable
    virtual std::optional<qint64> logicalCPUCount() = 0;
    virtual qint64 activeProcessorCount() = 0;
    virtual std::optional<qint64> physicalCPUCount() = 0;
    virtual std::optional<qint64> performanceCoreCount() = 0;
    virtual std::optional<qint64> efficiencyCoreCount() = 0;

    // Memory; physicalMemory() is the total alone, without the statistics.
    virtual MemoryReading memory() = 0;
    virtual std::optional<qint64> physicalMemory() = 0;

    // Volumes: the ones to show, and the volume holding the home folder.
    virtual QList<VolumeReading> volumes() = 0;
    virtual std::optional<VolumeReading> homeVolume() = 0;

    // Disk traffic: cumulative byte counters per disk; absent when they cannot be read.
    virtual std::optional<QHash<QString, DiskByteReading>> diskCounters() = 0;

    // Network
    virtual std::optional<QList<InterfaceEntry>> interfaceEntries() = 0;
    virtual std::optional<ProxyReading> proxy() = 0;

    // Power
    virtual std::optional<BatteryReading> battery() = 0;
    virtual BatteryFactsReading batteryFacts() = 0;

    // Host
    virtual HardwareReading hardware() = 0;
    virtual std::optional<QString> cpuBrand() = 0;    // processor brand text
    virtual std::optional<QString> machineName() = 0; // the kernel's machine name (uname)
    virtual OSVersionReading osVersion() = 0;
    virtual std::optional<QString> hostName() = 0;
    virtual std::optional<double> uptimeSeconds() = 0;
    virtual std::optional<QString> trashFolder() = 0;

    // Processes; absent when the table cannot be read.
    virtual std::optional<QList<ProcessReading>> processes() = 0;

    // The source of the platform this program was built for, unless a test replaced it.
    static std::shared_ptr<StatusSource> current();
    // Replaces the source for the whole process; nullptr restores the platform's.
    static void setCurrent(std::shared_ptr<StatusSource> source);
};

} // namespace roror
