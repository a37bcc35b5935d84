#pragma once

#include "core/engines/optimize/OptimizePreviewReport.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The rows of the Optimize preview list, one per task in the report's order.
class OptimizeTaskRows : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Optimize page")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role { TaskIdRole = Qt::UserRole + 1, NameRole, DescriptionRole, DetailRole, HasDetailRole };

    explicit OptimizeTaskRows(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(m_entries.size()); }

    // Rows whose ids are the same, in the same order, keep their identity and are updated in place.
    void setEntries(const QList<OptimizePreviewReport::Entry>& entries);

signals:
    void countChanged();

private:
    QList<OptimizePreviewReport::Entry> m_entries;
};

} // namespace roror
