#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/model/AppActionKind.h"

#include <QMetaObject>

namespace roror {

using namespace appmodel;

void AppModel::request(const AppAction& action)
{
    switch (parseAppAction(action).kind) {
    case AppActionKind::cleanWhitelist:
        loadCleanWhitelistEditor();
        setShowingCleanProtectionSheet(true);
        return;
    case AppActionKind::optimizeWhitelist:
        loadOptimizeWhitelistEditor();
        setShowingOptimizeProtectionSheet(true);
        return;
    default:
        break;
    }
    if (action.isDestructive) {
        setPendingAction(action);
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, action] { execute(action); }, Qt::QueuedConnection);
}

void AppModel::confirmPendingAction()
{
    if (!m_pendingAction)
        return;
    const AppAction action = *m_pendingAction;
    setPendingAction(std::nullopt);
    QMetaObject::invokeMethod(
        this, [this, action] { execute(action); }, Qt::QueuedConnection);
}

QFuture<void> AppModel::execute(const AppAction& action, bool parseOutput)
{
    Q_UNUSED(parseOutput);
    return track([this, action](Done finish) {
        const quint64 run = beginRun(featureForAction(action));
        setRecentScanPaths({});
        setStatusTitle(action.title);
        setStatusDetail(text("正在处理，请稍等。", "Working, please wait."));

        const Done done = [this, run, finish] {
            endRun(run);
            setRecentScanPaths({});
            finish();
        };

        switch (parseAppAction(action).kind) {
        case AppActionKind::statusRefresh:
            refreshDashboardStatus(true, done);
            return;
        case AppActionKind::analysis:
            refreshAnalysisReport(m_analysisPath, done);
            return;
        case AppActionKind::cleanPreview:
            runCleanPreviewBranch(done);
            return;
        // An editor's words reach here only when run directly; they still name the real run.
        case AppActionKind::cleanWhitelist:
        case AppActionKind::clean:
            runCleanBranch(done);
            return;
        case AppActionKind::uninstallPreview:
            runUninstallPreviewBranch(done);
            return;
        case AppActionKind::optimizePreview:
            runOptimizePreviewBranch(done);
            return;
        case AppActionKind::optimizeWhitelist:
        case AppActionKind::optimize:
            runOptimizeBranch(done);
            return;
        case AppActionKind::installerPreview:
            runInstallerPreviewBranch(done);
            return;
        case AppActionKind::purgePreview:
            runPurgePreviewBranch(done);
            return;
        case AppActionKind::version:
            runVersionBranch();
            done();
            return;
        case AppActionKind::update:
            checkForUpdates(false, done);
            return;
        case AppActionKind::notAvailable:
            runNotAvailableBranch();
            done();
            return;
        case AppActionKind::completed:
            break;
        }
        runCompletedBranch(action);
        done();
    });
}

std::optional<AppFeature> AppModel::featureForAction(const AppAction& action) const
{
    return parseAppAction(action).feature;
}

QString AppModel::completedTitle(const AppAction&) const
{
    return text("处理完成", "Completed");
}

QString AppModel::completedDetail(const AppAction& action) const
{
    return action.title + text(" 已结束。", " is finished.");
}

void AppModel::runVersionBranch()
{
    const auto version = m_services.bundleShortVersion();
    setVersionText(version ? *version : text("本地版本", "Local Build"));
    setStatusTitle(text("版本已更新", "Version Updated"));
    setStatusDetail(m_versionText);
}

void AppModel::runNotAvailableBranch()
{
    const QString message = text("这个功能还没有在 Roror 里提供。", "This feature is not available in Roror yet.");
    showAlert(log::model(), message);
    setStatusTitle(text("暂不可用", "Not Available"));
    setStatusDetail(message);
}

void AppModel::runCompletedBranch(const AppAction& action)
{
    setStatusTitle(completedTitle(action));
    setStatusDetail(completedDetail(action));
}

void AppModel::openSystemSettingsPane(const QString& url)
{
    const QUrl address(url, QUrl::StrictMode);
    if (url.isEmpty() || !address.isValid() || address.scheme().isEmpty())
        return;
    if (m_services.openURL)
        m_services.openURL(address);
}

} // namespace roror
