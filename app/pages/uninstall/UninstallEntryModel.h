#pragma once

#include "core/engines/uninstall/UninstallPreviewReport.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QSet>
#include <QtQml/qqmlregistration.h>
#include <functional>

namespace roror {

// The rows of the Uninstall Apps table in the order shown, one role per field.
class UninstallEntryModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Uninstall Apps page")

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        PathRole,
        SourceRole,
        LastOpenedTextRole,
        AppSizeTextRole,      // "Unknown" when the app's size is not known
        LeftoverSizeTextRole, // "+ <size>" line; empty when it is not shown
        SelectedRole,
        IconSourceRole,
    };
    Q_ENUM(Role)

    // `isSelected` answers for a path; `now` is the moment the last-opened phrases are measured from.
    UninstallEntryModel(std::function<bool(const QString&)> isSelected, std::function<QDateTime()> now,
                        QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // A new list of rows.
    void setEntries(const QList<UninstallPreviewReport::Entry>& entries);
    // The same rows in another order: the delegates stay and take their new row's data.
    void reorder(const QList<UninstallPreviewReport::Entry>& entries);
    const QList<UninstallPreviewReport::Entry>& entries() const { return m_entries; }

    // The selection changed for these paths (all rows when empty).
    void selectionChanged(const QSet<QString>& paths = {});
    // The language (or the moment) changed: the text roles are read again.
    void textsChanged();

    // "image://appicon/<percent-encoded path>".
    static QString iconSource(const QString& bundlePath);

private:
    void rebuildTexts();

    std::function<bool(const QString&)> m_isSelected;
    std::function<QDateTime()> m_now;
    QList<UninstallPreviewReport::Entry> m_entries;
    QStringList m_lastOpenedTexts;
};

} // namespace roror
