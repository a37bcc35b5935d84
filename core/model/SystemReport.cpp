#include "core/model/SystemReport.h"

#include "core/model/RecordEquality.h"

#include <QHash>
#include <QUuid>

namespace roror {

using recordEquality::same;

namespace {
QString freshIdentity()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}
} // namespace

// Hardware

const QStringList& SystemReport::Hardware::codingKeys()
{
    static const QStringList keys{QStringLiteral("model"),      QStringLiteral("cpu_model"),
                                  QStringLiteral("total_ram"),  QStringLiteral("disk_size"),
                                  QStringLiteral("os_version"), QStringLiteral("refresh_rate")};
    return keys;
}

bool SystemReport::Hardware::operator==(const Hardware& o) const
{
    return same(model, o.model) && same(cpuModel, o.cpuModel) && same(totalRAM, o.totalRAM)
        && same(diskSize, o.diskSize) && same(osVersion, o.osVersion) && same(refreshRate, o.refreshRate);
}

// CPU

SystemReport::CPU::CPU(std::optional<double> usage_, std::optional<QList<double>> perCore_,
                       std::optional<bool> perCoreEstimated_, std::optional<double> load1_,
                       std::optional<double> load5_, std::optional<double> load15_, std::optional<qint64> coreCount_,
                       std::optional<qint64> logicalCPU_, std::optional<QList<double>> loadAverage_,
                       std::optional<qint64> pCoreCount_, std::optional<qint64> eCoreCount_)
    : usage(usage_)
    , perCore(std::move(perCore_))
    , perCoreEstimated(perCoreEstimated_)
    , load1(load1_)
    , load5(load5_)
    , load15(load15_)
    , coreCount(coreCount_)
    , logicalCPU(logicalCPU_)
    , loadAverage(std::move(loadAverage_))
    , pCoreCount(pCoreCount_)
    , eCoreCount(eCoreCount_)
{
    if (!loadAverage) {
        QList<double> filled;
        for (const auto& load : {load1, load5, load15}) {
            if (load)
                filled.append(*load);
        }
        loadAverage = filled;
    }
}

const QStringList& SystemReport::CPU::codingKeys()
{
    static const QStringList keys{
        QStringLiteral("usage"),        QStringLiteral("per_core"),    QStringLiteral("per_core_estimated"),
        QStringLiteral("load1"),        QStringLiteral("load5"),       QStringLiteral("load15"),
        QStringLiteral("core_count"),   QStringLiteral("logical_cpu"), QStringLiteral("load_average"),
        QStringLiteral("p_core_count"), QStringLiteral("e_core_count")};
    return keys;
}

bool SystemReport::CPU::operator==(const CPU& o) const
{
    return same(usage, o.usage) && same(perCore, o.perCore) && same(perCoreEstimated, o.perCoreEstimated)
        && same(load1, o.load1) && same(load5, o.load5) && same(load15, o.load15) && same(coreCount, o.coreCount)
        && same(logicalCPU, o.logicalCPU) && same(loadAverage, o.loadAverage) && same(pCoreCount, o.pCoreCount)
        && same(eCoreCount, o.eCoreCount);
}

// GPU

const QStringList& SystemReport::GPU::codingKeys()
{
    static const QStringList keys{QStringLiteral("name"),        QStringLiteral("usage"),
                                  QStringLiteral("memory_used"), QStringLiteral("memory_total"),
                                  QStringLiteral("core_count"),  QStringLiteral("note")};
    return keys;
}

bool SystemReport::GPU::operator==(const GPU& o) const
{
    return same(name, o.name) && same(usage, o.usage) && same(memoryUsed, o.memoryUsed)
        && same(memoryTotal, o.memoryTotal) && same(coreCount, o.coreCount) && same(note, o.note);
}

// Memory

const QStringList& SystemReport::Memory::codingKeys()
{
    static const QStringList keys{QStringLiteral("total"),        QStringLiteral("used"),
                                  QStringLiteral("used_percent"), QStringLiteral("swap_used"),
                                  QStringLiteral("swap_total"),   QStringLiteral("cached"),
                                  QStringLiteral("pressure")};
    return keys;
}

bool SystemReport::Memory::operator==(const Memory& o) const
{
    return same(total, o.total) && same(used, o.used) && same(usedPercent, o.usedPercent) && same(swapUsed, o.swapUsed)
        && same(swapTotal, o.swapTotal) && same(cached, o.cached) && same(pressure, o.pressure);
}

// Disk

