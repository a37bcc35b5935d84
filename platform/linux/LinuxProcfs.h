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
// cached = Cached + Buffers + SReclaimable, swap used = SwapTotal - SwapFree.
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

// A kernel CPU list such as "0-3,6,8-9"; absent when malformed.
std::optional<QSet<int>> parseCPUList(std::string_view text);

// The first "model name" of /proc/cpuinfo.
std::optional<QString> parseCpuinfoModelName(std::string_view text);

// The first number of /proc/uptime or /proc/loadavg lines.
std::optional<double> parseUptime(std::string_view text);
QList<double> parseLoadavg(std::string_view text);

struct ProcessStat {
    qint64 pid = 0;
    QString comm;  // the kernel's name for the task, between the first "(" and the last ")"
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

// The kernel's escape of udev link names (\x20 for a space).
QString decodeUdevEscapes(const QString& name);

} // namespace roror::LinuxProcfs
