#include "platform/linux/LinuxStatusSource.h"

#include "platform/linux/LinuxProcessFolders.h"
#include "platform/linux/LinuxProcfs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <dirent.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <thread>
#include <unistd.h>

namespace roror {

namespace {

// Reads at most `limit` bytes of a file with plain system calls (the process table reads
// hundreds of small files per snapshot).
std::optional<QByteArray> readFileBytes(const QByteArray& path, qsizetype limit = 1 << 20)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray data;
    char buffer[4096];
    for (;;) {
        const qsizetype want = std::min<qsizetype>(sizeof buffer, limit - data.size());
        if (want <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, static_cast<size_t>(want));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    return data;
}

std::string_view view(const QByteArray& data)
{
    return {data.constData(), static_cast<size_t>(data.size())};
}

double steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

QStringList folderEntries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    std::sort(names.begin(), names.end());
    return names;
}

bool isPlaceholder(const QString& value)
{
    static const QStringList placeholders
        = {QStringLiteral("To Be Filled By O.E.M."), QStringLiteral("To be filled by O.E.M."),
           QStringLiteral("System Product Name"),    QStringLiteral("Default string"),
           QStringLiteral("Not Specified"),          QStringLiteral("None")};
    return placeholders.contains(value);
}

// The pci.ids name of a device: "Vendor Device" as lspci shows it.
std::optional<QString> pciName(const QByteArray& database, const QString& vendor, const QString& device)
{
    const QByteArray v = vendor.toLower().toLatin1();
    const QByteArray d = device.toLower().toLatin1();
    qsizetype pos = 0;
    QString vendorName;
    bool inVendor = false;
    while (pos < database.size()) {
        qsizetype end = database.indexOf('\n', pos);
        if (end < 0)
            end = database.size();
        const QByteArray line = database.mid(pos, end - pos);
        pos = end + 1;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line[0] != '\t') {
            if (inVendor)
                break;
            if (line.startsWith(v + "  ")) {
                inVendor = true;
                vendorName = QString::fromUtf8(line.mid(v.size() + 2)).trimmed();
            }
            continue;
        }
        if (inVendor && line.size() > 1 && line[1] != '\t' && line.mid(1).startsWith(d + "  "))
            return vendorName + QLatin1Char(' ') + QString::fromUtf8(line.mid(d.size() + 3)).trimmed();
    }
    return std::nullopt;
}

} // namespace

LinuxStatusSource::LinuxStatusSource()
    : LinuxStatusSource(Options{})
{
}

LinuxStatusSource::LinuxStatusSource(Options options)
    : m_options(std::move(options))
{
    // Canonical, so that resolved device links can be told apart from the root prefix.
    if (!m_options.root.isEmpty()) {
        const QString canonical = QFileInfo(m_options.root).canonicalFilePath();
        if (!canonical.isEmpty())
            m_options.root = canonical;
    }
    while (m_options.root.endsWith(QLatin1Char('/')))
        m_options.root.chop(1);
    if (!m_options.monotonicSeconds)
        m_options.monotonicSeconds = steadySeconds;
    if (!m_options.sleep)
        m_options.sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    if (!m_options.addressList)
        m_options.addressList = systemAddressList;
}

QString LinuxStatusSource::path(const QString& absolute) const
{
    return m_options.root + absolute;
}

std::optional<QByteArray> LinuxStatusSource::read(const QString& absolute, qsizetype limit) const
{
    return readFileBytes(QFile::encodeName(path(absolute)), limit);
}

