#pragma once

#include "app/kit/RecordListModel.h"
#include "core/engines/uninstall/UninstallPreviewReport.h"

#include <QDateTime>
#include <functional>

namespace roror {

// One row of the Uninstall Apps table: the entry and its last-opened phrase, taken when the rows
// are (or the language is) new so that the phrase stays put between those moments.
struct UninstallRow {
    UninstallPreviewReport::Entry entry;
    QString lastOpenedText;
};

// The rows of the Uninstall Apps table in the order shown: the roles the rows read.
class UninstallEntryModel : public RecordListModel<UninstallRow> {
public:
    // `isSelected` answers for a path; `now` is the moment the last-opened phrases are measured from.
    UninstallEntryModel(std::function<bool(const QString&)> isSelected, std::function<QDateTime()> now,
                        QObject* parent = nullptr);

    // A new list of rows.
    void setEntries(const QList<UninstallPreviewReport::Entry>& entries) { resetRecords(rows(entries)); }
    // The same rows in another order: the delegates stay and take their new row's data.
    void reorder(const QList<UninstallPreviewReport::Entry>& entries);
    // The entries in the order shown.
    QList<UninstallPreviewReport::Entry> entries() const;
    // The language (or the moment) changed: the text roles are read again.
    void textsChanged();

    // "image://appicon/<percent-encoded path>".
    static QString iconSource(const QString& bundlePath);

private:
    QList<UninstallRow> rows(const QList<UninstallPreviewReport::Entry>& entries) const;
    std::function<QString(const UninstallPreviewReport::Entry&)> lastOpenedPhrase() const;

    std::function<QDateTime()> m_now;
};

} // namespace roror