SystemReport::Disk::Disk(std::optional<QString> name_, std::optional<QString> mount_, std::optional<qint64> total_,
                         std::optional<qint64> used_, std::optional<double> usedPercent_,
                         std::optional<QString> device_, std::optional<QString> fstype_, std::optional<bool> external_)
    : name(std::move(name_))
    , mount(std::move(mount_))
    , device(std::move(device_))
    , total(total_)
    , used(used_)
    , usedPercent(usedPercent_)
    , fstype(std::move(fstype_))
    , external(external_)
{
}

QString SystemReport::Disk::id() const
{
    if (mount)
        return *mount;
    if (device)
        return *device;
    if (name)
        return *name;
    return freshIdentity();
}

const QStringList& SystemReport::Disk::codingKeys()
{
    static const QStringList keys{QStringLiteral("name"),   QStringLiteral("mount"),   QStringLiteral("device"),
                                  QStringLiteral("total"),  QStringLiteral("used"),    QStringLiteral("used_percent"),
                                  QStringLiteral("fstype"), QStringLiteral("external")};
    return keys;
}

bool SystemReport::Disk::operator==(const Disk& o) const
{
    return same(name, o.name) && same(mount, o.mount) && same(device, o.device) && same(total, o.total)
        && same(used, o.used) && same(usedPercent, o.usedPercent) && same(fstype, o.fstype)
        && same(external, o.external);
}

// DiskIO, DiskIOHistory

const QStringList& SystemReport::DiskIO::codingKeys()
{
    static const QStringList keys{QStringLiteral("read_rate"), QStringLiteral("write_rate")};
    return keys;
}

const QStringList& SystemReport::DiskIOHistory::codingKeys()
{
    static const QStringList keys{QStringLiteral("read_history"), QStringLiteral("write_history")};
    return keys;
}

// Battery

const QStringList& SystemReport::Battery::codingKeys()
{
    static const QStringList keys{QStringLiteral("percent"), QStringLiteral("charging"),
                                  QStringLiteral("status"),  QStringLiteral("time_left"),
                                  QStringLiteral("health"),  QStringLiteral("cycle_count"),
                                  QStringLiteral("capacity")};
    return keys;
}

bool SystemReport::Battery::operator==(const Battery& o) const
{
    return same(percent, o.percent) && same(charging, o.charging) && same(status, o.status)
        && same(timeLeft, o.timeLeft) && same(health, o.health) && same(cycleCount, o.cycleCount)
        && same(capacity, o.capacity);
}

// Network, NetworkHistory

const QStringList& SystemReport::Network::codingKeys()
{
    static const QStringList keys{QStringLiteral("down"),        QStringLiteral("up"),          QStringLiteral("name"),
                                  QStringLiteral("rx_rate_mbs"), QStringLiteral("tx_rate_mbs"), QStringLiteral("ip")};
    return keys;
}

bool SystemReport::Network::operator==(const Network& o) const
{
    return same(down, o.down) && same(up, o.up) && same(name, o.name) && same(rxRateMBs, o.rxRateMBs)
        && same(txRateMBs, o.txRateMBs) && same(ip, o.ip);
}

const QStringList& SystemReport::NetworkHistory::codingKeys()
{
    static const QStringList keys{QStringLiteral("rx_history"), QStringLiteral("tx_history")};
    return keys;
}

// Proxy

const QStringList& SystemReport::Proxy::codingKeys()
{
    static const QStringList keys{QStringLiteral("enabled"), QStringLiteral("type"), QStringLiteral("host")};
    return keys;
}

bool SystemReport::Proxy::operator==(const Proxy& o) const
{
    return same(enabled, o.enabled) && same(type, o.type) && same(host, o.host);
}

// Thermal

const QStringList& SystemReport::Thermal::codingKeys()
{
    static const QStringList keys{QStringLiteral("cpu_temp"),      QStringLiteral("gpu_temp"),
                                  QStringLiteral("battery_temp"),  QStringLiteral("fan_speed"),
                                  QStringLiteral("fan_count"),     QStringLiteral("system_power"),
                                  QStringLiteral("adapter_power"), QStringLiteral("battery_power")};
    return keys;
}

// ProcessInfo

qint64 SystemReport::ProcessInfo::id() const
{
    if (pid)
        return *pid;
    if (name) {
        // Hash the composed form so that canonically equal names share an identity.
        return static_cast<qint64>(qHash(name->normalized(QString::NormalizationForm_C)));
    }
    return 0;
}

