#pragma once

#include "core/engines/clean/CleanPreviewReport.h"

#include <QAbstractListModel>
#include <QColor>
#include <QList>
#include <QtQml/qqmlregistration.h>

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
// accent and muted colours are handed in by the view, so the status colour of a row comes ready.
class CleanPreviewRows : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Smart Clean page")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QColor accentColor READ accentColor WRITE setAccentColor NOTIFY paletteChanged)
    Q_PROPERTY(QColor mutedColor READ mutedColor WRITE setMutedColor NOTIFY paletteChanged)

public:
    enum Role {
        EntryIdRole = Qt::UserRole + 1,
        PathRole,
        SectionRole,
        NoteRole,
        DetailLineRole,
        StatusRole,
        SymbolRole,
        StatusColorRole,
    };

    explicit CleanPreviewRows(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return static_cast<int>(m_entries.size()); }
    QColor accentColor() const { return m_accent; }
    void setAccentColor(const QColor& color);
    QColor mutedColor() const { return m_muted; }
    void setMutedColor(const QColor& color);

    // Rows whose ids are the same, in the same order, are updated in place; anything else is a new list.
    void setEntries(const QList<CleanPreviewReport::Entry>& entries);

    QColor colorOf(CleanPreviewEntryStatus status) const;

    // The second line of a row: the section, then " · " and the note when there is one.
    static QString detailLine(const CleanPreviewReport::Entry& entry);

signals:
    void countChanged();
    void paletteChanged();

private:
    QList<CleanPreviewReport::Entry> m_entries;
    QColor m_accent;
    QColor m_muted;
};

} // namespace roror
