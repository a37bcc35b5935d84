#include "app/pages/purge/PurgeEntryModel.h"

namespace roror {

int PurgeEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant PurgeEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    const PurgePreviewReport::Entry& entry = m_entries.at(index.row());
    switch (role) {
    case IdRole:
        return entry.id.toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case NameRole:
        return entry.name;
    case PathRole:
        return entry.path;
    case TargetRole:
        return entry.target;
    case SizeTextRole:
        return entry.sizeText();
    case DetailTextRole:
        return entry.detailText().value_or(QString());
    default:
        return {};
    }
}

QHash<int, QByteArray> PurgeEntryModel::roleNames() const
{
    return {
        {IdRole, "entryId"},     {NameRole, "name"},         {PathRole, "path"},
        {TargetRole, "target"},  {SizeTextRole, "sizeText"}, {DetailTextRole, "detailText"},
    };
}

void PurgeEntryModel::setEntries(const QList<PurgePreviewReport::Entry>& entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

void PurgeEntryModel::textsChanged()
{
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(int(m_entries.size()) - 1), {DetailTextRole, SizeTextRole});
}

} // namespace roror
