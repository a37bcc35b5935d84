#include "app/dashboard/processes/ProcessUsageListModel.h"

#include "app/dashboard/DashboardText.h"
#include "app/dashboard/cards/LoadColor.h"
#include "core/status/ProcessControl.h"

namespace roror {

ProcessUsageListModel::ProcessUsageListModel(QObject* parent)
    : KeyedListModel(parent)
{
}

QVariant ProcessUsageListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rows().size())
        return {};
    const ProcessUsageEntry& e = rows()[index.row()];
    const SystemReport::ProcessInfo& p = e.process;
    switch (role) {
    case KeyRole:
        return e.key;
    case PidRole:
        return p.pid ? *p.pid : qint64(-1);
    case PidTextRole:
        return ProcessUsageRow::pidText(p);
    case Qt::DisplayRole:
    case NameRole:
        return ProcessUsageRow::displayName(p, m_language);
    case DetailRole:
        return ProcessUsageRow::processDetail(p, m_language);
    case CommandRole:
        return p.command.value_or(QString());
    case CpuTextRole:
        return DashboardText::percent(p.cpu, m_language);
    case MemoryTextRole:
        return DashboardText::percent(p.memory, m_language);
    case CpuToneRole:
        return toName(p.cpu ? LoadColor::tone(p.cpu) : ThemeTone::muted);
    case MemoryToneRole:
        return toName(p.memory ? LoadColor::tone(p.memory) : ThemeTone::muted);
    case CpuKnownRole:
        return p.cpu.has_value();
    case MemoryKnownRole:
        return p.memory.has_value();
    case CanTerminateRole:
        return !e.ended && ProcessControl::canTerminate(p.pid);
    case EndedRole:
        return e.ended;
    default:
        return {};
    }
}

QHash<int, QByteArray> ProcessUsageListModel::roleNames() const
{
    return {
        {KeyRole, "rowKey"},
        {PidRole, "pid"},
        {PidTextRole, "pidText"},
        {NameRole, "name"},
        {DetailRole, "detail"},
        {CommandRole, "command"},
        {CpuTextRole, "cpuText"},
        {MemoryTextRole, "memoryText"},
        {CpuToneRole, "cpuTone"},
        {MemoryToneRole, "memoryTone"},
        {CpuKnownRole, "cpuKnown"},
        {MemoryKnownRole, "memoryKnown"},
        {CanTerminateRole, "canTerminate"},
        {EndedRole, "ended"},
    };
}

QList<int> ProcessUsageListModel::changedRoles(const ProcessUsageEntry& before, const ProcessUsageEntry& after) const
{
    const SystemReport::ProcessInfo& b = before.process;
    const SystemReport::ProcessInfo& a = after.process;
    // Whether the process may be ended is not the entry's alone (the listed kernel threads), so a
    // changed row always says it again.
    QList<int> roles{CanTerminateRole};
    if (b.pid != a.pid)
        roles << PidRole << PidTextRole << DetailRole;
    if (b.name != a.name)
        roles << Qt::DisplayRole << NameRole;
    if (b.command != a.command)
        roles << CommandRole << DetailRole;
    if (b.cpu != a.cpu)
        roles << CpuTextRole << CpuToneRole << CpuKnownRole;
    if (b.memory != a.memory)
        roles << MemoryTextRole << MemoryToneRole << MemoryKnownRole;
    if (before.ended != after.ended)
        roles << EndedRole;
    if (before.key != after.key)
        roles << KeyRole;
    // Anything else that differs is no role's alone: every role is read again.
    ProcessUsageEntry rest = before;
    rest.process.pid = a.pid;
    rest.process.name = a.name;
    rest.process.command = a.command;
    rest.process.cpu = a.cpu;
    rest.process.memory = a.memory;
    rest.ended = after.ended;
    rest.key = after.key;
    return rest == after ? roles : QList<int>();
}

void ProcessUsageListModel::setEntries(const QList<ProcessUsageEntry>& entries)
{
    m_latest = entries;
    show(m_held ? heldRows() : entries);
}

void ProcessUsageListModel::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    if (!held)
        show(m_latest);
    emit heldChanged();
}

void ProcessUsageListModel::show(const QList<ProcessUsageEntry>& entries)
{
    replaceRows(entries);
}

QList<ProcessUsageEntry> ProcessUsageListModel::heldRows() const
{
    QHash<QString, qsizetype> latest;
    latest.reserve(m_latest.size());
    for (qsizetype i = 0; i < m_latest.size(); ++i)
        latest.insert(m_latest[i].key, i);
    QList<ProcessUsageEntry> out = rows();
    for (ProcessUsageEntry& row : out) {
        const auto at = latest.constFind(row.key);
        if (at != latest.constEnd())
            row = m_latest[*at];
        else
            row.ended = true;
    }
    return out;
}

void ProcessUsageListModel::setLanguage(AppResolvedLanguage language)
{
    if (language == m_language)
        return;
    m_language = language;
    announceAllChanged();
}

std::optional<ProcessUsageEntry> ProcessUsageListModel::entry(int row) const
{
    if (row < 0 || row >= rows().size())
        return std::nullopt;
    return rows()[row];
}

int ProcessUsageListModel::rowOfKey(const QString& key) const
{
    for (int i = 0; i < rows().size(); ++i) {
        if (rows()[i].key == key)
            return i;
    }
    return -1;
}

} // namespace roror
