#pragma once

#include "core/model/AnalysisReport.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace roror {

// The rows of one Storage Analysis table: the first `limit` entries of its list, in report order.
class AnalysisEntryModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Storage Analysis page")
    Q_PROPERTY(bool allowsDrillDown READ allowsDrillDown CONSTANT)
    // The number of rows shown.
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,     // "Untitled" when the entry has none
        PathRole,     // empty when the entry has none
        HasPathRole,  // reveal, open and Trash act only on rows with a path
        SizeTextRole,
        IsDirectoryRole,
        DrillableRole,
    };
    Q_ENUM(Role)

    explicit AnalysisEntryModel(bool allowsDrillDown, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    bool allowsDrillDown() const { return m_allowsDrillDown; }
    int count() const { return int(m_rows.size()); }
    void setEntries(const QList<AnalysisReport::Entry>& entries, int limit);
    // The shown entry of a row, or nothing outside the shown rows.
    const AnalysisReport::Entry* entryAt(int row) const;
    void textsChanged();

signals:
    void countChanged();

private:
    bool m_allowsDrillDown;
    QList<AnalysisReport::Entry> m_rows;
    QStringList m_ids;
};

} // namespace roror
