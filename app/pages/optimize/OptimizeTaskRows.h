#pragma once

#include "app/kit/RecordListModel.h"
#include "core/engines/optimize/OptimizePreviewReport.h"

namespace roror {

// The rows of the Optimize preview list, one per task in the report's order: the roles the rows read.
class OptimizeTaskRows : public RecordListModel<OptimizePreviewReport::Entry> {
public:
    explicit OptimizeTaskRows(QObject* parent = nullptr);

    // Rows whose ids are the same, in the same order, keep their identity and are updated in place.
    void setEntries(const QList<OptimizePreviewReport::Entry>& entries);
};

} // namespace roror
