#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"

namespace roror {

using namespace appmodel;

QFuture<void> AppModel::runStartupSequence()
{
    return track([this](Done done) {
        refreshEnvironment();
        sanitizeWindowBackgroundPathIfNeeded();
        loadOptimizeWhitelistEditor();
        primeDashboardSnapshotIfNeeded([this, done] { checkForUpdates(true, done); });
    });
}

void AppModel::refreshEnvironment()
{
    const auto version = m_services.bundleShortVersion();
    setVersionText(version ? *version : text("本地版本", "Local Build"));
    setStatusTitle(text("Roror 已就绪", "Roror Ready"));
    setStatusDetail(text("可以直接检查、预览和整理，不需要外部终端工具。",
                         "You can scan, preview, and clean directly without an external terminal tool."));
}

} // namespace roror
