#include "app/pages/purge/PurgeEntryModel.h"

namespace roror {

using Entry = PurgePreviewReport::Entry;

PurgeEntryModel::PurgeEntryModel(QObject* parent)
    : RecordListModel<Entry>(
        {
            {"entryId", [](const Entry& e) { return QVariant(e.id.toString(QUuid::WithoutBraces)); }},
            {"name", [](const Entry& e) { return QVariant(e.name); }},
            {"path", [](const Entry& e) { return QVariant(e.path); }},
            {"target", [](const Entry& e) { return QVariant(e.target); }},
            {"sizeText", [](const Entry& e) { return QVariant(e.sizeText()); }},
            // Empty when the scan counted neither files nor folders.
            {"detailText", [](const Entry& e) { return QVariant(e.detailText().value_or(QString())); }},
        },
        parent)
{
}

} // namespace roror
