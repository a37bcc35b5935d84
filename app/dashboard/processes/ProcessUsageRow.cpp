#include "app/dashboard/processes/ProcessUsageRow.h"

#include "app/dashboard/DashboardText.h"

#include <QFileInfo>

namespace roror::ProcessUsageRow {

QList<ProcessUsageEntry> entries(const QList<SystemReport::ProcessInfo>& processes,
                                 const QHash<qint64, quint64>& startTimes)
{
    QList<ProcessUsageEntry> list;
    list.reserve(processes.size());
    QHash<QString, int> seen;
    for (const SystemReport::ProcessInfo& p : processes) {
        ProcessUsageEntry entry;
        entry.process = p;
        QString base;
        if (p.pid) {
            const auto start = startTimes.constFind(*p.pid);
            if (start != startTimes.constEnd())
                entry.startTime = *start;
            base = QStringLiteral("p:") + QString::number(*p.pid) + QLatin1Char(':')
                + (entry.startTime ? QString::number(*entry.startTime) : QString());
        } else if (p.name) {
            base = QStringLiteral("n:") + p.name->normalized(QString::NormalizationForm_C);
        } else {
            base = QStringLiteral("x:");
        }
        const int occurrence = seen.value(base, 0);
        seen.insert(base, occurrence + 1);
        entry.key = occurrence == 0 ? base : base + QLatin1Char('#') + QString::number(occurrence);
        list.append(entry);
    }
    return list;
}

QString displayName(const SystemReport::ProcessInfo& process, AppResolvedLanguage language)
{
    if (process.name && !process.name->isEmpty())
        return *process.name;
    return DashboardText::pick(language, QStringLiteral("进程"), QStringLiteral("Process"));
}

QString processDetail(const SystemReport::ProcessInfo& process, AppResolvedLanguage language)
{
    if (process.command && !process.command->isEmpty())
        return *process.command;
    if (process.pid)
        return QStringLiteral("PID ") + QString::number(*process.pid);
    return DashboardText::pick(language, QStringLiteral("没有路径信息"), QStringLiteral("No path information"));
}

QString pidText(const SystemReport::ProcessInfo& process)
{
    return process.pid ? QString::number(*process.pid) : QStringLiteral("-");
}

bool hasRevealPath(const SystemReport::ProcessInfo& process)
{
    return process.command && !process.command->isEmpty() && QFileInfo::exists(*process.command);
}

bool isSameProcess(std::optional<quint64> seen, std::optional<quint64> listedNow)
{
    return !seen || listedNow == seen;
}

} // namespace roror::ProcessUsageRow
