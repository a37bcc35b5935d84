#include "app/pages/clean/CleanPreviewRows.h"

namespace roror {

CleanStatusStyle CleanStatusStyle::of(CleanPreviewEntryStatus status)
{
    using S = CleanPreviewEntryStatus;
    switch (status) {
    case S::cleanable: return {QStringLiteral("sparkles"), Tone::accent};
    case S::done: return {QStringLiteral("checkmark.circle"), Tone::green};
    case S::skipped: return {QStringLiteral("pause.circle"), Tone::orange};
    case S::info: return {QStringLiteral("info.circle"), Tone::muted};
    case S::detail: return {QStringLiteral("text.alignleft"), Tone::muted};
    case S::review: return {QStringLiteral("arrow.up.right.circle"), Tone::blue};
    case S::summary: return {QStringLiteral("sum"), Tone::accent};
    }
    return {QStringLiteral("info.circle"), Tone::muted};
}

QColor CleanStatusStyle::standardGreen() { return QColor(52, 199, 89); }
QColor CleanStatusStyle::standardOrange() { return QColor(255, 149, 0); }
QColor CleanStatusStyle::standardBlue() { return QColor(0, 122, 255); }

CleanPreviewRows::CleanPreviewRows(QObject* parent)
    : QAbstractListModel(parent)
    , m_accent(QColor::fromRgbF(0.169f, 0.2f, 0.251f))
    , m_muted(QColor(0, 0, 0, 128))
{
}

int CleanPreviewRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant CleanPreviewRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= count())
        return {};
    const CleanPreviewReport::Entry& entry = m_entries.at(index.row());
    switch (role) {
    case EntryIdRole: return entry.id.toString(QUuid::WithoutBraces);
    case PathRole: return entry.path;
    case SectionRole: return entry.section;
    case NoteRole: return entry.note.value_or(QString());
    case DetailLineRole: return detailLine(entry);
    case StatusRole: return toRaw(entry.status);
    case SymbolRole: return CleanStatusStyle::of(entry.status).symbol;
    case StatusColorRole: return colorOf(entry.status);
    default: return {};
    }
}

QHash<int, QByteArray> CleanPreviewRows::roleNames() const
{
    return {
        {EntryIdRole, "entryId"},   {PathRole, "path"},     {SectionRole, "section"}, {NoteRole, "note"},
        {DetailLineRole, "detailLine"}, {StatusRole, "status"}, {SymbolRole, "symbol"},   {StatusColorRole, "statusColor"},
    };
}

void CleanPreviewRows::setAccentColor(const QColor& color)
{
    if (color == m_accent)
        return;
    m_accent = color;
    emit paletteChanged();
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {StatusColorRole});
}

void CleanPreviewRows::setMutedColor(const QColor& color)
{
    if (color == m_muted)
        return;
    m_muted = color;
    emit paletteChanged();
    if (count() > 0)
        emit dataChanged(index(0), index(count() - 1), {StatusColorRole});
}

void CleanPreviewRows::setEntries(const QList<CleanPreviewReport::Entry>& entries)
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

QColor CleanPreviewRows::colorOf(CleanPreviewEntryStatus status) const
{
    switch (CleanStatusStyle::of(status).tone) {
    case CleanStatusStyle::Tone::accent: return m_accent;
    case CleanStatusStyle::Tone::green: return CleanStatusStyle::standardGreen();
    case CleanStatusStyle::Tone::orange: return CleanStatusStyle::standardOrange();
    case CleanStatusStyle::Tone::muted: return m_muted;
    case CleanStatusStyle::Tone::blue: return CleanStatusStyle::standardBlue();
    }
    return m_muted;
}

QString CleanPreviewRows::detailLine(const CleanPreviewReport::Entry& entry)
{
    if (!entry.note)
        return entry.section;
    return entry.section + QStringLiteral(" · ") + *entry.note;
}

} // namespace roror
