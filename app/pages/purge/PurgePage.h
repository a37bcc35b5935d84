#pragma once

#include "app/pages/common/FeaturePage.h"
#include "app/pages/purge/PurgeEntryModel.h"

#include <QStringList>
#include <QUrl>
#include <optional>

namespace roror {

// The state and rules of the Project Cleanup page behind its QML view: the scan folder, the list
// of found folders, and the one-folder Trash confirmation, after which a fresh preview follows.
class PurgePage : public roror::FeaturePage {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY reportChanged)
    Q_PROPERTY(int entryCount READ entryCount NOTIFY reportChanged)
    Q_PROPERTY(roror::RecordListModelBase* entries READ entries CONSTANT)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY reportChanged)
    Q_PROPERTY(QString scanPath READ scanPath NOTIFY scanPathChanged)
    Q_PROPERTY(QUrl scanFolderUrl READ scanFolderUrl NOTIFY scanPathChanged)
    Q_PROPERTY(bool hasLastPurge READ hasLastPurge NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastPurgeText READ lastPurgeText NOTIFY lastRunChanged)
    Q_PROPERTY(QString contractSubtitle READ contractSubtitle NOTIFY languageSwitched)
    Q_PROPERTY(QStringList contractTargetNames READ contractTargetNames CONSTANT)
    // The folder waiting for the "Move to Trash?" answer; the alert is up exactly while there is one.
    Q_PROPERTY(bool hasPendingTrash READ hasPendingTrash NOTIFY pendingTrashChanged)
    Q_PROPERTY(QString pendingTrashPath READ pendingTrashPath NOTIFY pendingTrashChanged)

public:
    explicit PurgePage(QObject* parent = nullptr);

    bool hasReport() const;
    int entryCount() const { return m_entries->rowCount(); }
    PurgeEntryModel* entries() const { return m_entries; }
    QString summaryText() const;
    QString scanPath() const;
    QUrl scanFolderUrl() const;
    bool hasLastPurge() const;
    QString lastPurgeText() const;
    QString contractSubtitle() const;
    QStringList contractTargetNames() const;
    bool hasPendingTrash() const { return m_pendingTrash.has_value(); }
    QString pendingTrashPath() const { return m_pendingTrash ? m_pendingTrash->path : QString(); }

    Q_INVOKABLE void preview();
    // The folder dialog's answer; an empty address (cancelled) changes nothing.
    Q_INVOKABLE void chooseScanFolder(const QUrl& folder);
    Q_INVOKABLE void reveal(int row);
    Q_INVOKABLE void open(int row);
    Q_INVOKABLE void askTrash(int row);
    Q_INVOKABLE void cancelTrash();
    Q_INVOKABLE void confirmTrash();

signals:
    void reportChanged();
    void scanPathChanged();
    void lastRunChanged();
    void languageSwitched();
    void pendingTrashChanged();

private:
    void attach() override;
    void languageChanged() override;
    void reportArrived();
    const PurgePreviewReport::Entry* entryAt(int row) const;
    void setPendingTrash(const std::optional<PurgePreviewReport::Entry>& entry);

    PurgeEntryModel* m_entries;
    std::optional<PurgePreviewReport::Entry> m_pendingTrash;
};

} // namespace roror
