#pragma once

#include "app/kit/RecordListModel.h"
#include "core/engines/purge/PurgePreviewReport.h"

namespace roror {

// The rows of the Project Cleanup list, in report order (largest first): the roles the rows read.
class PurgeEntryModel : public RecordListModel<PurgePreviewReport::Entry> {
public:
    explicit PurgeEntryModel(QObject* parent = nullptr);

    void setEntries(const QList<PurgePreviewReport::Entry>& entries) { resetRecords(entries); }
    const QList<PurgePreviewReport::Entry>& entries() const { return records(); }
    // The language changed: the detail line is read again.
    void textsChanged() { rolesChanged({"sizeText", "detailText"}); }
};

} // namespace roror