std::optional<QString> LinuxStatusSource::readTrimmed(const QString& absolute) const
{
    const auto data = read(absolute);
    if (!data)
        return std::nullopt;
    const QString text = QString::fromUtf8(*data).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<qint64> LinuxStatusSource::readCounter(const QString& absolute) const
{
    const auto data = read(absolute);
    if (!data)
        return std::nullopt;
    return LinuxProcfs::parseCounter(std::string_view(data->constData(), static_cast<size_t>(data->size())));
}

std::optional<qint64> LinuxStatusSource::readInteger(const QString& absolute) const
{
    const auto text = readTrimmed(absolute);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qint64 value = text->toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// Processor ---------------------------------------------------------------------------------

std::optional<QList<CPUTickReading>> LinuxStatusSource::cpuTicks()
{
    const auto text = read(QStringLiteral("/proc/stat"));
    if (!text)
        return std::nullopt;
    return LinuxProcfs::parseProcStat(view(*text));
}

QList<double> LinuxStatusSource::loadAverages()
{
    // The file getloadavg() itself reads on Linux.
    const auto text = read(QStringLiteral("/proc/loadavg"));
    if (!text)
        return {};
    return LinuxProcfs::parseLoadavg(view(*text));
}

std::optional<QSet<int>> LinuxStatusSource::onlineCPUs() const
{
    const auto text = read(QStringLiteral("/sys/devices/system/cpu/online"));
    {
        // A CPU that went offline may come back elsewhere: the places read so far are forgotten.
        std::lock_guard lock(m_topologyLock);
        if (m_topologyOnline != text.value_or(QByteArray())) {
            m_topologyOnline = text.value_or(QByteArray());
            m_topology.clear();
        }
    }
    if (!text)
        return std::nullopt;
    auto cpus = LinuxProcfs::parseCPUList(view(*text));
    if (!cpus || cpus->isEmpty())
        return std::nullopt;
    return cpus;
}

std::optional<qint64> LinuxStatusSource::logicalCPUCount()
{
    // The same file sysconf(_SC_NPROCESSORS_ONLN) reads.
    if (const auto cpus = onlineCPUs())
        return cpus->size();
    if (!m_options.root.isEmpty())
        return std::nullopt;
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? std::optional<qint64>(n) : std::nullopt;
}

qint64 LinuxStatusSource::activeProcessorCount()
{
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? n : 1;
}

std::optional<qint64> LinuxStatusSource::physicalCoresAmong(const QSet<int>& cpus) const
{
    QSet<QPair<qint64, qint64>> cores;
    for (int cpu : cpus) {
        {
            std::lock_guard lock(m_topologyLock);
            if (const auto known = m_topology.constFind(cpu); known != m_topology.constEnd()) {
                cores.insert(*known);
                continue;
            }
        }
        const QString topology = QStringLiteral("/sys/devices/system/cpu/cpu%1/topology/").arg(cpu);
        const auto package = readInteger(topology + QStringLiteral("physical_package_id"));
        const auto core = readInteger(topology + QStringLiteral("core_id"));
        if (!package || !core)
            return std::nullopt;
        cores.insert({*package, *core});
        std::lock_guard lock(m_topologyLock);
        m_topology.insert(cpu, {*package, *core});
    }
    if (cores.isEmpty())
        return std::nullopt;
    return cores.size();
}

std::optional<qint64> LinuxStatusSource::physicalCPUCount()
{
    const auto cpus = onlineCPUs();
    if (!cpus)
        return std::nullopt;
    return physicalCoresAmong(*cpus);
}

std::optional<qint64> LinuxStatusSource::performanceCoreCount()
{
    // Hybrid processors list their performance and efficiency CPUs under these two folders.
    const auto text = read(QStringLiteral("/sys/devices/cpu_core/cpus"));
    const auto cpus = text ? LinuxProcfs::parseCPUList(view(*text)) : std::nullopt;
    if (!cpus || cpus->isEmpty())
        return std::nullopt;
    const auto online = onlineCPUs();
    return physicalCoresAmong(online ? QSet<int>(*cpus).intersect(*online) : *cpus);
}

std::optional<qint64> LinuxStatusSource::efficiencyCoreCount()
{
    const auto text = read(QStringLiteral("/sys/devices/cpu_atom/cpus"));
    const auto cpus = text ? LinuxProcfs::parseCPUList(view(*text)) : std::nullopt;
    if (!cpus || cpus->isEmpty())
        return std::nullopt;
    const auto online = onlineCPUs();
    return physicalCoresAmong(online ? QSet<int>(*cpus).intersect(*online) : *cpus);
}

// Memory ------------------------------------------------------------------------------------

MemoryReading LinuxStatusSource::memory()
{
    MemoryReading reading;
    if (const auto text = read(QStringLiteral("/proc/meminfo")))
        reading = LinuxProcfs::parseMeminfo(view(*text));
    if (!reading.total)
        reading.total = physicalMemory();
    return reading;
}

std::optional<qint64> LinuxStatusSource::physicalMemory()
{
    if (!m_options.root.isEmpty()) {
        const auto text = read(QStringLiteral("/proc/meminfo"));
        return text ? LinuxProcfs::parseMeminfo(view(*text)).total : std::nullopt;
    }
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || size <= 0)
        return std::nullopt;
    return static_cast<qint64>(pages) * size;
}

// Volumes -----------------------------------------------------------------------------------

QString LinuxStatusSource::canonicalDevice(const QString& device) const
{
    const QString resolved = QFileInfo(path(device)).canonicalFilePath();
    if (resolved.isEmpty() || !resolved.startsWith(m_options.root))
        return device;
    return resolved.mid(m_options.root.size());
}

std::optional<QString> LinuxStatusSource::volumeLabel(const QString& device) const
{
    const QString labels = QStringLiteral("/dev/disk/by-label");
    const QString target = canonicalDevice(device);
    for (const QString& name : folderEntries(path(labels))) {
        if (canonicalDevice(labels + QLatin1Char('/') + name) == target)
            return LinuxProcfs::decodeUdevEscapes(name);
    }
    return std::nullopt;
}

std::optional<bool> LinuxStatusSource::isRemovable(const QString& device) const
{
    const QString canonical = canonicalDevice(device);
    const QString base = canonical.mid(canonical.lastIndexOf(QLatin1Char('/')) + 1);
    if (base.isEmpty())
        return std::nullopt;
    if (const auto value = readInteger(QStringLiteral("/sys/block/%1/removable").arg(base)))
        return *value != 0;
    // A partition: its disk is the /sys/block folder that holds a folder of its name.
    for (const QString& disk : folderEntries(path(QStringLiteral("/sys/block")))) {
        if (QFileInfo::exists(path(QStringLiteral("/sys/block/%1/%2").arg(disk, base)))) {
            if (const auto value = readInteger(QStringLiteral("/sys/block/%1/removable").arg(disk)))
                return *value != 0;
        }
    }
    return std::nullopt;
}

std::optional<VolumeReading> LinuxStatusSource::volumeAt(const QString& mountPath, const QString& device,
                                                         const QString& fstype) const
{
    VolumeReading volume;
    volume.mountPath = mountPath;
    volume.device = device;
    volume.fstype = fstype;
    struct statvfs info { };
    if (::statvfs(QFile::encodeName(path(mountPath)).constData(), &info) == 0) {
        const qint64 unit = info.f_frsize ? static_cast<qint64>(info.f_frsize) : static_cast<qint64>(info.f_bsize);
        volume.totalCapacity = static_cast<qint64>(info.f_blocks) * unit;
        volume.availableCapacity = static_cast<qint64>(info.f_bavail) * unit;
    }
    volume.name = volumeLabel(device);
    volume.removable = isRemovable(device);
    return volume;
}

QList<VolumeReading> LinuxStatusSource::volumes()
{
    const auto text = read(QStringLiteral("/proc/self/mounts"));
    if (!text)
        return {};
    static const QStringList virtualTypes
        = {QStringLiteral("squashfs"), QStringLiteral("overlay"), QStringLiteral("tmpfs"),
           QStringLiteral("devtmpfs"), QStringLiteral("ramfs"),   QStringLiteral("iso9660")};
    QList<VolumeReading> result;
    QSet<QString> devices;
    for (const auto& entry : LinuxProcfs::parseProcMounts(view(*text))) {
        // Real block devices only: no pseudo file systems, loop images (snaps), RAM disks or overlays.
        if (!entry.device.startsWith(QLatin1String("/dev/")))
            continue;
        const QString base = entry.device.mid(5);
        if (base.startsWith(QLatin1String("loop")) || base.startsWith(QLatin1String("ram"))
            || base.startsWith(QLatin1String("zram")) || virtualTypes.contains(entry.fstype))
            continue;
        if (entry.mountPath == QLatin1String("/snap") || entry.mountPath.startsWith(QLatin1String("/snap/"))
            || entry.mountPath.startsWith(QLatin1String("/var/lib/snapd/")))
            continue;
        // Files bound into place (a container's /etc/hosts) are no volumes.
        struct stat st { };
        if (::stat(QFile::encodeName(path(entry.mountPath)).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            continue;
        // A device mounted twice (bind mounts, subvolumes) is one volume: its first mount.
        const QString key = canonicalDevice(entry.device);
        if (devices.contains(key))
            continue;
        devices.insert(key);
        if (auto volume = volumeAt(entry.mountPath, entry.device, entry.fstype))
            result.append(*volume);
    }
    return result;
}

std::optional<VolumeReading> LinuxStatusSource::homeVolume()
{
    struct statvfs info { };
    if (::statvfs(QFile::encodeName(QDir::homePath()).constData(), &info) != 0)
        return std::nullopt;
    const qint64 unit = info.f_frsize ? static_cast<qint64>(info.f_frsize) : static_cast<qint64>(info.f_bsize);
    VolumeReading volume;
    volume.mountPath = QStringLiteral("/");
    volume.totalCapacity = static_cast<qint64>(info.f_blocks) * unit;
    volume.availableCapacity = static_cast<qint64>(info.f_bavail) * unit;
    return volume;
}

// Disk traffic ------------------------------------------------------------------------------

std::optional<QHash<QString, DiskByteReading>> LinuxStatusSource::diskCounters()
{
    const auto text = read(QStringLiteral("/proc/diskstats"));
    if (!text)
        return std::nullopt;
    QHash<QString, DiskByteReading> disks;
    const auto all = LinuxProcfs::parseDiskstats(view(*text));
    for (auto it = all.constBegin(); it != all.constEnd(); ++it) {
        // Whole physical disks only: partitions have no /sys/block folder, and virtual devices
        // (loop, zram, device-mapper, md) have no "device" link, so nothing is counted twice.
        if (QFileInfo::exists(path(QStringLiteral("/sys/block/%1/device").arg(it.key()))))
            disks.insert(it.key(), it.value());
    }
    return disks;
}

// Network -----------------------------------------------------------------------------------

std::optional<QList<InterfaceEntry>> LinuxStatusSource::systemAddressList()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return std::nullopt;
    QList<InterfaceEntry> entries;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        InterfaceEntry entry;
        entry.name = QString::fromUtf8(a->ifa_name ? a->ifa_name : "");
        entry.up = a->ifa_flags & IFF_UP;
        entry.loopback = a->ifa_flags & IFF_LOOPBACK;
        entry.hasAddress = a->ifa_addr != nullptr;
        if (a->ifa_addr) {
            const int family = a->ifa_addr->sa_family;
            if (family == AF_PACKET) {
                entry.family = InterfaceEntry::Family::link;
            } else if (family == AF_INET || family == AF_INET6) {
                entry.family = family == AF_INET ? InterfaceEntry::Family::ipv4 : InterfaceEntry::Family::ipv6;
                const socklen_t length = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
                char host[1025] = {};
                if (::getnameinfo(a->ifa_addr, length, host, sizeof host, nullptr, 0, NI_NUMERICHOST) == 0
                    && host[0] != '\0')
                    entry.address = QString::fromUtf8(host);
            }
        }
        entries.append(entry);
    }
    ::freeifaddrs(list);
    return entries;
}

std::optional<QList<InterfaceEntry>> LinuxStatusSource::interfaceEntries()
{
    auto entries = m_options.addressList();
    if (!entries)
        return std::nullopt;
    for (InterfaceEntry& entry : *entries) {
        if (entry.family != InterfaceEntry::Family::link || entry.name.contains(QLatin1Char('/')))
            continue;
        const QString stats = QStringLiteral("/sys/class/net/%1/statistics/").arg(entry.name);
        // 64-bit counters, unlike the ones carried in the address list.
        if (const auto rx = readInteger(stats + QStringLiteral("rx_bytes")); rx && *rx >= 0)
            entry.rxBytes = static_cast<quint64>(*rx);
        if (const auto tx = readInteger(stats + QStringLiteral("tx_bytes")); tx && *tx >= 0)
            entry.txBytes = static_cast<quint64>(*tx);
    }
    return entries;
}

std::optional<ProxyReading> LinuxStatusSource::proxy()
{
    // The proxy settings of a Linux session live in the environment; lower case wins, as curl does.
    auto variable = [](const char* lower, const char* upper) -> std::optional<QString> {
        for (const char* name : {lower, upper}) {
            const QString value = qEnvironmentVariable(name).trimmed();
            if (!value.isEmpty())
                return value;
        }
        return std::nullopt;
    };
    const struct {
        const char* type;
        const char* lower;
        const char* upper;
    } kinds[] = {{"SOCKS", "all_proxy", "ALL_PROXY"},
                 {"HTTPS", "https_proxy", "HTTPS_PROXY"},
                 {"HTTP", "http_proxy", "HTTP_PROXY"}};
    for (const auto& kind : kinds) {
        const auto value = variable(kind.lower, kind.upper);
        if (!value)
            continue;
        ProxyReading reading;
        reading.enabled = true;
        reading.type = QString::fromLatin1(kind.type);
        // Only the host: a proxy address may carry a user name and password.
        const QUrl url(value->contains(QLatin1String("://")) ? *value : QStringLiteral("http://") + *value);
        if (!url.host().isEmpty())
            reading.host = url.host();
        return reading;
    }
    return ProxyReading{};
}

// Power -------------------------------------------------------------------------------------

std::optional<QString> LinuxStatusSource::batteryFolder() const
{
    const QString supplies = QStringLiteral("/sys/class/power_supply/");
    for (const QString& name : folderEntries(path(supplies))) {
        const QString folder = supplies + name + QLatin1Char('/');
        // Batteries of mice and keyboards report the scope "Device".
        if (readTrimmed(folder + QStringLiteral("type")) == QStringLiteral("Battery")
            && readTrimmed(folder + QStringLiteral("scope")) != QStringLiteral("Device")
            && readInteger(folder + QStringLiteral("present")).value_or(1) != 0)
            return folder;
    }
    return std::nullopt;
}

std::optional<BatteryReading> LinuxStatusSource::battery()
{
    const auto folder = batteryFolder();
    if (!folder)
        return std::nullopt;
    auto value = [&](const char* name) { return readCounter(*folder + QLatin1String(name)); };
    LinuxProcfs::BatteryFiles files;
    files.capacity = value("capacity");
    files.status = readTrimmed(*folder + QStringLiteral("status"));
    files.energyNow = value("energy_now");
    files.energyFull = value("energy_full");
    files.powerNow = value("power_now");
    files.chargeNow = value("charge_now");
    files.chargeFull = value("charge_full");
    files.currentNow = value("current_now");
    files.timeToEmpty = value("time_to_empty_now");
    files.timeToFull = value("time_to_full_now");
    return LinuxProcfs::batteryReading(files);
}

BatteryFactsReading LinuxStatusSource::batteryFacts()
{
    BatteryFactsReading facts;
    const auto folder = batteryFolder();
    if (!folder)
        return facts;
    auto value = [&](const char* name) { return readCounter(*folder + QLatin1String(name)); };
    facts.health = readTrimmed(*folder + QStringLiteral("health"));
    facts.cycleCount = value("cycle_count");
    auto full = value("energy_full");
    auto design = value("energy_full_design");
    if (!full || !design) {
        full = value("charge_full");
        design = value("charge_full_design");
    }
    facts.capacity = LinuxProcfs::batteryCapacityPercent(full, design);
    if (const auto temp = readInteger(*folder + QStringLiteral("temp"))) // tenths of a degree, may be below zero
        facts.temperature = static_cast<double>(*temp) / 10.0;
    return facts;
}

// Host --------------------------------------------------------------------------------------

HardwareReading LinuxStatusSource::hardware()
{
    HardwareReading reading;
    reading.graphicsOnChip = false;
    if (auto product = readTrimmed(QStringLiteral("/sys/class/dmi/id/product_name"));
        product && !isPlaceholder(*product))
        reading.modelName = product;

    // The first graphics card: its PCI name where the id database is installed, else its driver.
    const QString drm = QStringLiteral("/sys/class/drm/");
    QStringList cards;
    for (const QString& name : folderEntries(path(drm))) {
        static const QRegularExpression card(QStringLiteral("^card\\d+$"));
        if (card.match(name).hasMatch() && QFileInfo::exists(path(drm + name + QStringLiteral("/device"))))
            cards.append(name);
    }
    std::sort(cards.begin(), cards.end(),
              [](const QString& a, const QString& b) { return a.mid(4).toInt() < b.mid(4).toInt(); });
    if (!cards.isEmpty()) {
        const auto uevent = read(drm + cards.first() + QStringLiteral("/device/uevent"));
        QString driver;
        QString pciId;
        if (uevent) {
            for (const QByteArray& line : uevent->split('\n')) {
                if (line.startsWith("DRIVER="))
                    driver = QString::fromUtf8(line.mid(7)).trimmed();
                else if (line.startsWith("PCI_ID="))
                    pciId = QString::fromUtf8(line.mid(7)).trimmed();
            }
        }
        const QStringList ids = pciId.split(QLatin1Char(':'));
        if (ids.size() == 2) {
            for (const char* database : {"/usr/share/misc/pci.ids", "/usr/share/hwdata/pci.ids"}) {
                const auto data = read(QString::fromLatin1(database), qsizetype(64) << 20);
                if (!data)
                    continue;
                reading.gpuName = pciName(*data, ids[0], ids[1]);
                break;
            }
        }
        if (!reading.gpuName && !driver.isEmpty())
            reading.gpuName = driver;
    }
    return reading;
}

std::optional<QString> LinuxStatusSource::cpuBrand()
{
    const auto text = read(QStringLiteral("/proc/cpuinfo"));
    if (!text)
        return std::nullopt;
    return LinuxProcfs::parseCpuinfoModelName(view(*text));
}

std::optional<QString> LinuxStatusSource::machineName()
{
    utsname names{};
    if (::uname(&names) != 0)
        return std::nullopt;
    const QString machine = QString::fromUtf8(names.machine);
    if (machine.isEmpty())
        return std::nullopt;
    return machine;
}

OSVersionReading LinuxStatusSource::osVersion()
{
    OSVersionReading reading;
    reading.platformName = QStringLiteral("linux");
    reading.productName = QStringLiteral("Linux");
    auto text = read(QStringLiteral("/etc/os-release"));
    if (!text)
        text = read(QStringLiteral("/usr/lib/os-release"));
    if (text) {
        const auto values = LinuxProcfs::parseOsRelease(view(*text));
        if (const QString name = values.value(QStringLiteral("NAME")).trimmed(); !name.isEmpty())
            reading.productName = name;
        if (const QString version = values.value(QStringLiteral("VERSION_ID")).trimmed(); !version.isEmpty())
            reading.version = version;
    }
    return reading;
}

std::optional<QString> LinuxStatusSource::hostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return std::nullopt;
    return QString::fromUtf8(name);
}

