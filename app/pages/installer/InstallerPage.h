#pragma once

#include "app/pages/common/PathSelectionPage.h"
#include "app/pages/installer/InstallerEntryModel.h"

namespace roror {

// The state and rules of the Installer Cleanup page behind its QML view: selection mode with its
// set of file paths (pruned to each new report), the size of the selection, the existing scan
// locations of the contract card and the page's own "Move to Trash?" confirmation.
class InstallerPage : public roror::PathSelectionPage {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY selectionChanged)
    Q_PROPERTY(bool hasLastScan READ hasLastScan NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastScanText READ lastScanText NOTIFY lastRunChanged)
    Q_PROPERTY(bool isSelectingInstallers READ isSelectingInstallers NOTIFY selectionChanged)
    Q_PROPERTY(QString selectedSizeText READ selectedSizeText NOTIFY selectionChanged)
    Q_PROPERTY(QString selectionLine READ selectionLine NOTIFY selectionChanged)
    Q_PROPERTY(QString filterCountText READ filterCountText NOTIFY selectionChanged)
    Q_PROPERTY(bool showingDeleteConfirmation READ showingDeleteConfirmation WRITE setShowingDeleteConfirmation NOTIFY
                   showingDeleteConfirmationChanged)
    Q_PROPERTY(QString confirmationMessage READ confirmationMessage NOTIFY selectionChanged)
    Q_PROPERTY(QStringList scanLocationSources READ scanLocationSources NOTIFY scanLocationsChanged)
    Q_PROPERTY(QString contractSubtitle READ contractSubtitle NOTIFY scanLocationsChanged)
    Q_PROPERTY(QStringList fileTypeTexts READ fileTypeTexts CONSTANT)

public:
    explicit InstallerPage(QObject* parent = nullptr);

    bool hasReport() const override;
    InstallerEntryModel* entries() const { return m_entries; }
    QString summaryText() const;
    bool hasLastScan() const;
    QString lastScanText() const;
    bool isSelectingInstallers() const { return isSelecting(); }
    const QSet<QString>& selectedInstallerPaths() const { return selectedPaths(); }
    // The size of the selected files the report lists.
    qint64 selectedBytes() const;
    QString selectedSizeText() const;
    QString selectionLine() const;
    QString filterCountText() const;
    bool showingDeleteConfirmation() const { return m_showingDeleteConfirmation; }
    void setShowingDeleteConfirmation(bool showing);
    QString confirmationMessage() const;
    QStringList scanLocationSources() const { return m_scanLocationSources; }
    QString contractSubtitle() const;
    QStringList fileTypeTexts() const;

    // The paths "Move to Trash" hands over: the listed ones in report order, then any others.
    QStringList selectedPathList() const;

    Q_INVOKABLE void preview();
    Q_INVOKABLE void enterInstallerSelection();
    Q_INVOKABLE void requestDelete();
    Q_INVOKABLE void confirmDelete();
    Q_INVOKABLE void cancelDelete();

signals:
    void showingDeleteConfirmationChanged();
    void scanLocationsChanged();

private:
    void attach() override;
    void languageChanged() override;
    void reportArrived();
    void readScanLocations();
    RecordListModelBase* entryList() const override { return m_entries; }
    QStringList reportPaths() const override;

    InstallerEntryModel* m_entries;
    bool m_showingDeleteConfirmation = false;
    QStringList m_scanLocationSources;
};

} // namespace roror
