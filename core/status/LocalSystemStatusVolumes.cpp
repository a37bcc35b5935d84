#include "core/status/LocalSystemStatus.h"

#include "core/model/AppLocalization.h"
#include "core/status/LocalSystemStatusState.h"

#include <QSet>
#include <QUuid>
#include <algorithm>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

const QString rootPath = QStringLiteral("/");
const QString dataVolumePath = QStringLiteral("/System/Volumes/Data");
const QString externalPrefix = QStringLiteral("/Volumes/");

// Capacities into the record: used = total - available (never below 0), both only when both
// capacities were read.
void fillCapacity(SystemReport::Disk& disk, std::optional<qint64> total, std::optional<qint64> available)
{
    disk.total = total;
    if (total && available) {
        const qint64 used = std::max<qint64>(0, *total - *available);
        disk.used = used;
        disk.usedPercent = *total > 0 ? static_cast<double>(used) / static_cast<double>(*total) * 100.0 : 0.0;
    }
}

// Unicode text order: by scalar values after canonical composition.
bool textLess(const QString& a, const QString& b)
{
    const QList<uint> x = a.normalized(QString::NormalizationForm_C).toUcs4();
    const QList<uint> y = b.normalized(QString::NormalizationForm_C).toUcs4();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
}

} // namespace

QMap<QString, MountInfo> parseMounts(const QString& text)
{
    QMap<QString, MountInfo> table;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype on = line.indexOf(QLatin1String(" on "));
        if (on < 0)
            continue;
        const qsizetype open = line.indexOf(QLatin1String(" ("), on + 4);
        if (open < 0 || !line.endsWith(QLatin1Char(')')))
            continue;
        const qsizetype close = line.size() - 1;
        if (close < open + 2)
            continue;
        MountInfo info;
        info.device = line.left(on);
        const QString mountPath = line.mid(on + 4, open - on - 4);
        const QStringList options = line.mid(open + 2, close - open - 2).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (!options.isEmpty())
            info.fstype = options.first().trimmed();
        table.insert(mountPath, info);
    }
    return table;
}

SystemReport::Disk diskFromVolume(const VolumeReading& volume)
{
    SystemReport::Disk disk;
    const QString& path = volume.mountPath;
    disk.mount = path;
    disk.device = volume.device;
    disk.fstype = volume.fstype;
    fillCapacity(disk, volume.totalCapacity, volume.availableCapacity);
    if (path == dataVolumePath)
        disk.name = AppLocalization::coreText(QStringLiteral("内置磁盘"), QStringLiteral("Internal Disk"));
    else
        disk.name = volume.name.value_or(path);
    disk.external = path.startsWith(externalPrefix) || volume.removable.value_or(false);
    return disk;
}

QList<SystemReport::Disk> deduplicatedDisks(const QList<SystemReport::Disk>& disks)
{
    const bool hasDataVolume
        = std::any_of(disks.begin(), disks.end(), [](const auto& d) { return d.mount == dataVolumePath; });
    QList<SystemReport::Disk> kept;
    QSet<QString> seen;
    for (const SystemReport::Disk& disk : disks) {
        if (hasDataVolume && disk.mount == rootPath)
            continue;
        const QString key = disk.mount ? *disk.mount
            : disk.device              ? *disk.device
            : disk.name                ? *disk.name
                                       : QUuid::createUuid().toString();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        kept.append(disk);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const SystemReport::Disk& a, const SystemReport::Disk& b) {
        const bool ea = a.external.value_or(false);
        const bool eb = b.external.value_or(false);
        if (ea != eb)
            return !ea;
        return textLess(a.mount.value_or(QString()), b.mount.value_or(QString()));
    });
    return kept;
}

SystemReport::Disk primaryDisk(const QList<SystemReport::Disk>& disks)
{
    if (disks.isEmpty()) {
        SystemReport::Disk made;
        made.name = QStringLiteral("Macintosh HD");
        made.mount = rootPath;
        return made;
    }
    for (const QString& path : {dataVolumePath, rootPath}) {
        for (const SystemReport::Disk& disk : disks) {
            if (disk.mount == path)
                return disk;
        }
    }
    return disks.first();
}

QList<SystemReport::Disk> diskSnapshots()
{
    const auto src = source();
    QList<SystemReport::Disk> disks;
    for (const VolumeReading& volume : src->volumes())
        disks.append(diskFromVolume(volume));
    disks = deduplicatedDisks(disks);
    if (!disks.isEmpty())
        return disks;

    // No volume at all: the home folder's volume stands for the disk.
    SystemReport::Disk home;
    const std::optional<VolumeReading> volume = src->homeVolume();
    home.name = volume && volume->name ? *volume->name : QStringLiteral("Macintosh HD");
    home.mount = rootPath;
    if (volume)
        fillCapacity(home, volume->totalCapacity, volume->availableCapacity);
    return {home};
}

} // namespace roror::LocalSystemStatus