std::optional<double> LinuxStatusSource::uptimeSeconds()
{
    const auto text = read(QStringLiteral("/proc/uptime"));
    if (!text)
        return std::nullopt;
    return LinuxProcfs::parseUptime(view(*text));
}

std::optional<QString> LinuxStatusSource::trashFolder()
{
    // The freedesktop Trash of the home volume keeps the trashed items under "files".
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!data.startsWith(QLatin1Char('/')))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Trash/files");
}

// Processes ---------------------------------------------------------------------------------

namespace {

// A file below an open folder, at most `limit` bytes of it.
std::optional<QByteArray> readAt(int folder, const char* name, qsizetype limit)
{
    QByteArray data(limit, Qt::Uninitialized);
    const auto used = LinuxProcessFolders::readIntoAt(folder, name, data.data(), static_cast<size_t>(limit), false);
    if (!used)
        return std::nullopt;
    data.resize(static_cast<qsizetype>(*used));
    return data;
}

constexpr unsigned kKernelThreadFlag = 0x00200000; // PF_KTHREAD in the flags of /proc/<pid>/stat
constexpr qint64 kKernelThreadDaemon = 2;          // kthreadd, the parent of every kernel thread

} // namespace

LinuxStatusSource::ProcessTable LinuxStatusSource::readProcessTable()
{
    ProcessTable table;
    const QByteArray proc = QFile::encodeName(path(QStringLiteral("/proc")));
    DIR* dir = ::opendir(proc.constData());
    if (!dir)
        return table;
    const int procFd = ::dirfd(dir);

    const double pageSize = static_cast<double>(::sysconf(_SC_PAGESIZE));
    double memoryTotal = 0;
    if (const auto meminfo = readAt(procFd, "meminfo", 1 << 16))
        memoryTotal = static_cast<double>(LinuxProcfs::parseMeminfo(view(*meminfo)).total.value_or(0));

    QHash<qint64, ProcessIdentity> identities;
    identities.reserve(m_identities.size() + 16);
    table.rows.reserve(m_identities.size() + 16);
    table.times.reserve(m_identities.size() + 16);
    char file[64];
    bool kthreaddListed = false;
    LinuxProcessFolders::forEachProcessStat(dir, [&](const char* name, const LinuxProcfs::ProcessStat& stat) {
        ProcessReading row;
        row.pid = stat.pid;
        row.ppid = stat.ppid;
        row.startTime = stat.startTime;
        row.kernelThread = (stat.flags & kKernelThreadFlag) != 0;
        if (row.pid == kKernelThreadDaemon && (row.kernelThread || stat.comm == QLatin1String("kthreadd")))
            kthreaddListed = true;
        if (row.kernelThread) {
            // Kernel threads have no command line and no memory of their own.
            row.name = stat.comm;
            row.command = stat.comm;
        } else {
            // The same pid, start time and kernel name are the same program as last time (an exec
            // renames the task): its command line need not be read again.
            const auto known = m_identities.constFind(row.pid);
            if (known != m_identities.constEnd() && known->startTime == stat.startTime && known->comm == stat.comm) {
                row.name = known->name;
                row.command = known->command;
            } else {
                std::snprintf(file, sizeof file, "%s/cmdline", name);
                const QByteArray cmdline = readAt(procFd, file, 4096).value_or(QByteArray());
                row.name = LinuxProcfs::processName(cmdline, stat.comm);
                row.command = LinuxProcfs::processCommand(cmdline, stat.comm);
            }
            identities.insert(row.pid, ProcessIdentity{stat.startTime, stat.comm, row.name, row.command});
        }
        if (memoryTotal > 0)
            row.memory = static_cast<double>(stat.residentPages) * pageSize / memoryTotal * 100.0;
        table.times.insert(row.pid, CPUTime{stat.startTime, stat.utime + stat.stime});
        table.rows.append(std::move(row));
    });
    ::closedir(dir);
    m_identities = std::move(identities);

    // Every kernel thread is started by kthreadd, so its children count as kernel threads even
    // where the flag is not shown. Inside a pid namespace pid 2 is an ordinary process: the rule
    // holds only while pid 2 is kthreadd.
    if (kthreaddListed) {
        for (ProcessReading& row : table.rows) {
            if (row.pid == kKernelThreadDaemon || row.ppid == kKernelThreadDaemon)
                row.kernelThread = true;
        }
    }
    return table;
}

