#include "app/pages/analyze/AnalysisEntryModel.h"

#include "app/pages/analyze/AnalyzeTexts.h"
#include "core/model/LocalizationSettings.h"
#include "core/model/SizeText.h"

#include <algorithm>

namespace roror {

AnalysisEntryModel::AnalysisEntryModel(bool allowsDrillDown, QObject* parent)
    : RecordListModel<AnalysisRow>(
        {
            {"entryId", [](const AnalysisRow& r) { return QVariant(r.id); }},
            // "Untitled" when the entry has none.
            {"name",
             [](const AnalysisRow& r) {
                 return QVariant(AnalyzeTexts::entryName(r.entry, LocalizationSettings::shared().resolvedLanguage()));
             }},
            // Empty when the entry has none.
            {"path", [](const AnalysisRow& r) { return QVariant(r.entry.path.value_or(QString())); }},
            // Reveal, open and Trash act only on rows with a path.
            {"hasPath",
             [](const AnalysisRow& r) { return QVariant(r.entry.path.has_value() && !r.entry.path->isEmpty()); }},
            {"sizeText", [](const AnalysisRow& r) { return QVariant(SizeText::bytes(r.entry.size)); }},
            {"isDirectory", [](const AnalysisRow& r) { return QVariant(r.entry.isDirectory.value_or(false)); }},
            {"drillable",
             [allowsDrillDown](const AnalysisRow& r) {
                 return QVariant(AnalyzeTexts::isDrillable(r.entry, allowsDrillDown));
             }},
        },
        parent)
    , m_allowsDrillDown(allowsDrillDown)
{
}

void AnalysisEntryModel::setEntries(const QList<AnalysisReport::Entry>& entries, int limit)
{
    QList<AnalysisRow> rows;
    for (const auto& entry : entries.mid(0, std::max(0, limit)))
        rows.append({entry, entry.id()});
    resetRecords(rows);
}

const AnalysisReport::Entry* AnalysisEntryModel::entryAt(int row) const
{
    if (row < 0 || row >= records().size())
        return nullptr;
    return &records().at(row).entry;
}

} // namespace roror
