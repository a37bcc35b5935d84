#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <algorithm>
#include <functional>
#include <utility>

namespace roror {

// The list-model side shared by every result list: QML sees `count` and the roles; the rows
// come from a RecordListModel<T>.
class RecordListModelBase : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made in C++ with its rows")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;
    int count() const { return rowCount(); }

signals:
    void countChanged();
};

// A list model over a list of records, one role per field: each role is a name and a reader of
// the record. Replacing the rows keeps the rows that stay (changed in place, removed or added
// at the end) so that a list refreshed in place keeps its scroll position.
template <typename Record>
class RecordListModel : public RecordListModelBase {
public:
    using Reader = std::function<QVariant(const Record&)>;
    struct Role {
        QByteArray name;
        Reader read;
    };

    explicit RecordListModel(QList<Role> roles, QObject* parent = nullptr)
        : RecordListModelBase(parent)
        , m_roles(std::move(roles))
    {
    }

    const QList<Record>& records() const { return m_records; }

    void setRecords(QList<Record> records)
    {
        const int before = int(m_records.size());
        const int after = int(records.size());
        if (after < before) {
            beginRemoveRows({}, after, before - 1);
            m_records.resize(after);
            endRemoveRows();
        }
        // The new list is taken whole (shared, not copied row by row); rows that stay are
        // announced as changed, the rest as inserted.
        if (after > before) {
            beginInsertRows({}, before, after - 1);
            m_records = std::move(records);
            endInsertRows();
        } else {
            m_records = std::move(records);
        }
        const int kept = std::min(before, after);
        if (kept > 0)
            emit dataChanged(index(0), index(kept - 1));
        if (before != after)
            emit countChanged();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_records.size()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const int field = role - Qt::UserRole;
        if (!index.isValid() || index.row() >= m_records.size() || field < 0 || field >= m_roles.size())
            return {};
        return m_roles[field].read(m_records[index.row()]);
    }

    QHash<int, QByteArray> roleNames() const override
    {
        QHash<int, QByteArray> names;
        for (int i = 0; i < m_roles.size(); ++i)
            names.insert(Qt::UserRole + i, m_roles[i].name);
        return names;
    }

private:
    QList<Role> m_roles;
    QList<Record> m_records;
};

} // namespace roror
