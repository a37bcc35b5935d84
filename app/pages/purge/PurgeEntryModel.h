#pragma once

#include "core/engines/purge/PurgePreviewReport.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The rows of the Project Cleanup list, in report order (largest first), one role per field.
class PurgeEntryModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Project Cleanup page")

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        PathRole,
        TargetRole,
        SizeTextRole,
        DetailTextRole, // empty when the scan counted neither files nor folders
    };
    Q_ENUM(Role)

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setEntries(const QList<PurgePreviewReport::Entry>& entries);
    const QList<PurgePreviewReport::Entry>& entries() const { return m_entries; }
    // The language changed: the detail line is read again.
    void textsChanged();

private:
    QList<PurgePreviewReport::Entry> m_entries;
};

} // namespace roror
