#pragma once

#include "core/engines/installer/InstallerPreviewReport.h"

#include <QAbstractListModel>
#include <QSet>
#include <QtQml/qqmlregistration.h>
#include <functional>

namespace roror {

// The rows of the Installer Cleanup list, in report order (largest first), one role per field.
class InstallerEntryModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the Installer Cleanup page")

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        PathRole,
        SourceRole,
        KindRole,
        SizeTextRole,
        SelectedRole,
    };
    Q_ENUM(Role)

    explicit InstallerEntryModel(std::function<bool(const QString&)> isSelected, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setEntries(const QList<InstallerPreviewReport::Entry>& entries);
    const QList<InstallerPreviewReport::Entry>& entries() const { return m_entries; }
    // The selection changed for these paths (all rows when empty).
    void selectionChanged(const QSet<QString>& paths = {});
    void textsChanged();

private:
    std::function<bool(const QString&)> m_isSelected;
    QList<InstallerPreviewReport::Entry> m_entries;
};

} // namespace roror
