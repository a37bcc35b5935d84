#include "app/pages/optimize/OptimizeTaskRows.h"

namespace roror {

OptimizeTaskRows::OptimizeTaskRows(QObject* parent)
    : QAbstractListModel(parent)
{
}

int OptimizeTaskRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant OptimizeTaskRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= count())
        return {};
    const OptimizePreviewReport::Entry& entry = m_entries.at(index.row());
    switch (role) {
    case TaskIdRole: return entry.id;
    case NameRole: return entry.name;
    case DescriptionRole: return entry.description;
    case DetailRole: return entry.detail.value_or(QString());
    case HasDetailRole: return entry.detail.has_value() && !entry.detail->isEmpty();
    default: return {};
    }
}

QHash<int, QByteArray> OptimizeTaskRows::roleNames() const
{
    return {{TaskIdRole, "taskId"}, {NameRole, "name"}, {DescriptionRole, "description"}, {DetailRole, "detail"},
            {HasDetailRole, "hasDetail"}};
}

void OptimizeTaskRows::setEntries(const QList<OptimizePreviewReport::Entry>& entries)
{
    bool sameRows = entries.size() == m_entries.size();
    for (qsizetype i = 0; sameRows && i < entries.size(); ++i)
        sameRows = entries.at(i).id == m_entries.at(i).id;
    if (sameRows) {
        if (entries == m_entries)
            return;
        m_entries = entries;
        emit dataChanged(index(0), index(count() - 1));
        return;
    }
    beginResetModel();
    m_entries = entries;
    endResetModel();
    emit countChanged();
}

} // namespace roror
