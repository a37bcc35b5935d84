#pragma once

#include "app/pages/common/FeaturePage.h"
#include "app/pages/uninstall/UninstallEntryModel.h"
#include "app/pages/uninstall/UninstallSort.h"

#include <QQmlParserStatus>
#include <QSet>
#include <QStringList>

namespace roror {

// The state and rules of the Uninstall Apps page behind its QML view: selection mode with its
// set of app paths (pruned to each new report), the table's sort order, the texts with numbers and
// the page's own confirmation, which hands the chosen entries to the model in report order.
class UninstallPage : public roror::FeaturePage, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY reportChanged)
    Q_PROPERTY(int entryCount READ entryCount NOTIFY reportChanged)
    Q_PROPERTY(roror::UninstallEntryModel* entries READ entries CONSTANT)
    Q_PROPERTY(QString summaryText READ summaryText NOTIFY reportChanged)
    Q_PROPERTY(bool hasLastUninstall READ hasLastUninstall NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastUninstallText READ lastUninstallText NOTIFY lastRunChanged)
    Q_PROPERTY(bool isSelectingApps READ isSelectingApps NOTIFY selectionChanged)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectionChanged)
    Q_PROPERTY(QString selectionCountText READ selectionCountText NOTIFY selectionChanged)
    Q_PROPERTY(bool showingUninstallConfirmation READ showingUninstallConfirmation WRITE setShowingUninstallConfirmation NOTIFY showingUninstallConfirmationChanged)
    Q_PROPERTY(QString confirmationMessage READ confirmationMessage NOTIFY selectionChanged)
    Q_PROPERTY(SortKey sortKey READ sortKey NOTIFY sortChanged)
    Q_PROPERTY(SortDirection sortDirection READ sortDirection NOTIFY sortChanged)

public:
    enum class SortKey { LastOpened, Size };
    Q_ENUM(SortKey)
    enum class SortDirection { Ascending, Descending };
    Q_ENUM(SortDirection)

    explicit UninstallPage(QObject* parent = nullptr);

    bool hasReport() const;
    int entryCount() const;
    UninstallEntryModel* entries() const { return m_entries; }
    QString summaryText() const;
    bool hasLastUninstall() const;
    QString lastUninstallText() const;
    bool isSelectingApps() const { return m_isSelectingApps; }
    int selectedCount() const { return int(m_selectedAppPaths.size()); }
    QString selectionCountText() const;
    const QSet<QString>& selectedAppPaths() const { return m_selectedAppPaths; }
    bool showingUninstallConfirmation() const { return m_showingUninstallConfirmation; }
    void setShowingUninstallConfirmation(bool showing);
    QString confirmationMessage() const;
    SortKey sortKey() const;
    SortDirection sortDirection() const;
    UninstallSortState sortState() const { return m_sort; }

    // The entries "Continue" hands over: the selected ones in report order.
    QList<UninstallPreviewReport::Entry> selectedEntries() const;

    // Header buttons.
    Q_INVOKABLE void preview();
    Q_INVOKABLE void enterUninstallSelection();
    // Selection toolbar and row boxes.
    Q_INVOKABLE void selectAll();
    Q_INVOKABLE void clearSelection();
    Q_INVOKABLE void setSelected(const QString& path, bool selected);
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
    void componentComplete() override {}

signals:
    void reportChanged();
    void lastRunChanged();
    void selectionChanged();
    void showingUninstallConfirmationChanged();
    void sortChanged();

private:
    void attach() override;
    void languageChanged() override;
    void busyStateChanged() override;
    void reportArrived();
    void setSort(UninstallSortState sort);
    void setSelection(const QSet<QString>& paths);
    QStringList reportPaths() const;

    UninstallEntryModel* m_entries;
    bool m_isSelectingApps = false;
    QSet<QString> m_selectedAppPaths;
    bool m_showingUninstallConfirmation = false;
    UninstallSortState m_sort;
    QStringList m_lastReportPaths;
    bool m_debug = false;
};

} // namespace roror
