#include "app/pages/clean/CleanPreviewRows.h"

namespace roror {

CleanStatusStyle CleanStatusStyle::of(CleanPreviewEntryStatus status)
{
    using S = CleanPreviewEntryStatus;
    switch (status) {
    case S::cleanable:
        return {QStringLiteral("sparkles"), Tone::accent};
    case S::done:
        return {QStringLiteral("checkmark.circle"), Tone::green};
    case S::skipped:
        return {QStringLiteral("pause.circle"), Tone::orange};
    case S::info:
        return {QStringLiteral("info.circle"), Tone::muted};
    case S::detail:
        return {QStringLiteral("text.alignleft"), Tone::muted};
    case S::review:
        return {QStringLiteral("arrow.up.right.circle"), Tone::blue};
    case S::summary:
        return {QStringLiteral("sum"), Tone::accent};
    }
    return {QStringLiteral("info.circle"), Tone::muted};
}

QColor CleanStatusStyle::standardGreen()
{
    return QColor(52, 199, 89);
}
QColor CleanStatusStyle::standardOrange()
{
    return QColor(255, 149, 0);
}
QColor CleanStatusStyle::standardBlue()
{
    return QColor(0, 122, 255);
}

using Entry = CleanPreviewReport::Entry;

CleanPreviewRows::CleanPreviewRows(QObject* parent)
    : RecordListModel<Entry>(
        {
            {"entryId", [](const Entry& e) { return QVariant(e.id.toString(QUuid::WithoutBraces)); }},
            {"path", [](const Entry& e) { return QVariant(e.path); }},
            {"section", [](const Entry& e) { return QVariant(e.section); }},
            {"note", [](const Entry& e) { return QVariant(e.note.value_or(QString())); }},
            {"detailLine", [](const Entry& e) { return QVariant(detailLine(e)); }},
            {"status", [](const Entry& e) { return QVariant(toRaw(e.status)); }},
            {"symbol", [](const Entry& e) { return QVariant(CleanStatusStyle::of(e.status).symbol); }},
            {"statusColor", [this](const Entry& e) { return QVariant(colorOf(e.status)); }},
        },
        parent)
    , m_accent(QColor::fromRgbF(0.169f, 0.2f, 0.251f))
    , m_muted(QColor(0, 0, 0, 128))
{
}

void CleanPreviewRows::setAccentColor(const QColor& color)
{
    if (color == m_accent)
        return;
    m_accent = color;
    rolesChanged({"statusColor"});
}

void CleanPreviewRows::setMutedColor(const QColor& color)
{
    if (color == m_muted)
        return;
    m_muted = color;
    rolesChanged({"statusColor"});
}

void CleanPreviewRows::setEntries(const QList<CleanPreviewReport::Entry>& entries)
{
    updateRecords(entries, [](const Entry& a, const Entry& b) { return a.id == b.id; });
}

QColor CleanPreviewRows::colorOf(CleanPreviewEntryStatus status) const
{
    switch (CleanStatusStyle::of(status).tone) {
    case CleanStatusStyle::Tone::accent:
        return m_accent;
    case CleanStatusStyle::Tone::green:
        return CleanStatusStyle::standardGreen();
    case CleanStatusStyle::Tone::orange:
        return CleanStatusStyle::standardOrange();
    case CleanStatusStyle::Tone::muted:
        return m_muted;
    case CleanStatusStyle::Tone::blue:
        return CleanStatusStyle::standardBlue();
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
