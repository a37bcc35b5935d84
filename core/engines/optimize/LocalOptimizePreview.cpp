#include "core/engines/optimize/LocalOptimizePreview.h"

#include "core/engines/optimize/OptimizePreviewCatalog.h"

#include <QDir>

namespace roror::LocalOptimizePreview {

OptimizePreviewReport snapshot()
{
    OptimizeDetailSnapshot details;
    details.home = QDir::homePath();
    return snapshot(details);
}

OptimizePreviewReport snapshot(const OptimizeDetailSnapshot& details)
{
    OptimizePreviewReport report;
    for (const OptimizePreviewCatalog::Item& item : OptimizePreviewCatalog::items()) {
        OptimizePreviewReport::Entry entry = item.localizedEntry();
        entry.detail = details.detail(entry.id);
        report.entries.append(entry);
    }
    return report;
}

} // namespace roror::LocalOptimizePreview
