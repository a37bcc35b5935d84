#pragma once

#include "core/engines/clean/CleanPreviewReport.h"
#include "core/engines/clean/CleanWhitelistState.h"
#include "core/engines/clean/LocalCleanResult.h"
#include "core/engines/installer/InstallerPreviewReport.h"
#include "core/engines/optimize/LocalOptimizeResult.h"
#include "core/engines/optimize/OptimizePreviewReport.h"
#include "core/engines/optimize/OptimizeWhitelistState.h"
#include "core/engines/purge/PurgePreviewReport.h"
#include "core/engines/uninstall/UninstallPreviewReport.h"
#include "core/model/AnalysisReport.h"
#include "core/model/SystemReport.h"
#include "core/update/RororUpdateInfo.h"
#include "core/update/UpdateInstaller.h"
#include "core/update/UpdateInstallerState.h"

#include <QDateTime>
#include <QFuture>
#include <QSet>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace roror {

// Everything the application model reaches outside itself. `real()` wires the engines, probes,
// stores, update service and platform; tests replace single members with fakes.
//
// Functions returning a QFuture do their work off the GUI thread; a failure is an exceptional
// future (or a throw from the call itself). Synchronous members marked "pool" are run by the
// model on a pool thread; the others run on the GUI thread. A member that fails throws.
struct AppModelServices {
    // The current user's home folder, read at each use.
    std::function<QString()> homePath;
    std::function<QDateTime()> now;
    // A fresh handle on the user-defaults store; it sees every write handed to writeSettings before.
    std::function<std::unique_ptr<QSettings>()> openSettings;
    // Sets the values (key and value) in the user-defaults store off the GUI thread, in the order
    // of the calls; `written` runs (on another thread) once they are in the file.
    std::function<void(QList<std::pair<QString, QVariant>> values, std::function<void()> written)> writeSettings;

    // Smart Clean.
    std::function<QFuture<CleanPreviewReport>()> cleanPreview;
    std::function<LocalCleanResult(const CleanPreviewReport& report, const QStringList& allowedRoots)>
        cleanExecutor; // pool
    std::function<CleanWhitelistState(const QString& home)> loadCleanWhitelist;
    std::function<void(const CleanWhitelistState& state, const QString& home)> saveCleanWhitelist;

    // Optimize.
    std::function<QFuture<OptimizePreviewReport>()> optimizePreview;
    std::function<LocalOptimizeResult(const OptimizePreviewReport& report, const QSet<QString>& skippedIDs)>
        optimizeExecutor; // pool
    std::function<OptimizeWhitelistState(const QString& home)> loadOptimizeWhitelist;
    std::function<void(const OptimizeWhitelistState& state, const QString& home)> saveOptimizeWhitelist;

    // Read-only scanners; the real ones also get the process environment.
    std::function<QFuture<UninstallPreviewReport>()> uninstallPreview;
    std::function<QFuture<InstallerPreviewReport>(const QString& home)> installerPreview;
    std::function<QFuture<PurgePreviewReport>(const QString& rootPath)> purgePreview;

    // Storage analysis walk; throws FolderAccessError when the folder cannot be listed.
    std::function<AnalysisReport(const QString& rootPath)> analysis; // pool

    // Status probes and process control.
    std::function<QList<SystemReport::ProcessInfo>()> processSnapshot; // pool
    std::function<SystemReport(const std::optional<QList<SystemReport::ProcessInfo>>& topProcesses)>
        statusSnapshot; // pool
    std::function<void(qint64 pid, bool force)> terminateProcess;

    // Update flow. The bundle values stand for the application's version and build numbers.
    std::function<std::optional<QUrl>()> updateFeedURL;
    std::function<std::optional<QString>()> bundleShortVersion;
    std::function<std::optional<QString>()> bundleVersion;
    std::function<QFuture<RororUpdateInfo>(const QUrl& feed)> fetchLatestUpdate;
    std::function<std::unique_ptr<UpdateInstaller>()> makeUpdateInstaller;
    std::function<void(UpdateInstaller& installer, const QUrl& url)> startUpdateDownload;

    // Platform: move one item to the user's Trash (false with a message on failure), open an address.
    // `folder` is the folder the Trash guard judged for the item; the move acts on that folder only.
    std::function<bool(const QString& path, const QString& folder, QString* error)> moveToTrash; // pool
    std::function<void(const QUrl& url)> openURL;

    // Pause between two live status refreshes, from the end of one to the start of the next.
    int liveStatusIntervalMs = 2000;

    static AppModelServices real();
};

// The text to show for an error thrown by a service: the program's own bilingual message for its
// own error types, the exception's message otherwise.
QString describeError(std::exception_ptr error);

} // namespace roror
