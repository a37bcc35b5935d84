#include "app/pages/installer/InstallerEntryModel.h"

#include "app/pages/installer/InstallerTexts.h"
#include "core/model/LocalizationSettings.h"

namespace roror {

InstallerEntryModel::InstallerEntryModel(std::function<bool(const QString&)> isSelected, QObject* parent)
    : QAbstractListModel(parent)
    , m_isSelected(std::move(isSelected))
{
}

int InstallerEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant InstallerEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    const InstallerPreviewReport::Entry& entry = m_entries.at(index.row());
    switch (role) {
    case IdRole:
        return entry.id.toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case NameRole:
        return entry.name;
    case PathRole:
        return entry.path;
    case SourceRole:
        return entry.source;
    case KindRole:
        return InstallerTexts::installerKind(entry.path, LocalizationSettings::shared().resolvedLanguage());
    case SizeTextRole:
        return entry.sizeText();
    case SelectedRole:
        return m_isSelected(entry.path);
    default:
        return {};
    }
}

QHash<int, QByteArray> InstallerEntryModel::roleNames() const
{
    return {
        {IdRole, "entryId"},  {NameRole, "name"},         {PathRole, "path"},         {SourceRole, "source"},
        {KindRole, "kind"},   {SizeTextRole, "sizeText"}, {SelectedRole, "selected"},
    };
}

void InstallerEntryModel::setEntries(const QList<InstallerPreviewReport::Entry>& entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

void InstallerEntryModel::selectionChanged(const QSet<QString>& paths)
{
    if (m_entries.isEmpty())
        return;
    if (paths.isEmpty()) {
        emit dataChanged(index(0), index(int(m_entries.size()) - 1), {SelectedRole});
        return;
    }
    for (int row = 0; row < m_entries.size(); ++row) {
        if (paths.contains(m_entries.at(row).path))
            emit dataChanged(index(row), index(row), {SelectedRole});
    }
}

void InstallerEntryModel::textsChanged()
{
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(int(m_entries.size()) - 1), {KindRole, SizeTextRole});
}

} // namespace roror
