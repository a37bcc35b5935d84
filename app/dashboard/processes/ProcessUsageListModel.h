#pragma once

#include "app/kit/KeyedListModel.h"
#include "app/dashboard/processes/ProcessUsageRow.h"

#include <QObject>

namespace roror {

// The Overview's process list, one row per process in the order the page sorted them. Rows keep
// their identity (pid and start time) across refreshes.
class ProcessUsageListModel : public KeyedListModel<ProcessUsageEntry> {
    Q_OBJECT

public:
    enum Role {
        KeyRole = Qt::UserRole + 1,
        PidRole,          // the pid, -1 without one
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
    };

    explicit ProcessUsageListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setEntries(const QList<ProcessUsageEntry>& entries);
    void setLanguage(AppResolvedLanguage language);
    // The row's entry; nothing for a row that is not there.
    std::optional<ProcessUsageEntry> entry(int row) const;
    // The row now holding this key, -1 when none does.
    Q_INVOKABLE int rowOfKey(const QString& key) const;

protected:
    QString keyOf(const ProcessUsageEntry& row) const override { return row.key; }

private:
    AppResolvedLanguage m_language = AppResolvedLanguage::english;
};

} // namespace roror
