#pragma once

#include "app/kit/RecordListModel.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <algorithm>

namespace roror {

// A list model whose rows have a key. Replacing the rows announces only what changed: rows whose
// key went away are removed, rows that changed place are moved (the fewest moves: every row of
// the longest run that kept its order stays), new keys are inserted and rows whose content
// changed report dataChanged. Views therefore keep each row's delegate, with its hover and
// scroll position, across a refresh. A reorder that would take more than `maximumMoves` moves
// (a new sort key, a snapshot where most figures changed) is announced as one layout change:
// persistent indexes still follow their rows, views rebind their delegates in place. `count`
// is announced after the rows when their number changed.
template <typename Row>
class KeyedListModel : public RecordListModelBase {
public:
    using RecordListModelBase::RecordListModelBase;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }

    const QList<Row>& rows() const { return m_rows; }

    static constexpr int maximumMoves = 48;

protected:
    virtual QString keyOf(const Row& row) const = 0;
    // The roles whose values differ between two versions of a row; empty: all of them.
    virtual QList<int> changedRoles(const Row& before, const Row& after) const
    {
        Q_UNUSED(before);
        Q_UNUSED(after);
        return {};
    }

    void replaceRows(const QList<Row>& next)
    {
        const qsizetype before = m_rows.size();
        updateRows(next);
        if (m_rows.size() != before)
            emit countChanged();
    }

    void announceAllChanged()
    {
        if (!m_rows.isEmpty())
            emit dataChanged(index(0), index(static_cast<int>(m_rows.size()) - 1));
    }

private:
    void updateRows(const QList<Row>& next)
    {
        QHash<QString, int> nextIndex;
        nextIndex.reserve(next.size());
        bool unique = true;
        for (int i = 0; i < next.size() && unique; ++i) {
            unique = !nextIndex.contains(keyOf(next[i]));
            nextIndex.insert(keyOf(next[i]), i);
        }
        // Keys must be unique on both sides for a keyed update; otherwise the list is shown as new.
        if (!unique || !m_uniqueKeys) {
            beginResetModel();
            m_rows = next;
            m_uniqueKeys = unique;
            endResetModel();
            return;
        }
        removeVanished(nextIndex);
        moveIntoOrder(nextIndex);
        insertNew(next);
        announceChanged(next);
    }

    void removeVanished(const QHash<QString, int>& nextIndex)
    {
        int i = static_cast<int>(m_rows.size()) - 1;
        while (i >= 0) {
            if (nextIndex.contains(keyOf(m_rows[i]))) {
                --i;
                continue;
            }
            const int last = i;
            while (i > 0 && !nextIndex.contains(keyOf(m_rows[i - 1])))
                --i;
            beginRemoveRows(QModelIndex(), i, last);
            m_rows.remove(i, last - i + 1);
            endRemoveRows();
            --i;
        }
    }

    void moveIntoOrder(const QHash<QString, int>& nextIndex)
    {
        const int n = static_cast<int>(m_rows.size());
        if (n < 2)
            return;
        QList<int> target(n);
        for (int i = 0; i < n; ++i)
            target[i] = nextIndex.value(keyOf(m_rows[i]));

        // Longest increasing run of targets (patience sorting), marking the rows that stay.
        QList<int> tails; // position in m_rows of the smallest tail of each run length
        QList<int> previous(n, -1);
        for (int i = 0; i < n; ++i) {
            const auto at = std::lower_bound(tails.begin(), tails.end(), target[i],
                                             [&](int position, int value) { return target[position] < value; });
            const int length = static_cast<int>(at - tails.begin());
            previous[i] = length > 0 ? tails[length - 1] : -1;
            if (at == tails.end())
                tails.append(i);
            else
                *at = i;
        }
        QList<bool> stays(n, false);
        for (int i = tails.isEmpty() ? -1 : tails.last(); i >= 0; i = previous[i])
            stays[i] = true;
        const int moving = static_cast<int>(stays.count(false));
        if (moving == 0)
            return;

        QList<int> byTarget(n);
        for (int i = 0; i < n; ++i)
            byTarget[i] = i;
        std::sort(byTarget.begin(), byTarget.end(), [&](int a, int b) { return target[a] < target[b]; });
        if (moving > maximumMoves) {
            reorder(byTarget);
            return;
        }

        // Each row that moves goes right after the row that precedes it in the final order,
        // handled in final order so that row is already in place.
        QList<QString> keys(n);
        for (int i = 0; i < n; ++i)
            keys[i] = keyOf(m_rows[i]);
        QList<QString> order(n);
        QList<bool> staysInOrder(n);
        for (int r = 0; r < n; ++r) {
            order[r] = keys[byTarget[r]];
            staysInOrder[r] = stays[byTarget[r]];
        }
        for (int r = 0; r < n; ++r) {
            if (staysInOrder[r])
                continue;
            const int from = static_cast<int>(keys.indexOf(order[r]));
            const int after = r > 0 ? static_cast<int>(keys.indexOf(order[r - 1])) : -1;
            const int destination = after + 1; // the row goes before this position (counted before the move)
            if (destination == from || destination == from + 1)
                continue;
            const int to = destination > from ? destination - 1 : destination;
            beginMoveRows(QModelIndex(), from, from, QModelIndex(), destination);
            m_rows.move(from, to);
            keys.move(from, to);
            endMoveRows();
        }
    }

    // Puts the rows in the order `order` gives (the old position of each new row) in one step.
    void reorder(const QList<int>& order)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        QList<int> newPosition(order.size());
        QList<Row> rows;
        rows.reserve(order.size());
        for (int r = 0; r < order.size(); ++r) {
            newPosition[order[r]] = r;
            rows.append(m_rows[order[r]]);
        }
        const QModelIndexList held = persistentIndexList();
        QModelIndexList moved;
        moved.reserve(held.size());
        for (const QModelIndex& index : held)
            moved.append(index.isValid() ? this->index(newPosition[index.row()]) : QModelIndex());
        m_rows = rows;
        changePersistentIndexList(held, moved);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    void insertNew(const QList<Row>& next)
    {
        QSet<QString> present;
        for (const Row& row : m_rows)
            present.insert(keyOf(row));
        int i = 0;
        const int n = static_cast<int>(next.size());
        while (i < n) {
            if (present.contains(keyOf(next[i]))) {
                ++i;
                continue;
            }
            int last = i;
            while (last + 1 < n && !present.contains(keyOf(next[last + 1])))
                ++last;
            beginInsertRows(QModelIndex(), i, last);
            for (int k = i; k <= last; ++k)
                m_rows.insert(k, next[k]);
            endInsertRows();
            i = last + 1;
        }
    }

    // One notice over the span from the first to the last changed row: views only rebind the
    // delegates they show, so a wide span costs less than one notice per changed run. It names
    // the roles that changed in any of those rows, so views read those again and no others.
    void announceChanged(const QList<Row>& next)
    {
        int first = -1;
        int last = -1;
        QList<int> roles;
        bool allRoles = false;
        for (int i = 0; i < next.size(); ++i) {
            if (m_rows[i] == next[i])
                continue;
            if (!allRoles) {
                const QList<int> changed = changedRoles(m_rows[i], next[i]);
                allRoles = changed.isEmpty();
                for (const int role : changed) {
                    if (!roles.contains(role))
                        roles.append(role);
                }
            }
            m_rows[i] = next[i];
            if (first < 0)
                first = i;
            last = i;
        }
        if (first >= 0)
            emit dataChanged(index(first), index(last), allRoles ? QList<int>() : roles);
    }

    QList<Row> m_rows;
    bool m_uniqueKeys = true;
};

} // namespace roror
