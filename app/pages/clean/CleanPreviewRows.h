#pragma once

#include "app/kit/RecordListModel.h"
#include "core/engines/clean/CleanPreviewReport.h"

#include <QColor>
#include <QList>

namespace roror {

// The look of one preview row by its status: the symbol and whose colour it takes.
struct CleanStatusStyle {
    enum class Tone { accent, green, orange, muted, blue };

    QString symbol;
    Tone tone;

    static CleanStatusStyle of(CleanPreviewEntryStatus status);

    // The platform's standard colours, as the light appearance draws them.
    static QColor standardGreen();
    static QColor standardOrange();
    static QColor standardBlue();
};

// The rows of the Smart Clean preview list, one per report entry in the report's order. The theme's
// accent and muted colours are handed in by the view (through the page), so the status colour of a
// row comes ready.
class CleanPreviewRows : public RecordListModel<CleanPreviewReport::Entry> {
public:
    explicit CleanPreviewRows(QObject* parent = nullptr);

    QColor accentColor() const { return m_accent; }
    void setAccentColor(const QColor& color);
    QColor mutedColor() const { return m_muted; }
    void setMutedColor(const QColor& color);

    // Rows whose ids are the same, in the same order, are updated in place; anything else is a new list.
    void setEntries(const QList<CleanPreviewReport::Entry>& entries);

    QColor colorOf(CleanPreviewEntryStatus status) const;

    // The second line of a row: the section, then " · " and the note when there is one.
    static QString detailLine(const CleanPreviewReport::Entry& entry);

private:
    QColor m_accent;
    QColor m_muted;
};

} // namespace roror
