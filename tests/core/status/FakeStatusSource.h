#pragma once

#include "core/status/LocalSystemStatus.h"
#include "platform/StatusSource.h"

#include <atomic>
#include <memory>

namespace roror::test {

// A status source whose readings a test sets field by field. Counts how often the hardware facts,
// the battery facts and the process table were read.
class FakeStatusSource : public StatusSource {
public:
    std::optional<QList<CPUTickReading>> ticksFirst;
    std::optional<QList<CPUTickReading>> ticksSecond;
    std::atomic<int> tickReads = 0;
    QList<double> loads;
    std::optional<qint64> logical;
    qint64 active = 1;
    std::optional<qint64> physical;
    std::optional<qint64> pCores;
    std::optional<qint64> eCores;
    MemoryReading memoryReading;
    std::optional<qint64> physicalBytes;
    QList<VolumeReading> volumeList;
    std::optional<VolumeReading> home;
    std::optional<QHash<QString, DiskByteReading>> disks;
    std::optional<QList<InterfaceEntry>> interfaces;
    std::optional<ProxyReading> proxyReading;
    std::optional<BatteryReading> batteryReading;
    BatteryFactsReading facts;
    std::atomic<int> factsReads = 0;
    HardwareReading hardwareReading;
    std::atomic<int> hardwareReads = 0;
    std::optional<QString> brand;
    std::optional<QString> machine;
    OSVersionReading os{QStringLiteral("darwin"), QStringLiteral("macOS"), QStringLiteral("14.4.1")};
    std::optional<QString> host;
    std::optional<double> uptime;
    std::optional<QString> trash;
    std::optional<QList<ProcessReading>> processList;
    std::atomic<int> processReads = 0;

    std::optional<QList<CPUTickReading>> cpuTicks() override { return tickReads++ % 2 == 0 ? ticksFirst : ticksSecond; }
    QList<double> loadAverages() override { return loads; }
    std::optional<qint64> logicalCPUCount() override { return logical; }
    qint64 activeProcessorCount() override { return active; }
    std::optional<qint64> physicalCPUCount() override { return physical; }
    std::optional<qint64> performanceCoreCount() override { return pCores; }
    std::optional<qint64> efficiencyCoreCount() override { return eCores; }
    MemoryReading memory() override { return memoryReading; }
    std::optional<qint64> physicalMemory() override { return physicalBytes; }
    QList<VolumeReading> volumes() override { return volumeList; }
    std::optional<VolumeReading> homeVolume() override { return home; }
    std::optional<QHash<QString, DiskByteReading>> diskCounters() override { return disks; }
    std::optional<QList<InterfaceEntry>> interfaceEntries() override { return interfaces; }
    std::optional<ProxyReading> proxy() override { return proxyReading; }
    std::optional<BatteryReading> battery() override { return batteryReading; }
    BatteryFactsReading batteryFacts() override
    {
        ++factsReads;
        return facts;
    }
    HardwareReading hardware() override
    {
        ++hardwareReads;
        return hardwareReading;
    }
    std::optional<QString> cpuBrand() override { return brand; }
    std::optional<QString> machineName() override { return machine; }
    OSVersionReading osVersion() override { return os; }
    std::optional<QString> hostName() override { return host; }
    std::optional<double> uptimeSeconds() override { return uptime; }
    std::optional<QString> trashFolder() override { return trash; }
    std::optional<QList<ProcessReading>> processes() override
    {
        ++processReads;
        return processList;
    }
};

// Installs a fresh fake source, a fake clock and a sleep that only advances it; restores the
// platform's source and empties the probes' shared state when it goes away.
class FakeStatusScope {
public:
    FakeStatusScope()
        : source(std::make_shared<FakeStatusSource>())
    {
        LocalSystemStatus::resetStateForTesting();
        StatusSource::setCurrent(source);
        LocalSystemStatus::setClockForTesting([this] { return now; }, [this](int ms) { now += ms / 1000.0; });
    }
    ~FakeStatusScope()
    {
        StatusSource::setCurrent(nullptr);
        LocalSystemStatus::setClockForTesting({}, {});
        LocalSystemStatus::resetStateForTesting();
    }
    FakeStatusScope(const FakeStatusScope&) = delete;
    FakeStatusScope& operator=(const FakeStatusScope&) = delete;

    std::shared_ptr<FakeStatusSource> source;
    double now = 1'700'000'000.0;
};

} // namespace roror::test
