#include "core/status/LocalSystemStatus.h"

#include "core/status/LocalSystemStatusState.h"
#include "core/status/ProcessControl.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace roror::LocalSystemStatus {

using namespace detail;

namespace {

// Splits at the space character only, runs of spaces counting as one separator, into at most
// maxSplits + 1 words; the last word is the rest of the line after the separator that ended the
// word before it (further spaces kept).
QList<QStringView> splitWords(QStringView line, int maxSplits)
{
    QList<QStringView> words;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == QLatin1Char(' ')) {
            const bool appended = i > start;
            if (appended)
                words.append(line.mid(start, i - start));
            ++i;
            start = i;
            if (appended && words.size() == maxSplits)
                break;
            continue;
        }
        ++i;
    }
    if (start < line.size())
        words.append(line.mid(start));
    return words;
}

// The last path component, a trailing "/" ignored.
QString lastComponent(const QString& path)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (p == QLatin1String("/"))
        return p;
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

SystemReport::ProcessInfo record(qint64 pid, std::optional<qint64> ppid, double cpu, double memory,
                                 QStringView commandWord)
{
    SystemReport::ProcessInfo info;
    info.pid = pid;
    info.ppid = ppid;
    info.cpu = cpu;
    info.memory = memory;
    const QString command = commandWord.toString().trimmed();
    info.command = command;
    const QString name = lastComponent(command);
    info.name = name.isEmpty() ? command : name;
    return info;
}

} // namespace

std::optional<SystemReport::ProcessInfo> parseProcessLine(const QString& line)
{
    const QList<QStringView> five = splitWords(line, 4);
    if (five.size() == 5) {
        const auto pid = wholeNumber(five[0]);
        const auto ppid = wholeNumber(five[1]);
        const auto cpu = decimalNumber(five[2]);
        const auto memory = decimalNumber(five[3]);
        if (pid && ppid && cpu && memory)
            return record(*pid, ppid, *cpu, *memory, five[4]);
    }
    const QList<QStringView> four = splitWords(line, 3);
    if (four.size() == 4) {
        const auto pid = wholeNumber(four[0]);
        const auto cpu = decimalNumber(four[1]);
        const auto memory = decimalNumber(four[2]);
        if (pid && cpu && memory)
            return record(*pid, std::nullopt, *cpu, *memory, four[3]);
    }
    return std::nullopt;
}

ProcessList parseProcessSnapshot(const QString& text)
{
    ProcessList processes;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (auto info = parseProcessLine(line))
            processes.append(*info);
    }
    return processes;
}

void sortByCPU(ProcessList& processes)
{
    // A value that is not a number sorts as the lowest, so it never moves ahead of another.
    auto key = [](const SystemReport::ProcessInfo& p) {
        const double cpu = p.cpu.value_or(0.0);
        return std::isnan(cpu) ? -std::numeric_limits<double>::infinity() : cpu;
    };
    std::stable_sort(processes.begin(), processes.end(), [&](const auto& a, const auto& b) { return key(a) > key(b); });
}

ProcessList processSnapshot()
{
    const auto readings = source()->processes();
    if (!readings)
        return {};
    ProcessList processes;
    processes.reserve(readings->size());
    QHash<qint64, quint64> startTimes;
    QSet<qint64> kernelThreads;
    for (const ProcessReading& r : *readings) {
        SystemReport::ProcessInfo info;
        info.pid = r.pid;
        info.ppid = r.ppid;
        info.name = r.name;
        info.command = r.command.trimmed();
        info.cpu = r.cpu;
        info.memory = r.memory;
        processes.append(info);
        if (r.startTime)
            startTimes.insert(r.pid, *r.startTime);
        if (r.kernelThread)
            kernelThreads.insert(r.pid);
    }
    ProcessControl::rememberListedProcesses(startTimes, kernelThreads);
    sortByCPU(processes);
    return processes;
}

} // namespace roror::LocalSystemStatus
