#pragma once

#include "core/engines/optimize/OptimizePreviewReport.h"

#include <QList>
#include <QString>
#include <optional>

namespace roror::OptimizePreviewCatalog {

// One maintenance step with its texts in both languages; whether it can run is the executor's call.
struct Item {
    QString id;
    QString zhName;
    QString enName;
    QString zhDescription;
    QString enDescription;

    // The step's entry in the current language, safe and without detail.
    OptimizePreviewReport::Entry localizedEntry() const;

    bool operator==(const Item&) const = default;
};

// The 23 steps in display order.
const QList<Item>& items();

// The catalogue's texts for a known id; the fallbacks (else the id and "") for any other.
OptimizePreviewReport::Entry entry(const QString& id, const std::optional<QString>& fallbackName,
                                   const std::optional<QString>& fallbackDescription, bool safe);

} // namespace roror::OptimizePreviewCatalog
