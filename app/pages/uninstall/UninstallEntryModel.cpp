#include "app/pages/uninstall/UninstallEntryModel.h"

#include "app/pages/uninstall/UninstallTexts.h"
#include "core/model/LocalizationSettings.h"
#include "app/kit/RelativeDateText.h"

#include <QUrl>

namespace roror {

UninstallEntryModel::UninstallEntryModel(std::function<bool(const QString&)> isSelected,
                                         std::function<QDateTime()> now, QObject* parent)
    : QAbstractListModel(parent)
    , m_isSelected(std::move(isSelected))
    , m_now(std::move(now))
{
}

int UninstallEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant UninstallEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    const UninstallPreviewReport::Entry& entry = m_entries.at(index.row());
    switch (role) {
    case IdRole:
        return entry.id;
    case Qt::DisplayRole:
    case NameRole:
        return entry.name;
    case PathRole:
        return entry.path;
    case SourceRole:
        return entry.source;
    case LastOpenedTextRole:
        return m_lastOpenedTexts.value(index.row());
    case AppSizeTextRole:
        if (entry.appSizeText)
            return *entry.appSizeText;
        return LocalizationSettings::shared().text(QStringLiteral("未知"), QStringLiteral("Unknown"));
    case LeftoverSizeTextRole:
        if (!entry.leftoverPaths.isEmpty() && entry.leftoverSizeText)
            return QStringLiteral("+ ") + *entry.leftoverSizeText;
        return QString();
    case SelectedRole:
        return m_isSelected(entry.path);
    case IconSourceRole:
        return iconSource(entry.path);
    default:
        return {};
    }
}

QHash<int, QByteArray> UninstallEntryModel::roleNames() const
{
    return {
        {IdRole, "entryId"},
        {NameRole, "name"},
        {PathRole, "path"},
        {SourceRole, "source"},
        {LastOpenedTextRole, "lastOpenedText"},
        {AppSizeTextRole, "appSizeText"},
        {LeftoverSizeTextRole, "leftoverSizeText"},
        {SelectedRole, "selected"},
        {IconSourceRole, "iconSource"},
    };
}

void UninstallEntryModel::rebuildTexts()
{
    const QDateTime now = m_now();
    const AppResolvedLanguage language = LocalizationSettings::shared().resolvedLanguage();
    const AppResolvedLanguage system = RelativeDateText::systemLanguage();
    m_lastOpenedTexts.clear();
    m_lastOpenedTexts.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        m_lastOpenedTexts.append(UninstallTexts::lastOpenedText(entry.lastOpened, now, language, system));
}

void UninstallEntryModel::setEntries(const QList<UninstallPreviewReport::Entry>& entries)
{
    beginResetModel();
    m_entries = entries;
    rebuildTexts();
    endResetModel();
}

void UninstallEntryModel::reorder(const QList<UninstallPreviewReport::Entry>& entries)
{
    if (entries.size() != m_entries.size()) {
        setEntries(entries);
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<QString> beforeIds;
    beforeIds.reserve(before.size());
    for (const QModelIndex& index : before)
        beforeIds.append(m_entries.at(index.row()).id);
    m_entries = entries;
    rebuildTexts();
    if (!before.isEmpty()) {
        QHash<QString, int> rowOf;
        for (int row = 0; row < m_entries.size(); ++row)
            rowOf.insert(m_entries.at(row).id, row);
        QModelIndexList after;
        after.reserve(before.size());
        for (const QString& id : beforeIds)
            after.append(rowOf.contains(id) ? index(rowOf.value(id)) : QModelIndex());
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void UninstallEntryModel::selectionChanged(const QSet<QString>& paths)
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

void UninstallEntryModel::textsChanged()
{
    if (m_entries.isEmpty())
        return;
    rebuildTexts();
    emit dataChanged(index(0), index(int(m_entries.size()) - 1), {LastOpenedTextRole, AppSizeTextRole});
}

QString UninstallEntryModel::iconSource(const QString& bundlePath)
{
    return QStringLiteral("image://appicon/") + QString::fromLatin1(QUrl::toPercentEncoding(bundlePath));
}

} // namespace roror
