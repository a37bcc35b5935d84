#include "app/pages/common/PathSelectionPage.h"

namespace roror {

void PathSelectionPage::setSelecting(bool selecting)
{
    if (selecting == m_isSelecting)
        return;
    m_isSelecting = selecting;
    emit selectionChanged();
}

void PathSelectionPage::setSelection(const QSet<QString>& paths)
{
    if (paths == m_selectedPaths)
        return;
    QSet<QString> touched = m_selectedPaths;
    touched.unite(paths);
    m_selectedPaths = paths;
    // Only the rows whose box turned are read again.
    entryList()->rowsChanged("path", touched, "selected");
    emit selectionChanged();
}

void PathSelectionPage::keepListedSelection()
{
    const QStringList paths = reportPaths();
    setSelection(QSet<QString>(m_selectedPaths).intersect(QSet<QString>(paths.cbegin(), paths.cend())));
}

void PathSelectionPage::pruneSelectionToNewReport()
{
    const QStringList paths = reportPaths();
    if (paths == m_lastReportPaths)
        return;
    m_lastReportPaths = paths;
    if (m_isSelecting)
        keepListedSelection();
}

void PathSelectionPage::selectAll()
{
    const QStringList paths = reportPaths();
    setSelection(QSet<QString>(paths.cbegin(), paths.cend()));
}

void PathSelectionPage::clearSelection()
{
    setSelection({});
}

void PathSelectionPage::setSelected(const QString& path, bool selected)
{
    QSet<QString> paths = m_selectedPaths;
    if (selected)
        paths.insert(path);
    else
        paths.remove(path);
    setSelection(paths);
}

} // namespace roror
