#include "core/status/LocalSystemStatus.h"

#include "core/status/LocalSystemStatusState.h"
#include "core/support/FolderWalker.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

constexpr double mebibyte = 1048576.0;
constexpr double trashCacheSeconds = 30.0;

quint64 saturatingAdd(quint64 a, quint64 b)
{
    return a > std::numeric_limits<quint64>::max() - b ? std::numeric_limits<quint64>::max() : a + b;
}

} // namespace

std::optional<DiskByteCounters> parseDiskByteCounters(const QString& text)
{
    const QRegularExpression readPattern(QStringLiteral("\"Bytes \\(Read\\)\"=(\\d+)"));
    const QRegularExpression writePattern(QStringLiteral("\"Bytes \\(Write\\)\"=(\\d+)"));
    if (!readPattern.isValid() || !writePattern.isValid())
        return std::nullopt;
    bool found = false;
    auto total = [&](const QRegularExpression& pattern) {
        quint64 sum = 0;
        auto it = pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            if (match.lastCapturedIndex() < 1)
                continue;
            const auto value = unsignedNumber(match.capturedView(1));
            if (!value)
                continue;
            sum = saturatingAdd(sum, *value);
            found = true;
        }
        return sum;
    };
    DiskByteCounters counters;
    counters.read = total(readPattern);
    counters.write = total(writePattern);
    if (!found)
        return std::nullopt;
    return counters;
}

std::optional<double> diskTransferRateMBs(quint64 currentBytes, quint64 previousBytes, double elapsed)
{
    if (!(elapsed > 0) || currentBytes < previousBytes)
        return std::nullopt;
    return static_cast<double>(currentBytes - previousBytes) / mebibyte / elapsed;
}

SystemReport::DiskIO diskIORates(const QHash<QString, DiskByteReading>& current, double now,
                                 const std::optional<DiskSample>& previous)
{
    SystemReport::DiskIO io;
    if (!previous)
        return io;
    // Only disks present in both readings count: a disk attached meanwhile brings its lifetime
    // total, which is no transfer of this interval.
    quint64 read = 0;
    quint64 written = 0;
    bool common = false;
    bool readWentBack = false;
    bool writeWentBack = false;
    for (auto it = current.constBegin(); it != current.constEnd(); ++it) {
        const auto before = previous->disks.constFind(it.key());
        if (before == previous->disks.constEnd())
            continue;
        common = true;
        if (it->readBytes < before->readBytes)
            readWentBack = true;
        else
            read = saturatingAdd(read, it->readBytes - before->readBytes);
        if (it->writeBytes < before->writeBytes)
            writeWentBack = true;
        else
            written = saturatingAdd(written, it->writeBytes - before->writeBytes);
    }
    if (!common)
        return io;
    const double elapsed = now - previous->timestamp;
    if (!readWentBack)
        io.readRate = diskTransferRateMBs(read, 0, elapsed);
    if (!writeWentBack)
        io.writeRate = diskTransferRateMBs(written, 0, elapsed);
    return io;
}

std::optional<SystemReport::DiskIO> diskIOSnapshot()
{
    const auto counters = source()->diskCounters();
    if (!counters || counters->isEmpty())
        return std::nullopt;
    const double now = wallClock();
    auto& state = diskState();
    std::lock_guard lock(state.lock);
    const SystemReport::DiskIO io = diskIORates(*counters, now, state.lastSample);
    state.lastSample = DiskSample{*counters, now};
    return io;
}

std::optional<SystemReport::DiskIOHistory> diskIOHistorySnapshot(const std::optional<SystemReport::DiskIO>& diskIO)
{
    if (!diskIO)
        return std::nullopt;
    const double read = diskIO->readRate.value_or(0.0);
    const double write = diskIO->writeRate.value_or(0.0);
    auto& state = diskHistoryState();
    std::lock_guard lock(state.lock);
    appendToHistory(state.read, read);
    appendToHistory(state.write, write);
    return SystemReport::DiskIOHistory{state.read, state.write};
}

std::optional<qint64> directoryAllocatedSize(const QString& path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    qint64 total = 0;
    WalkOptions options;
    options.skipHidden = true;
    options.skipPackageDescendants = true;
    const bool walked = walkFolder(path, options, [&](const WalkEntry& entry) {
        if (entry.info.isRegularFile)
            total += entry.info.allocatedSize;
        return WalkAction::Continue;
    });
    if (!walked)
        return std::nullopt;
    return total;
}

std::optional<qint64> trashSizeSnapshot()
{
    const double now = wallClock();
    auto& state = trashState();
    {
        std::lock_guard lock(state.lock);
        if (state.size && state.date && now - *state.date < trashCacheSeconds)
            return state.size;
    }
    const auto folder = source()->trashFolder();
    const std::optional<qint64> size = folder ? directoryAllocatedSize(*folder) : std::nullopt;
    std::lock_guard lock(state.lock);
    state.size = size;
    state.date = now;
    return size;
}

} // namespace roror::LocalSystemStatus
