#include "core/engines/optimize/OptimizeWhitelistOption.h"

#include "core/engines/optimize/OptimizePreviewCatalog.h"
#include "core/model/AppLocalization.h"

namespace roror {

namespace {

const OptimizePreviewCatalog::Item* catalogueItem(const QString& id)
{
    for (const auto& item : OptimizePreviewCatalog::items()) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

} // namespace

QString OptimizeWhitelistOption::title() const
{
    if (const auto* item = catalogueItem(id))
        return AppLocalization::coreText(item->zhName, item->enName);
    return id;
}

QString OptimizeWhitelistOption::detail() const
{
    if (const auto* item = catalogueItem(id))
        return AppLocalization::coreText(QStringLiteral("优化执行时会跳过：") + item->zhDescription,
                                         QStringLiteral("Skipped during optimization: ") + item->enDescription);
    return AppLocalization::coreText(QStringLiteral("跳过此优化步骤。"),
                                     QStringLiteral("Skip this optimization step."));
}

} // namespace roror
