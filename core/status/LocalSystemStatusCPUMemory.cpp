#include "core/status/LocalSystemStatus.h"

#include "core/status/LocalSystemStatusState.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

constexpr int cpuSampleWindowMs = 200;

double clampPercent(double value)
{
    return std::clamp(value, 0.0, 100.0);
}

} // namespace

std::optional<QList<CPUTicks>> cpuTicks()
{
    const auto readings = source()->cpuTicks();
    if (!readings)
        return std::nullopt;
    QList<CPUTicks> ticks;
    ticks.reserve(readings->size());
    for (const CPUTickReading& r : *readings)
        ticks.append(CPUTicks{r.user, r.system, r.idle, r.nice});
    return ticks;
}

std::optional<CPUUsageSnapshot> cpuUsageBetween(const QList<CPUTicks>& first, const QList<CPUTicks>& second)
{
    if (first.size() != second.size() || first.isEmpty())
        return std::nullopt;
    quint64 busySum = 0;
    quint64 totalSum = 0;
    CPUUsageSnapshot result;
    result.perCore.reserve(first.size());
    for (qsizetype i = 0; i < first.size(); ++i) {
        const CPUTicks& a = first[i];
        const CPUTicks& b = second[i];
        const quint64 busyA = a.user + a.system + a.nice;
        const quint64 busyB = b.user + b.system + b.nice;
        const quint64 totalA = busyA + a.idle;
        const quint64 totalB = busyB + b.idle;
        // A counter that went backwards contributes nothing rather than a huge unsigned delta.
        const quint64 busyDelta = busyB >= busyA ? busyB - busyA : 0;
        const quint64 totalDelta = totalB >= totalA ? totalB - totalA : 0;
        busySum += busyDelta;
        totalSum += totalDelta;
        result.perCore.append(
            totalDelta == 0 ? 0.0
                            : clampPercent(static_cast<double>(busyDelta) / static_cast<double>(totalDelta) * 100.0));
    }
    if (totalSum == 0)
        return std::nullopt;
    result.usage = clampPercent(static_cast<double>(busySum) / static_cast<double>(totalSum) * 100.0);
    return result;
}

std::optional<CPUUsageSnapshot> measuredCPUUsage()
{
    const auto first = cpuTicks();
    if (!first)
        return std::nullopt;
    sleepFor(cpuSampleWindowMs);
    const auto second = cpuTicks();
    if (!second)
        return std::nullopt;
    return cpuUsageBetween(*first, *second);
}

SystemReport::CPU cpuSnapshot()
{
    const auto src = source();
    const QList<double> loads = src->loadAverages().mid(0, 3);
    const qsizetype n = loads.size();
    const std::optional<qint64> kernelLogical = src->logicalCPUCount();
    const qint64 logical = kernelLogical ? *kernelLogical : std::max<qint64>(1, src->activeProcessorCount());
    const std::optional<qint64> physical = src->physicalCPUCount();
    const std::optional<CPUUsageSnapshot> measured = measuredCPUUsage();

    std::optional<double> usage;
    if (measured)
        usage = measured->usage;
    else if (n >= 1 && logical > 0)
        usage = clampPercent(loads[0] / static_cast<double>(logical) * 100.0);

    const std::optional<qint64> pCores = src->performanceCoreCount();
    const std::optional<qint64> eCores = src->efficiencyCoreCount();
    return SystemReport::CPU(usage, measured ? std::optional(measured->perCore) : std::nullopt, !measured,
                             n >= 1 ? std::optional(loads[0]) : std::nullopt,
                             n >= 2 ? std::optional(loads[1]) : std::nullopt,
                             n >= 3 ? std::optional(loads[2]) : std::nullopt, physical, logical, loads, pCores, eCores);
}

QString memoryPressure(double usedPercent)
{
    if (usedPercent >= 95)
        return QStringLiteral("critical");
    if (usedPercent >= 82)
        return QStringLiteral("warn");
    return QStringLiteral("normal");
}

SystemReport::Memory memorySnapshot()
{
    const auto src = source();
    const MemoryReading reading = src->memory();
    SystemReport::Memory memory;
    memory.total = reading.total ? reading.total : src->physicalMemory();
    if (!memory.total)
        memory.total = 0;
    if (reading.used) {
        memory.used = reading.used;
        memory.usedPercent = *memory.total == 0
            ? 0.0
            : static_cast<double>(*reading.used) / static_cast<double>(*memory.total) * 100.0;
        memory.pressure = memoryPressure(*memory.usedPercent);
    }
    memory.cached = reading.cached;
    memory.swapUsed = reading.swapUsed;
    memory.swapTotal = reading.swapTotal;
    return memory;
}

SwapUsage parseSwapUsage(const QString& text)
{
    auto megabytes = [&](const QString& pattern) -> std::optional<qint64> {
        const QRegularExpression expression(pattern);
        if (!expression.isValid())
            return std::nullopt;
        const QRegularExpressionMatch match = expression.match(text);
        if (!match.hasMatch() || match.lastCapturedIndex() < 1)
            return std::nullopt;
        const auto value = decimalNumber(match.capturedView(1));
        if (!value)
            return std::nullopt;
        const double bytes = *value * 1048576.0;
        if (!std::isfinite(bytes) || std::abs(bytes) >= 9.2e18)
            return std::nullopt;
        return static_cast<qint64>(bytes); // truncated toward zero
    };
    SwapUsage usage;
    usage.used = megabytes(QStringLiteral("used\\s*=\\s*([0-9]+(?:\\.[0-9]+)?)M"));
    usage.total = megabytes(QStringLiteral("total\\s*=\\s*([0-9]+(?:\\.[0-9]+)?)M"));
    return usage;
}

} // namespace roror::LocalSystemStatus
