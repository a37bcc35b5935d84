#pragma once

#include "app/pages/analyze/AnalysisEntryModel.h"
#include "app/pages/common/FeaturePage.h"

#include <QUrl>
#include <optional>

namespace roror {

// The state and rules of the Storage Analysis page behind its QML view: the folder and its parent
// step, the report's summary and two tables (30 rows, 120 after "Advanced"), drill-down, and the
// Trash confirmation of one row. A report is shown only when it describes the folder the page
// shows, so rows of an older request never appear under a newer path.
class AnalyzePage : public roror::FeaturePage {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasReport READ hasReport NOTIFY reportChanged)
    Q_PROPERTY(roror::RecordListModelBase* entries READ entries CONSTANT)
    Q_PROPERTY(roror::RecordListModelBase* largeFiles READ largeFiles CONSTANT)
    Q_PROPERTY(QString analysisPath READ analysisPath NOTIFY analysisPathChanged)
    Q_PROPERTY(QUrl analysisFolderUrl READ analysisFolderUrl NOTIFY analysisPathChanged)
    Q_PROPERTY(bool parentPathUnavailable READ parentPathUnavailable NOTIFY analysisPathChanged)
    Q_PROPERTY(bool hasLastAnalysis READ hasLastAnalysis NOTIFY lastRunChanged)
    Q_PROPERTY(QString lastAnalysisText READ lastAnalysisText NOTIFY lastRunChanged)
    Q_PROPERTY(bool showAdvancedResults READ showAdvancedResults NOTIFY showAdvancedResultsChanged)
    Q_PROPERTY(int rowLimit READ rowLimit NOTIFY showAdvancedResultsChanged)
    Q_PROPERTY(QString scannedValue READ scannedValue NOTIFY reportChanged)
    Q_PROPERTY(QString scannedNote READ scannedNote NOTIFY reportChanged)
    Q_PROPERTY(QString filesValue READ filesValue NOTIFY reportChanged)
    Q_PROPERTY(QString topItemsValue READ topItemsValue NOTIFY reportChanged)
    Q_PROPERTY(QString largeFilesValue READ largeFilesValue NOTIFY reportChanged)
    Q_PROPERTY(bool hasPendingTrash READ hasPendingTrash NOTIFY pendingTrashChanged)
    Q_PROPERTY(QString pendingTrashPath READ pendingTrashPath NOTIFY pendingTrashChanged)

public:
    enum class Table { Entries, LargeFiles };
    Q_ENUM(Table)

    explicit AnalyzePage(QObject* parent = nullptr);

    bool hasReport() const { return m_shown.has_value(); }
    AnalysisEntryModel* entries() const { return m_entries; }
    AnalysisEntryModel* largeFiles() const { return m_largeFiles; }
    QString analysisPath() const;
    QUrl analysisFolderUrl() const;
    bool parentPathUnavailable() const;
    bool hasLastAnalysis() const;
    QString lastAnalysisText() const;
    bool showAdvancedResults() const { return m_showAdvancedResults; }
    int rowLimit() const { return m_showAdvancedResults ? 120 : 30; }
    QString scannedValue() const;
    QString scannedNote() const;
    QString filesValue() const;
    QString topItemsValue() const;
    QString largeFilesValue() const;
    bool hasPendingTrash() const { return m_pendingTrash.has_value(); }
    QString pendingTrashPath() const { return m_pendingTrash ? m_pendingTrash->path.value_or(QString()) : QString(); }

    // "Analyze" (30 rows) and "Advanced" (120 rows): both analyse the current folder.
    Q_INVOKABLE void analyze();
    Q_INVOKABLE void analyzeAdvanced();
    Q_INVOKABLE void goToParent();
    // The folder dialog's answer; an empty address (cancelled) changes nothing.
    Q_INVOKABLE void chooseFolder(const QUrl& folder);
    // Row actions; `table` is a Table value.
    Q_INVOKABLE void drillDown(int table, int row);
    Q_INVOKABLE void reveal(int table, int row);
    Q_INVOKABLE void open(int table, int row);
    Q_INVOKABLE void askTrash(int table, int row);
    Q_INVOKABLE void cancelTrash();
    Q_INVOKABLE void confirmTrash();

signals:
    void reportChanged();
    void analysisPathChanged();
    void lastRunChanged();
    void showAdvancedResultsChanged();
    void pendingTrashChanged();

private:
    void attach() override;
    void languageChanged() override;
    void reportArrived();
    void setShowAdvancedResults(bool value);
    const AnalysisReport::Entry* entryAt(int table, int row) const;

    AnalysisEntryModel* m_entries;
    AnalysisEntryModel* m_largeFiles;
    std::optional<AnalysisReport> m_shown;
    bool m_showAdvancedResults = false;
    std::optional<AnalysisReport::Entry> m_pendingTrash;
};

} // namespace roror
