#include "app/pages/analyze/AnalyzePage.h"

#include "app/model/AppModel.h"
#include "app/pages/analyze/AnalyzeTexts.h"
#include "app/pages/common/FileActions.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "app/kit/RelativeDateText.h"

#include <QFileInfo>
#include <QFutureWatcher>

namespace roror {

namespace {
AppResolvedLanguage language()
{
    return LocalizationSettings::shared().resolvedLanguage();
}
} // namespace

AnalyzePage::AnalyzePage(QObject* parent)
    : FeaturePage(AppFeature::analyze, parent)
    , m_entries(new AnalysisEntryModel(true, this))
    , m_largeFiles(new AnalysisEntryModel(false, this))
{
}

void AnalyzePage::attach()
{
    if (AppModel* m = model()) {
        connect(m, &AppModel::analysisReportChanged, this, &AnalyzePage::reportArrived);
        connect(m, &AppModel::analysisPathChanged, this, &AnalyzePage::reportArrived);
        connect(m, &AppModel::analysisPathChanged, this, &AnalyzePage::analysisPathChanged);
        connect(m, &AppModel::lastAnalysisDateChanged, this, &AnalyzePage::lastRunChanged);
        connect(m, &AppModel::lastAnalysisTotalSizeChanged, this, &AnalyzePage::lastRunChanged);
        connect(m, &AppModel::lastAnalysisTotalFilesChanged, this, &AnalyzePage::lastRunChanged);
    }
    reportArrived();
    emit analysisPathChanged();
    emit lastRunChanged();
}

void AnalyzePage::languageChanged()
{
    m_entries->textsChanged();
    m_largeFiles->textsChanged();
    emit reportChanged();
    emit lastRunChanged();
}

void AnalyzePage::reportArrived()
{
    std::optional<AnalysisReport> report = model() ? model()->analysisReport() : std::nullopt;
    // A report of another folder than the one on screen is an older request's.
    if (report && report->path && *report->path != analysisPath())
        report.reset();
    if (report == m_shown && report.has_value() == m_shown.has_value())
        return;
    m_shown = report;
    m_entries->setEntries(m_shown ? m_shown->entries : QList<AnalysisReport::Entry>{}, rowLimit());
    m_largeFiles->setEntries(m_shown ? m_shown->largeFiles : QList<AnalysisReport::Entry>{}, rowLimit());
    emit reportChanged();
}

QString AnalyzePage::analysisPath() const
{
    return model() ? model()->analysisPath() : QString();
}

QUrl AnalyzePage::analysisFolderUrl() const
{
    const QString path = analysisPath();
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

bool AnalyzePage::parentPathUnavailable() const
{
    return AnalyzeTexts::parentPathUnavailable(analysisPath());
}

bool AnalyzePage::hasLastAnalysis() const
{
    return model() && model()->lastAnalysisDate() > 0;
}

QString AnalyzePage::lastAnalysisText() const
{
    if (!model())
        return QString();
    return AnalyzeTexts::lastAnalysisText(model()->lastAnalysisDate(), model()->lastAnalysisTotalSize(),
                                          model()->lastAnalysisTotalFiles(), now(), language(),
                                          RelativeDateText::systemLanguage())
        .value_or(QString());
}

QString AnalyzePage::scannedValue() const
{
    return m_shown ? AnalyzeTexts::scannedValue(*m_shown) : QString();
}

QString AnalyzePage::scannedNote() const
{
    return m_shown ? AnalyzeTexts::scannedNote(*m_shown, language()) : QString();
}

QString AnalyzePage::filesValue() const
{
    return m_shown ? AnalyzeTexts::filesValue(*m_shown) : QString();
}

QString AnalyzePage::topItemsValue() const
{
    return m_shown ? QString::number(m_shown->entries.size()) : QString();
}

QString AnalyzePage::largeFilesValue() const
{
    return m_shown ? QString::number(m_shown->largeFiles.size()) : QString();
}

void AnalyzePage::setShowAdvancedResults(bool value)
{
    if (value == m_showAdvancedResults)
        return;
    m_showAdvancedResults = value;
    m_entries->setEntries(m_shown ? m_shown->entries : QList<AnalysisReport::Entry>{}, rowLimit());
    m_largeFiles->setEntries(m_shown ? m_shown->largeFiles : QList<AnalysisReport::Entry>{}, rowLimit());
    emit showAdvancedResultsChanged();
}

void AnalyzePage::analyze()
{
    setShowAdvancedResults(false);
    if (model())
        model()->request(AppActionFactory::analyze(model()->analysisPath(), true));
}

void AnalyzePage::analyzeAdvanced()
{
    setShowAdvancedResults(true);
    if (model())
        model()->request(AppActionFactory::analyze(model()->analysisPath(), true));
}

void AnalyzePage::goToParent()
{
    if (model() && !parentPathUnavailable())
        model()->analyzeParentPath();
}

void AnalyzePage::chooseFolder(const QUrl& folder)
{
    const QString path = folder.isLocalFile() ? folder.toLocalFile() : QString();
    if (model() && !path.isEmpty())
        model()->chooseAnalysisPath(path);
}

const AnalysisReport::Entry* AnalyzePage::entryAt(int table, int row) const
{
    const AnalysisEntryModel* rows = table == int(Table::LargeFiles) ? m_largeFiles : m_entries;
    if (table != int(Table::Entries) && table != int(Table::LargeFiles))
        return nullptr;
    return rows->entryAt(row);
}

void AnalyzePage::drillDown(int table, int row)
{
    const AnalysisEntryModel* rows = table == int(Table::LargeFiles) ? m_largeFiles : m_entries;
    const auto* entry = entryAt(table, row);
    if (model() && entry && AnalyzeTexts::isDrillable(*entry, rows->allowsDrillDown()))
        model()->analyzePath(*entry->path);
}

void AnalyzePage::reveal(int table, int row)
{
    if (const auto* entry = entryAt(table, row); entry && entry->path && !entry->path->isEmpty())
        FileActions::reveal(*entry->path);
}

void AnalyzePage::open(int table, int row)
{
    if (const auto* entry = entryAt(table, row); entry && entry->path && !entry->path->isEmpty())
        FileActions::open(*entry->path);
}

void AnalyzePage::askTrash(int table, int row)
{
    // A row without a path has nothing to move; nothing is asked for it.
    const auto* entry = entryAt(table, row);
    if (!entry || !entry->path || entry->path->isEmpty())
        return;
    m_pendingTrash = *entry;
    emit pendingTrashChanged();
}

void AnalyzePage::cancelTrash()
{
    m_pendingTrash.reset();
    emit pendingTrashChanged();
}

void AnalyzePage::confirmTrash()
{
    const std::optional<QString> path = m_pendingTrash ? m_pendingTrash->path : std::nullopt;
    m_pendingTrash.reset();
    emit pendingTrashChanged();
    if (!model() || !path)
        return;
    // Once the item has gone the shown folder is analysed again, so the tables and totals never
    // list it; a refused or failed move keeps the report (the alert says why). Only a move from
    // Project Cleanup counts in that page's totals.
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, moved = *path] {
        watcher->deleteLater();
        if (model() && !QFileInfo(moved).exists() && !QFileInfo(moved).isSymLink())
            model()->request(AppActionFactory::analyze(model()->analysisPath(), true));
    });
    watcher->setFuture(model()->moveToTrash(path, AppFeature::analyze));
}

} // namespace roror
