#pragma once

#include "app/kit/RecordListModel.h"
#include "app/pages/common/FeaturePage.h"

#include <QSet>
#include <QStringList>

namespace roror {

// What the Installer Cleanup and Uninstall Apps pages share: a report listed by path, a selection
// mode with its set of paths (pruned to each new report) and the selection buttons of the toolbar
// and the rows. The list's `selected` role follows the set.
class PathSelectionPage : public roror::FeaturePage {
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY reportChanged)
    Q_PROPERTY(int entryCount READ entryCount NOTIFY reportChanged)
    Q_PROPERTY(roror::RecordListModelBase* entries READ entryList CONSTANT)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectionChanged)

public:
    virtual bool hasReport() const = 0;
    int entryCount() const { return entryList()->rowCount(); }
    int selectedCount() const { return int(m_selectedPaths.size()); }

    Q_INVOKABLE void selectAll();
    Q_INVOKABLE void clearSelection();
    Q_INVOKABLE void setSelected(const QString& path, bool selected);

signals:
    void reportChanged();
    void lastRunChanged();
    void selectionChanged();

protected:
    using FeaturePage::FeaturePage;

    // The list the view shows (its rows carry a `selected` role) and the report's paths in order.
    virtual RecordListModelBase* entryList() const = 0;
    virtual QStringList reportPaths() const = 0;

    bool isSelecting() const { return m_isSelecting; }
    void setSelecting(bool selecting);
    const QSet<QString>& selectedPaths() const { return m_selectedPaths; }
    bool isSelected(const QString& path) const { return m_selectedPaths.contains(path); }
    void setSelection(const QSet<QString>& paths);
    // Keeps only the selected paths the report still lists.
    void keepListedSelection();
    // A report arrived: while selecting, a report that lists other paths prunes the selection.
    void pruneSelectionToNewReport();

private:
    bool m_isSelecting = false;
    QSet<QString> m_selectedPaths;
    QStringList m_lastReportPaths;
};

} // namespace roror
