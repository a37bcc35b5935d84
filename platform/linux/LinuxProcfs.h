#pragma once

#include "platform/StatusSource.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <optional>
#include <string_view>

// Readers of the kernel's own text files (/proc, /sys, /etc/os-release). Pure text in, values out,
// so each one is tested on a recorded copy of its file.
namespace roror::LinuxProcfs {

// Per-core lines ("cpu0 ...") of /proc/stat in kernel order; the summary "cpu" line is skipped.
// user = user; nice = nice; system = system + irq + softirq + steal; idle = idle + iowait
// (guest time is already part of user). Absent when there is no per-core line.
std::optional<QList<CPUTickReading>> parseProcStat(std::string_view text);

// /proc/meminfo figures in bytes: total = MemTotal, used = MemTotal - MemAvailable,
// cached = Cached + Buffers + SReclaimable, swap used = SwapTotal - SwapFree. A negative field, or
// one too large for its byte count, is treated as absent, and so is a sum that would overflow.
MemoryReading parseMeminfo(std::string_view text);

struct MountEntry {
    QString device;
    QString mountPath;
    QString fstype;
    QString options;
    bool operator==(const MountEntry&) const = default;
};
// /proc/self/mounts, with the kernel's octal escapes (\040 for a space) decoded.
QList<MountEntry> parseProcMounts(std::string_view text);

// /proc/diskstats: device name -> bytes read and written (the sector counts are in 512-byte units).
QHash<QString, DiskByteReading> parseDiskstats(std::string_view text);

// /etc/os-release: KEY=value lines, quotes and backslash escapes removed.
QMap<QString, QString> parseOsRelease(std::string_view text);

// The highest CPU number a list may name; the kernel's own limit is far below.
inline constexpr int maxCPUNumber = 65535;
// A kernel CPU list such as "0-3,6,8-9"; absent when malformed, when it names a CPU above
// maxCPUNumber or when its ranges together name more CPUs than there can be.
std::optional<QSet<int>> parseCPUList(std::string_view text);

// The first "model name" of /proc/cpuinfo.
std::optional<QString> parseCpuinfoModelName(std::string_view text);

// Uptimes from here on are no whole count of seconds the snapshot can hold.
inline constexpr double maxUptimeSeconds = 9223372036854775807.0;
// The first number of /proc/uptime or /proc/loadavg lines; an uptime must be a finite number of
// seconds below maxUptimeSeconds.
std::optional<double> parseUptime(std::string_view text);
QList<double> parseLoadavg(std::string_view text);

struct ProcessStat {
    qint64 pid = 0;
    QString comm; // the kernel's name for the task, between the first "(" and the last ")"
    char state = '?';
    qint64 ppid = 0;
    unsigned flags = 0;
    quint64 utime = 0; // clock ticks
    quint64 stime = 0;
    quint64 startTime = 0; // clock ticks after boot
    quint64 residentPages = 0;
};
// One /proc/<pid>/stat line; absent when malformed.
std::optional<ProcessStat> parseProcessStat(std::string_view text);

// The command of a process: its first argument when it has one, else the kernel's name (kernel
// threads and zombies have no arguments).
QString processCommand(const QByteArray& cmdline, const QString& comm);

// The short name: the last path component of the first argument when that is the program the
// kernel knows (comm, which the kernel cuts at 15 characters); otherwise comm itself, so
// kernel threads ("kworker/0:1") and programs that rewrite their title keep a true name.
QString processName(const QByteArray& cmdline, const QString& comm);

// A counter file of /sys: a decimal integer that is not negative.
std::optional<qint64> parseCounter(std::string_view text);

// The files of a /sys/class/power_supply battery folder that the live reading uses, as read with
// parseCounter (status trimmed).
struct BatteryFiles {
    std::optional<qint64> capacity;
    std::optional<QString> status;
    std::optional<qint64> energyNow;
    std::optional<qint64> energyFull;
    std::optional<qint64> powerNow;
    std::optional<qint64> chargeNow;
    std::optional<qint64> chargeFull;
    std::optional<qint64> currentNow;
    std::optional<qint64> timeToEmpty;
    std::optional<qint64> timeToFull;
};

// The longest time left a battery estimate may give: a year.
inline constexpr double maxBatterySeconds = 365.0 * 24 * 3600;
// The charge, the charge-state word and the time left ("h:mm") of a battery; an estimate that is
// not finite or beyond maxBatterySeconds is left out.
BatteryReading batteryReading(const BatteryFiles& files);

// Full-charge capacity in percent of the design capacity; absent when either is missing, the design
// is not positive, or the figure is beyond maxBatteryCapacityPercent.
inline constexpr double maxBatteryCapacityPercent = 200.0;
std::optional<qint64> batteryCapacityPercent(std::optional<qint64> full, std::optional<qint64> design);

// The kernel's escape of udev link names (\x20 for a space).
QString decodeUdevEscapes(const QString& name);

} // namespace roror::LinuxProcfs
