#pragma once

#include "app/kit/KeyedListModel.h"
#include "app/dashboard/processes/ProcessUsageRow.h"

#include <QObject>

namespace roror {

// The Overview's process list, one row per process in the order the page sorted them. Rows keep
// their identity (pid and start time) across refreshes. While held (the pointer is over the rows)
// the rows keep their places: figures update in place, rows that left are shown ended, new rows
// wait; releasing brings the newest list in its own order.
class ProcessUsageListModel : public KeyedListModel<ProcessUsageEntry> {
    Q_OBJECT
    Q_PROPERTY(bool held READ held WRITE setHeld NOTIFY heldChanged)

public:
    enum Role {
        KeyRole = Qt::UserRole + 1,
        PidRole, // the pid, -1 without one
        PidTextRole,
        NameRole,
        DetailRole,
        CommandRole,
        CpuTextRole,
        MemoryTextRole,
        CpuToneRole,
        MemoryToneRole,
        CpuKnownRole,
        MemoryKnownRole,
        CanTerminateRole,
        EndedRole,
    };

    explicit ProcessUsageListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setEntries(const QList<ProcessUsageEntry>& entries);
    void setLanguage(AppResolvedLanguage language);
    bool held() const { return m_held; }
    void setHeld(bool held);
    // The row's entry; nothing for a row that is not there.
    std::optional<ProcessUsageEntry> entry(int row) const;
    // The row now holding this key, -1 when none does.
    Q_INVOKABLE int rowOfKey(const QString& key) const;

signals:
    void heldChanged();

protected:
    QString keyOf(const ProcessUsageEntry& row) const override { return row.key; }
    QList<int> changedRoles(const ProcessUsageEntry& before, const ProcessUsageEntry& after) const override;

private:
    void show(const QList<ProcessUsageEntry>& entries);
    QList<ProcessUsageEntry> heldRows() const;

    QList<ProcessUsageEntry> m_latest;
    bool m_held = false;
    AppResolvedLanguage m_language = AppResolvedLanguage::english;
};

} // namespace roror