std::optional<QList<ProcessReading>> LinuxStatusSource::processes()
{
    if (!QFileInfo(path(QStringLiteral("/proc"))).isDir())
        return std::nullopt;
    std::lock_guard lock(m_processLock);

    // %CPU is the share of one processor used since the previous reading, at least
    // processWindowMs ago; the first call takes its own first reading, and so does a call after a
    // long pause, whose figure would otherwise be the average over the whole pause.
    if (!m_previousTimes || m_options.monotonicSeconds() - m_previousTime > processWindowLimitMs / 1000.0) {
        m_previousTimes = readProcessTable().times;
        m_previousTime = m_options.monotonicSeconds();
    }
    const double waited = m_options.monotonicSeconds() - m_previousTime;
    if (waited < processWindowMs / 1000.0)
        m_options.sleep(static_cast<int>(std::ceil(processWindowMs - waited * 1000.0)));

    ProcessTable table = readProcessTable();
    const double now = m_options.monotonicSeconds();
    const double elapsed = now - m_previousTime;
    const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));
    if (elapsed > 0 && ticksPerSecond > 0) {
        for (ProcessReading& row : table.rows) {
            const CPUTime current = table.times.value(row.pid);
            const auto previous = m_previousTimes->constFind(row.pid);
            quint64 ticks = current.ticks; // a process started since the last reading
            if (previous != m_previousTimes->constEnd() && previous->startTime == current.startTime)
                ticks = current.ticks >= previous->ticks ? current.ticks - previous->ticks : 0;
            row.cpu = static_cast<double>(ticks) / ticksPerSecond / elapsed * 100.0;
        }
    }
    m_previousTimes = table.times;
    m_previousTime = now;
    if (table.rows.isEmpty())
        return std::nullopt;
    return table.rows;
}

} // namespace roror
