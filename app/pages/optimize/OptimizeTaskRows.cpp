#include "app/pages/optimize/OptimizeTaskRows.h"

namespace roror {

using Entry = OptimizePreviewReport::Entry;

OptimizeTaskRows::OptimizeTaskRows(QObject* parent)
    : RecordListModel<Entry>(
        {
            {"taskId", [](const Entry& e) { return QVariant(e.id); }},
            {"name", [](const Entry& e) { return QVariant(e.name); }},
            {"description", [](const Entry& e) { return QVariant(e.description); }},
            {"detail", [](const Entry& e) { return QVariant(e.detail.value_or(QString())); }},
            {"hasDetail", [](const Entry& e) { return QVariant(e.detail.has_value() && !e.detail->isEmpty()); }},
        },
        parent)
{
}

void OptimizeTaskRows::setEntries(const QList<OptimizePreviewReport::Entry>& entries)
{
    updateRecords(entries, [](const Entry& a, const Entry& b) { return a.id == b.id; });
}

} // namespace roror
