#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QList>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <algorithm>
#include <functional>
#include <utility>

namespace roror {

// The list-model side shared by every result list: QML sees `count` and the roles; the rows
// come from a RecordListModel<T>, whose owner names the roles.
class RecordListModelBase : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made in C++ with its rows")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;
    int count() const { return rowCount(); }

    // `role` of the rows whose `keyRole` reads one of `keys` read anew, one row at a time.
    void rowsChanged(const QByteArray& keyRole, const QSet<QString>& keys, const QByteArray& role)
    {
        const QHash<int, QByteArray> names = roleNames();
        const int key = names.key(keyRole, -1);
        const QList<int> changed{names.key(role, -1)};
        for (int row = 0; row < rowCount(); ++row) {
            const QModelIndex at = index(row);
            if (keys.contains(at.data(key).toString()))
                emit dataChanged(at, at, changed);
        }
    }

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

    // A new list: the views build their rows anew.
    void resetRecords(QList<Record> records)
    {
        beginResetModel();
        m_records = std::move(records);
        endResetModel();
        emit countChanged();
    }

    // The same rows (by `sameRow`, in the same order) keep their identity and are updated in place;
    // anything else is a new list.
    template <typename SameRow>
    void updateRecords(QList<Record> records, SameRow sameRow)
    {
        bool same = records.size() == m_records.size();
        for (qsizetype i = 0; same && i < records.size(); ++i)
            same = sameRow(records.at(i), m_records.at(i));
        if (!same) {
            resetRecords(std::move(records));
            return;
        }
        if (records == m_records)
            return;
        m_records = std::move(records);
        emit dataChanged(index(0), index(rowCount() - 1));
    }

    // The same rows in another order (matched by `key`): the delegates stay with their rows and
    // take their new place. A list of another length is a new list.
    template <typename Key>
    void reorderRecords(QList<Record> records, Key key)
    {
        if (records.size() != m_records.size()) {
            resetRecords(std::move(records));
            return;
        }
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        QList<QString> beforeKeys;
        beforeKeys.reserve(before.size());
        for (const QModelIndex& index : before)
            beforeKeys.append(key(m_records.at(index.row())));
        m_records = std::move(records);
        if (!before.isEmpty()) {
            QHash<QString, int> rowOf;
            for (int row = 0; row < m_records.size(); ++row)
                rowOf.insert(key(m_records.at(row)), row);
            QModelIndexList after;
            after.reserve(before.size());
            for (const QString& k : beforeKeys)
                after.append(rowOf.contains(k) ? index(rowOf.value(k)) : QModelIndex());
            changePersistentIndexList(before, after);
        }
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    // Every record rewritten in place (texts taken again after a language switch).
    template <typename Update>
    void updateEach(Update update)
    {
        for (Record& record : m_records)
            update(record);
    }

    // The named roles of every row read anew.
    void rolesChanged(const QList<QByteArray>& names)
    {
        if (!m_records.isEmpty())
            emit dataChanged(index(0), index(rowCount() - 1), roleIds(names));
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
    QList<int> roleIds(const QList<QByteArray>& names) const
    {
        QList<int> ids;
        for (int i = 0; i < m_roles.size(); ++i) {
            if (names.contains(m_roles[i].name))
                ids.append(Qt::UserRole + i);
        }
        return ids;
    }

    QList<Role> m_roles;
    QList<Record> m_records;
};

} // namespace roror
