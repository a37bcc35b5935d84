#pragma once

#include "app/kit/RecordListModel.h"
#include "core/engines/installer/InstallerPreviewReport.h"

#include <functional>

namespace roror {

// The rows of the Installer Cleanup list, in report order (largest first): the roles the rows read.
class InstallerEntryModel : public RecordListModel<InstallerPreviewReport::Entry> {
public:
    explicit InstallerEntryModel(std::function<bool(const QString&)> isSelected, QObject* parent = nullptr);

    void setEntries(const QList<InstallerPreviewReport::Entry>& entries) { resetRecords(entries); }
    const QList<InstallerPreviewReport::Entry>& entries() const { return records(); }
    // The language changed: the texts are read again.
    void textsChanged() { rolesChanged({"kind", "sizeText"}); }
};

} // namespace roror
