#include "app/pages/analyze/AnalysisEntryModel.h"

#include "app/pages/analyze/AnalyzeTexts.h"
#include "core/model/LocalizationSettings.h"
#include "core/model/SizeText.h"

#include <algorithm>

namespace roror {

AnalysisEntryModel::AnalysisEntryModel(bool allowsDrillDown, QObject* parent)
    : QAbstractListModel(parent)
    , m_allowsDrillDown(allowsDrillDown)
{
}

int AnalysisEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant AnalysisEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_rows.size())
        return {};
    const AnalysisReport::Entry& entry = m_rows.at(index.row());
    switch (role) {
    case IdRole:
        return m_ids.value(index.row());
    case Qt::DisplayRole:
    case NameRole:
        return AnalyzeTexts::entryName(entry, LocalizationSettings::shared().resolvedLanguage());
    case PathRole:
        return entry.path.value_or(QString());
    case HasPathRole:
        return entry.path.has_value() && !entry.path->isEmpty();
    case SizeTextRole:
        return SizeText::bytes(entry.size);
    case IsDirectoryRole:
        return entry.isDirectory.value_or(false);
    case DrillableRole:
        return AnalyzeTexts::isDrillable(entry, m_allowsDrillDown);
    default:
        return {};
    }
}

QHash<int, QByteArray> AnalysisEntryModel::roleNames() const
{
    return {
        {IdRole, "entryId"},         {NameRole, "name"},       {PathRole, "path"},
        {HasPathRole, "hasPath"},    {SizeTextRole, "sizeText"}, {IsDirectoryRole, "isDirectory"},
        {DrillableRole, "drillable"},
    };
}

void AnalysisEntryModel::setEntries(const QList<AnalysisReport::Entry>& entries, int limit)
{
    beginResetModel();
    m_rows = entries.mid(0, std::max(0, limit));
    // An entry without path or name gets a fresh identity; it is taken once per list, not per read.
    m_ids.clear();
    for (const auto& entry : m_rows)
        m_ids.append(entry.id());
    endResetModel();
    emit countChanged();
}

const AnalysisReport::Entry* AnalysisEntryModel::entryAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return nullptr;
    return &m_rows.at(row);
}

void AnalysisEntryModel::textsChanged()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1), {NameRole, SizeTextRole});
}

} // namespace roror