const QStringList& SystemReport::ProcessInfo::codingKeys()
{
    static const QStringList keys{QStringLiteral("pid"),     QStringLiteral("ppid"), QStringLiteral("name"),
                                  QStringLiteral("command"), QStringLiteral("cpu"),  QStringLiteral("memory")};
    return keys;
}

bool SystemReport::ProcessInfo::operator==(const ProcessInfo& o) const
{
    return same(pid, o.pid) && same(ppid, o.ppid) && same(name, o.name) && same(command, o.command) && same(cpu, o.cpu)
        && same(memory, o.memory);
}

// SystemReport

SystemReport::SystemReport(std::optional<QString> host_, std::optional<QString> platform_,
                           std::optional<qint64> healthScore_, std::optional<QString> healthScoreMsg_,
                           std::optional<QString> uptime_, std::optional<qint64> uptimeSeconds_,
                           std::optional<qint64> procs_, std::optional<Hardware> hardware_, std::optional<CPU> cpu_,
                           QList<GPU> gpu_, std::optional<Memory> memory_, std::optional<QList<Disk>> disks_,
                           std::optional<qint64> trashSize_, std::optional<bool> trashApprox_,
                           std::optional<DiskIO> diskIO_, std::optional<DiskIOHistory> diskIOHistory_,
                           std::optional<QList<Network>> network_, std::optional<NetworkHistory> networkHistory_,
                           std::optional<Proxy> proxy_, QList<Battery> batteries_, std::optional<Battery> battery_,
                           std::optional<Thermal> thermal_, QList<ProcessInfo> topProcesses_)
    : host(std::move(host_))
    , platform(std::move(platform_))
    , healthScore(healthScore_)
    , healthScoreMsg(std::move(healthScoreMsg_))
    , uptime(std::move(uptime_))
    , uptimeSeconds(uptimeSeconds_)
    , procs(procs_)
    , hardware(std::move(hardware_))
    , cpu(std::move(cpu_))
    , gpu(std::move(gpu_))
    , memory(std::move(memory_))
    , disks(std::move(disks_))
    , trashSize(trashSize_)
    , trashApprox(trashApprox_)
    , diskIO(diskIO_)
    , diskIOHistory(std::move(diskIOHistory_))
    , network(std::move(network_))
    , networkHistory(std::move(networkHistory_))
    , proxy(std::move(proxy_))
    , batteries(std::move(batteries_))
    , thermal(thermal_)
    , topProcesses(std::move(topProcesses_))
{
    if (batteries.isEmpty() && battery_)
        batteries = {*battery_};
}

std::optional<SystemReport::Battery> SystemReport::battery() const
{
    if (batteries.isEmpty())
        return std::nullopt;
    return batteries.first();
}

const QStringList& SystemReport::codingKeys()
{
    static const QStringList keys{QStringLiteral("host"),         QStringLiteral("platform"),
                                  QStringLiteral("health_score"), QStringLiteral("health_score_msg"),
                                  QStringLiteral("uptime"),       QStringLiteral("uptime_seconds"),
                                  QStringLiteral("procs"),        QStringLiteral("hardware"),
                                  QStringLiteral("cpu"),          QStringLiteral("gpu"),
                                  QStringLiteral("memory"),       QStringLiteral("disks"),
                                  QStringLiteral("trash_size"),   QStringLiteral("trash_approx"),
                                  QStringLiteral("disk_io"),      QStringLiteral("disk_io_history"),
                                  QStringLiteral("battery"),      QStringLiteral("batteries"),
                                  QStringLiteral("network"),      QStringLiteral("network_history"),
                                  QStringLiteral("proxy"),        QStringLiteral("thermal"),
                                  QStringLiteral("top_processes")};
    return keys;
}

bool SystemReport::operator==(const SystemReport& o) const
{
    return same(host, o.host) && same(platform, o.platform) && same(healthScore, o.healthScore)
        && same(healthScoreMsg, o.healthScoreMsg) && same(uptime, o.uptime) && same(uptimeSeconds, o.uptimeSeconds)
        && same(procs, o.procs) && same(hardware, o.hardware) && same(cpu, o.cpu) && same(gpu, o.gpu)
        && same(memory, o.memory) && same(disks, o.disks) && same(trashSize, o.trashSize)
        && same(trashApprox, o.trashApprox) && same(diskIO, o.diskIO) && same(diskIOHistory, o.diskIOHistory)
        && same(network, o.network) && same(networkHistory, o.networkHistory) && same(proxy, o.proxy)
        && same(batteries, o.batteries) && same(thermal, o.thermal) && same(topProcesses, o.topProcesses);
}

} // namespace roror
