#include "app/model/AppModelServices.h"

#include "core/engines/analysis/LocalAnalysis.h"
#include "core/engines/clean/CleanFileError.h"
#include "core/engines/clean/CleanPreviewService.h"
#include "core/engines/clean/CleanWhitelistStore.h"
#include "core/engines/clean/LocalCleanExecutor.h"
#include "core/engines/installer/InstallerPreviewService.h"
#include "core/engines/purge/PurgePreviewService.h"
#include "core/engines/uninstall/UninstallPreviewService.h"
#include "core/engines/optimize/LocalOptimizeExecutor.h"
#include "core/engines/optimize/OptimizePreviewService.h"
#include "core/engines/optimize/OptimizeWhitelistStore.h"
#include "core/model/FolderAccessError.h"
#include "core/model/LocalizationSettings.h"
#include "core/status/LocalSystemStatus.h"
#include "core/status/ProcessControl.h"
#include "core/update/UpdateConfiguration.h"
#include "core/update/UpdateError.h"
#include "core/update/UpdateService.h"
#include "platform/AppBundle.h"
#include "platform/SettingsStore.h"
#include "platform/TrashMove.h"

#include <QDesktopServices>
#include <QException>
#include <QDir>
#include <QProcessEnvironment>
#include <QUrl>
#include <stdexcept>

namespace roror {

QString describeError(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const QUnhandledException& e) {
        // A pool job's own exception, wrapped on its way through the future.
        if (e.exception())
            return describeError(e.exception());
    } catch (const CleanFileError& e) {
        return e.description();
    } catch (const OptimizeWhitelistStoreError& e) {
        return e.description();
    } catch (const ProcessControl::Failure& e) {
        return e.errorDescription();
    } catch (const UpdateError& e) {
        return e.errorDescription();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return LocalizationSettings::shared().text(QStringLiteral("发生了未知错误。"),
                                               QStringLiteral("An unknown error occurred."));
}

AppModelServices AppModelServices::real()
{
    AppModelServices s;
    s.homePath = [] { return QDir::homePath(); };
    s.now = [] { return QDateTime::currentDateTime(); };
    s.openSettings = [] { return SettingsStore::open(); };
    s.writeSettings = [](QList<std::pair<QString, QVariant>> values, std::function<void()> written) {
        SettingsStore::writeInBackground(std::move(values), std::move(written));
    };

    s.processSnapshot = [] { return LocalSystemStatus::processSnapshot(); };
    s.statusSnapshot = [](const std::optional<QList<SystemReport::ProcessInfo>>& topProcesses) {
        return LocalSystemStatus::snapshot(topProcesses);
    };
    s.terminateProcess = [](qint64 pid, bool force) { ProcessControl::terminate(pid, force); };

    s.updateFeedURL = [] { return UpdateConfiguration::feedURL(); };
    s.bundleShortVersion = []() -> std::optional<QString> { return AppBundle::shortVersion(); };
    s.bundleVersion = [] { return AppBundle::buildVersion(); };
    s.fetchLatestUpdate = [](const QUrl& feed) { return UpdateService().fetchLatest(feed); };
    s.makeUpdateInstaller = [] { return std::make_unique<UpdateInstaller>(); };
    s.startUpdateDownload = [](UpdateInstaller& installer, const QUrl& url) { installer.download(url); };

    s.cleanPreview = [] { return CleanPreviewService::snapshot(); };
    s.cleanExecutor = [](const CleanPreviewReport& report, const QStringList& allowedRoots) {
        return LocalCleanExecutor::clean(report, allowedRoots);
    };
    s.loadCleanWhitelist = [](const QString& home) { return CleanWhitelistStore::load(home); };
    s.saveCleanWhitelist
        = [](const CleanWhitelistState& state, const QString& home) { CleanWhitelistStore::save(state, home); };

    s.optimizePreview = [] { return OptimizePreviewService::snapshot(); };
    s.optimizeExecutor = [](const OptimizePreviewReport& report, const QSet<QString>& skippedIDs) {
        return LocalOptimizeExecutor::run(report, skippedIDs);
    };
    s.loadOptimizeWhitelist = [](const QString& home) { return OptimizeWhitelistStore::load(home); };
    s.saveOptimizeWhitelist
        = [](const OptimizeWhitelistState& state, const QString& home) { OptimizeWhitelistStore::save(state, home); };

    s.uninstallPreview = [] { return UninstallPreviewService::snapshot(); };
    s.installerPreview = [](const QString& home) {
        return InstallerPreviewService::snapshot(home, QProcessEnvironment::systemEnvironment());
    };
    s.purgePreview = [](const QString& rootPath) {
        return PurgePreviewService::snapshot(rootPath, QProcessEnvironment::systemEnvironment());
    };

    s.analysis = [](const QString& rootPath) {
        // A missing folder (~/Library on Linux) would otherwise read as an empty one.
        FolderAccessError::check(rootPath);
        return LocalAnalysis::snapshot(rootPath);
    };

    // Runs on the model's Trash thread, so the platform move reads the language from the store.
    s.moveToTrash = [](const QString& path, const QString& folder, QString* error) {
        return TrashMove::moveToTrash(path, folder, QDir::homePath(), error);
    };
    s.openURL = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return s;
}

} // namespace roror
