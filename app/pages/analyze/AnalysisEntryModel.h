#pragma once

#include "app/kit/RecordListModel.h"
#include "core/model/AnalysisReport.h"

namespace roror {

// One row of a Storage Analysis table: the entry and its identity. An entry without path or name
// gets a fresh identity, so it is taken once per list, not per read.
struct AnalysisRow {
    AnalysisReport::Entry entry;
    QString id;
};

// The rows of one Storage Analysis table: the first `limit` entries of its list, in report order.
class AnalysisEntryModel : public RecordListModel<AnalysisRow> {
public:
    explicit AnalysisEntryModel(bool allowsDrillDown, QObject* parent = nullptr);

    bool allowsDrillDown() const { return m_allowsDrillDown; }

    void setEntries(const QList<AnalysisReport::Entry>& entries, int limit);
    // The shown entry of a row, or nothing outside the shown rows.
    const AnalysisReport::Entry* entryAt(int row) const;
    void textsChanged() { rolesChanged({"name", "sizeText"}); }

private:
    bool m_allowsDrillDown;
};

} // namespace roror
