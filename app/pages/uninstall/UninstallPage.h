#pragma once

#include "app/pages/common/PathSelectionPage.h"
#include "app/pages/uninstall/UninstallEntryModel.h"
#include "app/pages/uninstall/UninstallSort.h"

#include <QQmlParserStatus>

namespace roror {

// The state and rules of the Uninstall Apps page behind its QML view: selection mode with its
// set of app paths (pruned to each new report), the table's sort order, the texts with numbers and
// the page's own confirmation, which hands the chosen entries to the model in report order.
class UninstallPage : public roror::PathSelectionPage, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY reportChanged)
    Q_PROPERTY(bool hasLastUninstall READ hasLastUninstall NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastUninstallText READ lastUninstallText NOTIFY lastRunChanged)
    Q_PROPERTY(bool isSelectingApps READ isSelectingApps NOTIFY selectionChanged)
    Q_PROPERTY(QString selectionCountText READ selectionCountText NOTIFY selectionChanged)
    Q_PROPERTY(bool showingUninstallConfirmation READ showingUninstallConfirmation WRITE setShowingUninstallConfirmation
                   NOTIFY showingUninstallConfirmationChanged)
    Q_PROPERTY(QString confirmationMessage READ confirmationMessage NOTIFY selectionChanged)
    Q_PROPERTY(SortKey sortKey READ sortKey NOTIFY sortChanged)
    Q_PROPERTY(SortDirection sortDirection READ sortDirection NOTIFY sortChanged)

public:
    enum class SortKey { LastOpened, Size };
    Q_ENUM(SortKey)
    enum class SortDirection { Ascending, Descending };
    Q_ENUM(SortDirection)

    explicit UninstallPage(QObject* parent = nullptr);

    bool hasReport() const override;
    UninstallEntryModel* entries() const { return m_entries; }
    QString summaryText() const;
    bool hasLastUninstall() const;
    QString lastUninstallText() const;
    bool isSelectingApps() const { return isSelecting(); }
    QString selectionCountText() const;
    const QSet<QString>& selectedAppPaths() const { return selectedPaths(); }
    bool showingUninstallConfirmation() const { return m_showingUninstallConfirmation; }
    void setShowingUninstallConfirmation(bool showing);
    QString confirmationMessage() const;
    SortKey sortKey() const;
    SortDirection sortDirection() const;

    // The entries "Continue" hands over: the selected ones in report order.
    QList<UninstallPreviewReport::Entry> selectedEntries() const;

    // Header buttons.
    Q_INVOKABLE void preview();
    Q_INVOKABLE void enterUninstallSelection();
    Q_INVOKABLE void requestUninstall();
    // Column headings.
    Q_INVOKABLE void toggleLastOpenedSort();
    Q_INVOKABLE void toggleSizeSort();
    // The confirmation's buttons.
    Q_INVOKABLE void confirmUninstall();
    Q_INVOKABLE void cancelUninstall();

    // The view's app icons come from this page's image provider, installed on its engine before
    // any row asks for one.
    void classBegin() override;
    void componentComplete() override { }

signals:
    void showingUninstallConfirmationChanged();
    void sortChanged();

private:
    void attach() override;
    void languageChanged() override;
    void busyStateChanged() override;
    void reportArrived();
    void setSort(UninstallSortState sort);
    RecordListModelBase* entryList() const override { return m_entries; }
    QStringList reportPaths() const override;

    UninstallEntryModel* m_entries;
    bool m_showingUninstallConfirmation = false;
    UninstallSortState m_sort;
};

} // namespace roror
