// The readers of the kernel's own files (/proc, /sys, /etc/os-release), each given the same text,
// and the battery figures read as counters from its lines.
#include "platform/linux/LinuxProcfs.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace roror;
    using namespace roror::LinuxProcfs;
    const std::string_view text = fuzz::view(data, size);
    parseProcStat(text);
    const MemoryReading memory = parseMeminfo(text);
    for (const auto& figure : {memory.total, memory.used, memory.cached, memory.swapUsed, memory.swapTotal}) {
        if (figure && *figure < 0)
            std::abort();
    }
    parseProcMounts(text);
    parseDiskstats(text);
    parseOsRelease(text);
    if (const auto cpus = parseCPUList(text); cpus && cpus->size() > maxCPUNumber + 1)
        std::abort();
    parseCpuinfoModelName(text);
    if (const auto uptime = parseUptime(text); uptime && !(*uptime >= 0 && *uptime < maxUptimeSeconds))
        std::abort();
    parseLoadavg(text);
    parseProcessStat(text);
    const QByteArray raw = fuzz::bytes(data, size);
    processCommand(raw, QString::fromUtf8(raw.left(15)));
    processName(raw, QString::fromUtf8(raw.left(15)));
    decodeUdevEscapes(QString::fromUtf8(raw));

    const QList<QByteArray> lines = fuzz::pieces(data, size, 12);
    const auto counter
        = [&](int i) { return parseCounter(std::string_view(lines[i].constData(), size_t(lines[i].size()))); };
    BatteryFiles files;
    files.capacity = counter(0);
    files.status = QString::fromUtf8(lines[1]).trimmed();
    files.energyNow = counter(2);
    files.energyFull = counter(3);
    files.powerNow = counter(4);
    files.chargeNow = counter(5);
    files.chargeFull = counter(6);
    files.currentNow = counter(7);
    files.timeToEmpty = counter(8);
    files.timeToFull = counter(9);
    const BatteryReading battery = batteryReading(files);
    if (battery.percent && !(*battery.percent >= 0 && *battery.percent <= 100))
        std::abort();
    if (const auto capacity = batteryCapacityPercent(counter(10), counter(11)); capacity && *capacity < 0)
        std::abort();
    return 0;
}
