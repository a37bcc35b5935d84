#include "platform/StatusSource.h"

#if defined(__linux__)
#include "platform/linux/LinuxStatusSource.h"
#endif

#include <mutex>

namespace roror {

namespace {

#if !defined(__linux__)
// A platform without a source of its own: every reading is absent.
class EmptyStatusSource : public StatusSource {
public:
    std::optional<QList<CPUTickReading>> cpuTicks() override { return std::nullopt; }
    QList<double> loadAverages() override { return {}; }
    std::optional<qint64> logicalCPUCount() override { return std::nullopt; }
    qint64 activeProcessorCount() override { return 1; }
    std::optional<qint64> physicalCPUCount() override { return std::nullopt; }
    std::optional<qint64> performanceCoreCount() override { return std::nullopt; }
    std::optional<qint64> efficiencyCoreCount() override { return std::nullopt; }
    MemoryReading memory() override { return {}; }
    std::optional<qint64> physicalMemory() override { return std::nullopt; }
    QList<VolumeReading> volumes() override { return {}; }
    std::optional<VolumeReading> homeVolume() override { return std::nullopt; }
    std::optional<QHash<QString, DiskByteReading>> diskCounters() override { return std::nullopt; }
    std::optional<QList<InterfaceEntry>> interfaceEntries() override { return std::nullopt; }
    std::optional<ProxyReading> proxy() override { return std::nullopt; }
    std::optional<BatteryReading> battery() override { return std::nullopt; }
    BatteryFactsReading batteryFacts() override { return {}; }
    HardwareReading hardware() override { return {}; }
    std::optional<QString> cpuBrand() override { return std::nullopt; }
    std::optional<QString> machineName() override { return std::nullopt; }
    OSVersionReading osVersion() override { return {}; }
    std::optional<QString> hostName() override { return std::nullopt; }
    std::optional<double> uptimeSeconds() override { return std::nullopt; }
    std::optional<QString> trashFolder() override { return std::nullopt; }
    std::optional<QList<ProcessReading>> processes() override { return std::nullopt; }
};
#endif

std::mutex& sourceLock()
{
    static std::mutex lock;
    return lock;
}

std::shared_ptr<StatusSource>& replacement()
{
    static std::shared_ptr<StatusSource> source;
    return source;
}

std::shared_ptr<StatusSource> platformSource()
{
#if defined(__linux__)
    static const std::shared_ptr<StatusSource> source = std::make_shared<LinuxStatusSource>();
#else
    static const std::shared_ptr<StatusSource> source = std::make_shared<EmptyStatusSource>();
#endif
    return source;
}

} // namespace

std::shared_ptr<StatusSource> StatusSource::current()
{
    {
        std::lock_guard lock(sourceLock());
        if (replacement())
            return replacement();
    }
    return platformSource();
}

void StatusSource::setCurrent(std::shared_ptr<StatusSource> source)
{
    std::lock_guard lock(sourceLock());
    replacement() = std::move(source);
}

} // namespace roror
