#pragma once

#include "app/model/AppModelServices.h"
#include "app/model/ThreadRelay.h"
#include "core/model/AppAction.h"
#include "core/model/AppFeature.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace roror {

// The one view-model of the window. It lives on the GUI thread and every field changes only
// there. Each published property has its own NOTIFY signal, emitted on every assignment (also
// of an equal value), followed by the model-wide `changed()`. The persisted counters and
// appearance settings read and write the user-defaults store directly; they announce themselves
// through their own signal only. Work off the GUI thread comes back to the GUI thread as a posted
// event, so nothing arrives after the model is gone.
class AppModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The window owns the one model")

    // Published.
    Q_PROPERTY(
        roror::AppFeature selectedFeature READ selectedFeature WRITE setSelectedFeature NOTIFY selectedFeatureChanged)
    Q_PROPERTY(QString versionText READ versionText NOTIFY versionTextChanged)
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(std::optional<roror::AppFeature> runningFeature READ runningFeature NOTIFY runningFeatureChanged)
    Q_PROPERTY(QString statusTitle READ statusTitle NOTIFY statusTitleChanged)
    Q_PROPERTY(QString statusDetail READ statusDetail NOTIFY statusDetailChanged)
    Q_PROPERTY(std::optional<roror::SystemReport> statusReport READ statusReport NOTIFY statusReportChanged)
    Q_PROPERTY(bool isRefreshingStatus READ isRefreshingStatus NOTIFY isRefreshingStatusChanged)
    Q_PROPERTY(bool isLiveStatusActive READ isLiveStatusActive NOTIFY isLiveStatusActiveChanged)
    Q_PROPERTY(QList<roror::SystemReport::ProcessInfo> processUsage READ processUsage NOTIFY processUsageChanged)
    Q_PROPERTY(std::optional<roror::AnalysisReport> analysisReport READ analysisReport NOTIFY analysisReportChanged)
    Q_PROPERTY(std::optional<roror::CleanPreviewReport> cleanPreviewReport READ cleanPreviewReport NOTIFY
                   cleanPreviewReportChanged)
    Q_PROPERTY(std::optional<roror::OptimizePreviewReport> optimizePreviewReport READ optimizePreviewReport NOTIFY
                   optimizePreviewReportChanged)
    Q_PROPERTY(std::optional<roror::InstallerPreviewReport> installerPreviewReport READ installerPreviewReport NOTIFY
                   installerPreviewReportChanged)
    Q_PROPERTY(std::optional<roror::PurgePreviewReport> purgePreviewReport READ purgePreviewReport NOTIFY
                   purgePreviewReportChanged)
    Q_PROPERTY(std::optional<roror::UninstallPreviewReport> uninstallPreviewReport READ uninstallPreviewReport NOTIFY
                   uninstallPreviewReportChanged)
    Q_PROPERTY(QString scanPath READ scanPath NOTIFY scanPathChanged)
    Q_PROPERTY(QString analysisPath READ analysisPath NOTIFY analysisPathChanged)
    Q_PROPERTY(QStringList recentScanPaths READ recentScanPaths NOTIFY recentScanPathsChanged)
    Q_PROPERTY(
        QString cleanWhitelistText READ cleanWhitelistText WRITE setCleanWhitelistText NOTIFY cleanWhitelistTextChanged)
    Q_PROPERTY(bool showingCleanProtectionSheet READ showingCleanProtectionSheet WRITE setShowingCleanProtectionSheet
                   NOTIFY showingCleanProtectionSheetChanged)
    Q_PROPERTY(QSet<QString> optimizeWhitelistSelection READ optimizeWhitelistSelection WRITE
                   setOptimizeWhitelistSelection NOTIFY optimizeWhitelistSelectionChanged)
    Q_PROPERTY(QStringList optimizeWhitelistCustomKeys READ optimizeWhitelistCustomKeys NOTIFY
                   optimizeWhitelistCustomKeysChanged)
    Q_PROPERTY(bool showingOptimizeProtectionSheet READ showingOptimizeProtectionSheet WRITE
                   setShowingOptimizeProtectionSheet NOTIFY showingOptimizeProtectionSheetChanged)
    Q_PROPERTY(std::optional<roror::AppAction> pendingAction READ pendingAction WRITE setPendingAction NOTIFY
                   pendingActionChanged)
    Q_PROPERTY(std::optional<QString> alertMessage READ alertMessage WRITE setAlertMessage NOTIFY alertMessageChanged)
    Q_PROPERTY(bool isCheckingForUpdates READ isCheckingForUpdates NOTIFY isCheckingForUpdatesChanged)
    Q_PROPERTY(QString updateStatusDetail READ updateStatusDetail NOTIFY updateStatusDetailChanged)
    Q_PROPERTY(std::optional<QString> latestUpdateVersionText READ latestUpdateVersionText NOTIFY
                   latestUpdateVersionTextChanged)
    Q_PROPERTY(std::optional<QUrl> updateDownloadURL READ updateDownloadURL NOTIFY updateDownloadURLChanged)
    Q_PROPERTY(roror::UpdateInstallerState updateInstallerState READ updateInstallerState WRITE setUpdateInstallerState
                   NOTIFY updateInstallerStateChanged)
    Q_PROPERTY(
        bool showingUpdateSheet READ showingUpdateSheet WRITE setShowingUpdateSheet NOTIFY showingUpdateSheetChanged)
    Q_PROPERTY(int windowBackgroundRevision READ windowBackgroundRevision NOTIFY windowBackgroundRevisionChanged)

    // Persisted in the user-defaults store.
    Q_PROPERTY(double lastInstallerScanDate READ lastInstallerScanDate NOTIFY lastInstallerScanDateChanged)
    Q_PROPERTY(qint64 lastInstallerCleanedCount READ lastInstallerCleanedCount NOTIFY lastInstallerCleanedCountChanged)
    Q_PROPERTY(qint64 lastInstallerCleanedBytes READ lastInstallerCleanedBytes NOTIFY lastInstallerCleanedBytesChanged)
    Q_PROPERTY(double lastPurgeScanDate READ lastPurgeScanDate NOTIFY lastPurgeScanDateChanged)
    Q_PROPERTY(qint64 lastPurgeCleanedCount READ lastPurgeCleanedCount NOTIFY lastPurgeCleanedCountChanged)
    Q_PROPERTY(qint64 lastPurgeCleanedBytes READ lastPurgeCleanedBytes NOTIFY lastPurgeCleanedBytesChanged)
    Q_PROPERTY(double lastAnalysisDate READ lastAnalysisDate NOTIFY lastAnalysisDateChanged)
    Q_PROPERTY(QString lastAnalysisPathStored READ lastAnalysisPathStored NOTIFY lastAnalysisPathStoredChanged)
    Q_PROPERTY(qint64 lastAnalysisTotalSize READ lastAnalysisTotalSize NOTIFY lastAnalysisTotalSizeChanged)
    Q_PROPERTY(qint64 lastAnalysisTotalFiles READ lastAnalysisTotalFiles NOTIFY lastAnalysisTotalFilesChanged)
    Q_PROPERTY(double lastOptimizeDate READ lastOptimizeDate NOTIFY lastOptimizeDateChanged)
    Q_PROPERTY(qint64 lastOptimizeCount READ lastOptimizeCount NOTIFY lastOptimizeCountChanged)
    Q_PROPERTY(double lastUninstallDate READ lastUninstallDate NOTIFY lastUninstallDateChanged)
    Q_PROPERTY(qint64 lastUninstallCount READ lastUninstallCount NOTIFY lastUninstallCountChanged)
    Q_PROPERTY(double lastCleanDate READ lastCleanDate NOTIFY lastCleanDateChanged)
    Q_PROPERTY(qint64 lastCleanCount READ lastCleanCount NOTIFY lastCleanCountChanged)
    Q_PROPERTY(bool showHealthAura READ showHealthAura WRITE setShowHealthAura NOTIFY showHealthAuraChanged)
    Q_PROPERTY(
        QString customWindowBackgroundPath READ customWindowBackgroundPath NOTIFY customWindowBackgroundPathChanged)

public:
    // The user-defaults keys of the eighteen persisted properties, in declaration order.
    static const QStringList& persistedKeys();

    // With the real engines, probes, update service and platform.
    explicit AppModel(QObject* parent = nullptr);
    explicit AppModel(AppModelServices services, QObject* parent = nullptr);
    ~AppModel() override;

    // ---- Published state ----
    AppFeature selectedFeature() const { return m_selectedFeature; }
    void setSelectedFeature(AppFeature value);
    QString versionText() const { return m_versionText; }
    bool isRunning() const { return m_isRunning; }
    std::optional<AppFeature> runningFeature() const { return m_runningFeature; }
    QString statusTitle() const { return m_statusTitle; }
    QString statusDetail() const { return m_statusDetail; }
    std::optional<SystemReport> statusReport() const { return m_statusReport; }
    bool isRefreshingStatus() const { return m_isRefreshingStatus; }
    bool isLiveStatusActive() const { return m_isLiveStatusActive; }
    QList<SystemReport::ProcessInfo> processUsage() const { return m_processUsage; }
    std::optional<AnalysisReport> analysisReport() const { return m_analysisReport; }
    std::optional<CleanPreviewReport> cleanPreviewReport() const { return m_cleanPreviewReport; }
    std::optional<OptimizePreviewReport> optimizePreviewReport() const { return m_optimizePreviewReport; }
    std::optional<InstallerPreviewReport> installerPreviewReport() const { return m_installerPreviewReport; }
    std::optional<PurgePreviewReport> purgePreviewReport() const { return m_purgePreviewReport; }
    std::optional<UninstallPreviewReport> uninstallPreviewReport() const { return m_uninstallPreviewReport; }
    QString scanPath() const { return m_scanPath; }
    QString analysisPath() const { return m_analysisPath; }
    QStringList recentScanPaths() const { return m_recentScanPaths; }
    QString cleanWhitelistText() const { return m_cleanWhitelistText; }
    void setCleanWhitelistText(const QString& value);
    bool showingCleanProtectionSheet() const { return m_showingCleanProtectionSheet; }
    void setShowingCleanProtectionSheet(bool value);
    QSet<QString> optimizeWhitelistSelection() const { return m_optimizeWhitelistSelection; }
    void setOptimizeWhitelistSelection(const QSet<QString>& value);
    QStringList optimizeWhitelistCustomKeys() const { return m_optimizeWhitelistCustomKeys; }
    bool showingOptimizeProtectionSheet() const { return m_showingOptimizeProtectionSheet; }
    void setShowingOptimizeProtectionSheet(bool value);
    std::optional<AppAction> pendingAction() const { return m_pendingAction; }
    void setPendingAction(const std::optional<AppAction>& value);
    std::optional<QString> alertMessage() const { return m_alertMessage; }
    void setAlertMessage(const std::optional<QString>& value);
    bool isCheckingForUpdates() const { return m_isCheckingForUpdates; }
    QString updateStatusDetail() const { return m_updateStatusDetail; }
    std::optional<QString> latestUpdateVersionText() const { return m_latestUpdateVersionText; }
    std::optional<QUrl> updateDownloadURL() const { return m_updateDownloadURL; }
    UpdateInstallerState updateInstallerState() const { return m_updateInstallerState; }
    void setUpdateInstallerState(const UpdateInstallerState& value);
    bool showingUpdateSheet() const { return m_showingUpdateSheet; }
    void setShowingUpdateSheet(bool value);
    UpdateInstaller* updateInstaller() const { return m_updateInstaller.get(); }
    int windowBackgroundRevision() const { return m_windowBackgroundRevision; }

    // ---- Persisted state (read from and written to the store at each use) ----
    double lastInstallerScanDate() const;
    qint64 lastInstallerCleanedCount() const;
    qint64 lastInstallerCleanedBytes() const;
    double lastPurgeScanDate() const;
    qint64 lastPurgeCleanedCount() const;
    qint64 lastPurgeCleanedBytes() const;
    double lastAnalysisDate() const;
    QString lastAnalysisPathStored() const;
    qint64 lastAnalysisTotalSize() const;
    qint64 lastAnalysisTotalFiles() const;
    double lastOptimizeDate() const;
    qint64 lastOptimizeCount() const;
    double lastUninstallDate() const;
    qint64 lastUninstallCount() const;
    double lastCleanDate() const;
    qint64 lastCleanCount() const;
    bool showHealthAura() const;
    void setShowHealthAura(bool value);
    QString customWindowBackgroundPath() const;

    // ---- Start-up ----
    // The window's start-up task, strictly in order: environment texts, background path check,
    // optimization safeguards, first status snapshot, silent update check.
    QFuture<void> runStartupSequence();
    void refreshEnvironment();

    // ---- Actions ----
    // Opens a protection-list editor, parks a destructive action, or runs the action soon
    // (after the caller returns).
    void request(const AppAction& action);
    void confirmPendingAction();
    // The dispatcher. The future finishes after the branch has stored its results and the busy
    // state has been released.
    QFuture<void> execute(const AppAction& action, bool parseOutput = false);
    void openSystemSettingsPane(const QString& url);

    // ---- Protection-list editors ----
    void loadCleanWhitelistEditor();
    void saveCleanWhitelistEditor();
    void loadOptimizeWhitelistEditor();
    void saveOptimizeWhitelistEditor();
    // Why the last load of each list failed; absent once a load succeeds. While it is set the
    // editor's save refuses to write over the file.
    std::optional<QString> cleanWhitelistLoadError() const { return m_cleanWhitelistLoadError; }
    std::optional<QString> optimizeWhitelistLoadError() const { return m_optimizeWhitelistLoadError; }

    // ---- Trash moves ----
    // Every move runs off the GUI thread, one batch after the other, with the busy state set for the
    // asking page; the results are stored back on the GUI thread. Each future finishes once they are.
    // The uninstall starts soon (after the caller returns) unless the selection is empty.
    QFuture<void> uninstallSelectedApps(const QList<UninstallPreviewReport::Entry>& entries);
    // `fromPage` is the page that asked: only a move from Project Cleanup counts in its counters.
    QFuture<void> moveToTrash(const std::optional<QString>& path, AppFeature fromPage = AppFeature::purge);
    QFuture<void> moveInstallersToTrash(const QStringList& paths);
    // Lets the move under way finish and drops every item after it, so closing never waits on a
    // batch (the model's destruction calls it). The futures of dropped batches end cancelled.
    void stopTrashMoves();

    // ---- Folder choices (the view runs the dialog; an empty path means it was cancelled) ----
    void chooseScanPath(const QString& chosenPath);
    void chooseAnalysisPath(const QString& chosenPath);

    // ---- Live status ----
    // Refreshes once, then again each interval after the end of the previous refresh, until
    // stopDashboardLiveStatus(). A tick that finds a refresh in flight is skipped.
    void runDashboardLiveStatus();
    void stopDashboardLiveStatus();
    QFuture<void> primeDashboardSnapshotIfNeeded();
    QFuture<void> refreshDashboardStatus(bool announce);

    // ---- Process termination ----
    void terminateProcess(const SystemReport::ProcessInfo& process, bool force);

    // ---- Storage analysis ----
    void analyzePath(const QString& path);
    void analyzeParentPath();

    // ---- Updates ----
    QFuture<void> checkForUpdates(bool silent);
    void installUpdate();

    // ---- Window background ----
    // The installed image when the stored path names an existing file.
    std::optional<QUrl> customWindowBackgroundURL() const;
    void chooseWindowBackgroundImage(const QString& chosenPath);
    void clearWindowBackgroundImage();
    void sanitizeWindowBackgroundPathIfNeeded();

signals:
    // After every change of any published property.
    void changed();

    void selectedFeatureChanged();
    void versionTextChanged();
    void isRunningChanged();
    void runningFeatureChanged();
    void statusTitleChanged();
    void statusDetailChanged();
    void statusReportChanged();
    void isRefreshingStatusChanged();
    void isLiveStatusActiveChanged();
    void processUsageChanged();
    void analysisReportChanged();
    void cleanPreviewReportChanged();
    void optimizePreviewReportChanged();
    void installerPreviewReportChanged();
    void purgePreviewReportChanged();
    void uninstallPreviewReportChanged();
    void scanPathChanged();
    void analysisPathChanged();
    void recentScanPathsChanged();
    void cleanWhitelistTextChanged();
    void showingCleanProtectionSheetChanged();
    void optimizeWhitelistSelectionChanged();
    void optimizeWhitelistCustomKeysChanged();
    void showingOptimizeProtectionSheetChanged();
    void pendingActionChanged();
    void alertMessageChanged();
    void isCheckingForUpdatesChanged();
    void updateStatusDetailChanged();
    void latestUpdateVersionTextChanged();
    void updateDownloadURLChanged();
    void updateInstallerStateChanged();
    void showingUpdateSheetChanged();
    void windowBackgroundRevisionChanged();

    void lastInstallerScanDateChanged();
    void lastInstallerCleanedCountChanged();
    void lastInstallerCleanedBytesChanged();
    void lastPurgeScanDateChanged();
    void lastPurgeCleanedCountChanged();
    void lastPurgeCleanedBytesChanged();
    void lastAnalysisDateChanged();
    void lastAnalysisPathStoredChanged();
    void lastAnalysisTotalSizeChanged();
    void lastAnalysisTotalFilesChanged();
    void lastOptimizeDateChanged();
    void lastOptimizeCountChanged();
    void lastUninstallDateChanged();
    void lastUninstallCountChanged();
    void lastCleanDateChanged();
    void lastCleanCountChanged();
    void showHealthAuraChanged();
    void customWindowBackgroundPathChanged();

    // After each load of a list editor, whether it failed or not.
    void cleanWhitelistLoadErrorChanged();
    void optimizeWhitelistLoadErrorChanged();

private:
    using Done = std::function<void()>;
    // Pages whose newest request wins: a result of an older request is dropped.
    enum class ReportSlot { clean, uninstall, optimize, installer, purge, analysis, count };

    template <typename T, typename Signal>
    void assign(T& field, const T& value, Signal signal);
    // The persisted properties (AppModelInternal.h), each with one row of key, default and signal.
    enum class Persisted : int;
    struct PersistedSetting;
    static const QList<PersistedSetting>& persistedSettings();
    static const PersistedSetting& persistedSetting(Persisted property);
    struct PersistedWrite {
        Persisted property;
        QVariant value;
    };
    // Values that belong together (a run's date, count and size) are stored in one write, and
    // their signals follow it, so no reader ever sees the new date beside the old count.
    void writePersisted(std::initializer_list<PersistedWrite> writes);
    // The same for a run's summary (its date, count, size), synced to the file on the store's own
    // thread so that the view does not wait for the disk after a run.
    void writeRunSummary(std::initializer_list<PersistedWrite> writes);
    // The stored value, or the property's default when the key is absent; a value still on its
    // way to the file is read from the model's own copy.
    QVariant readPersisted(Persisted property) const;

    void setVersionText(const QString& value);
    void setIsRunning(bool value);
    void setRunningFeature(const std::optional<AppFeature>& value);
    void setStatusTitle(const QString& value);
    void setStatusDetail(const QString& value);
    void setStatus(const QString& title, const QString& detail);
    // Every error or refusal the user is shown goes through these, which also log it once as a
    // warning in the category of the subsystem it concerns.
    // The message alert.
    void showAlert(const QLoggingCategory& category, const QString& message);
    // A failure in the banner: its title with the error as the detail (an unknown error when the
    // error has no text of its own), and, for a run the user started, the same text in the alert.
    void showFailure(const QLoggingCategory& category, const QString& title, const QString& error, bool alert);
    void logShownError(const QLoggingCategory& category, const QString& message) const;
    void setStatusReport(const std::optional<SystemReport>& value);
    void setIsRefreshingStatus(bool value);
    void setIsLiveStatusActive(bool value);
    void setProcessUsage(const QList<SystemReport::ProcessInfo>& value);
    void setAnalysisReport(const std::optional<AnalysisReport>& value);
    void setCleanPreviewReport(const std::optional<CleanPreviewReport>& value);
    void setOptimizePreviewReport(const std::optional<OptimizePreviewReport>& value);
    void setInstallerPreviewReport(const std::optional<InstallerPreviewReport>& value);
    void setPurgePreviewReport(const std::optional<PurgePreviewReport>& value);
    void setUninstallPreviewReport(const std::optional<UninstallPreviewReport>& value);
    void setScanPath(const QString& value);
    void setAnalysisPath(const QString& value);
    void setRecentScanPaths(const QStringList& value);
    void setOptimizeWhitelistCustomKeys(const QStringList& value);
    void setIsCheckingForUpdates(bool value);
    void setUpdateStatusDetail(const QString& value);
    void setLatestUpdateVersionText(const std::optional<QString>& value);
    void setUpdateDownloadURL(const std::optional<QUrl>& value);
    void setWindowBackgroundRevision(int value);
    void setCustomWindowBackgroundPath(const QString& value);

    // Busy state: every run still going is counted, so one run ending never hides another.
    quint64 beginRun(std::optional<AppFeature> feature);
    void endRun(quint64 run);
    void publishRunState();

    quint64 startRequest(ReportSlot slot);
    bool isCurrentRequest(ReportSlot slot, quint64 request) const;

    std::optional<AppFeature> featureForAction(const AppAction& action) const;
    QString completedTitle(const AppAction& action) const;
    QString completedDetail(const AppAction& action) const;

    void runCleanBranch(Done done);
    void runOptimizeBranch(Done done);
    void runCleanPreviewBranch(Done done);
    void runUninstallPreviewBranch(Done done);
    void runOptimizePreviewBranch(Done done);
    void runInstallerPreviewBranch(Done done);
    void runPurgePreviewBranch(Done done);
    void runVersionBranch();
    void runNotAvailableBranch();
    void runCompletedBranch(const AppAction& action);
    void refreshDashboardStatus(bool announce, Done done);
    void primeDashboardSnapshotIfNeeded(Done done);
    void checkForUpdates(bool silent, Done done);
    QFuture<void> track(const std::function<void(Done)>& body);
    void refreshStatusReport(bool announce, Done done);
    void refreshAnalysisReport(const QString& path, Done done);

    void performUninstall(const QList<UninstallPreviewReport::Entry>& entries, Done done);
    quint64 beginTrashRun(AppFeature feature, const QString& title, const QString& detail);
    // Ends a move: `result` becomes the banner, or (none) the banner goes back to the last result.
    void endTrashRun(quint64 run, const std::optional<std::pair<QString, QString>>& result);
    void runTrashJob(std::function<void()> work);
    // Runs `work` on the Trash thread; `continuation` gets its value (none if it threw) on the GUI thread.
    template <typename T>
    void runOnTrashThread(std::function<T()> work, std::function<void(std::optional<T>)> continuation);

    void scheduleLiveTick();
    void liveTick();
    void finishLiveLoop();

    QString home() const;
    double nowSeconds() const;

    AppModelServices m_services;

    AppFeature m_selectedFeature = AppFeature::dashboard;
    QString m_versionText;
    bool m_isRunning = false;
    std::optional<AppFeature> m_runningFeature;
    QString m_statusTitle;
    QString m_statusDetail;
    std::optional<SystemReport> m_statusReport;
    bool m_isRefreshingStatus = false;
    bool m_isLiveStatusActive = false;
    QList<SystemReport::ProcessInfo> m_processUsage;
    std::optional<AnalysisReport> m_analysisReport;
    std::optional<CleanPreviewReport> m_cleanPreviewReport;
    std::optional<OptimizePreviewReport> m_optimizePreviewReport;
    std::optional<InstallerPreviewReport> m_installerPreviewReport;
    std::optional<PurgePreviewReport> m_purgePreviewReport;
    std::optional<UninstallPreviewReport> m_uninstallPreviewReport;
    QString m_scanPath;
    QString m_analysisPath;
    QStringList m_recentScanPaths;
    QString m_cleanWhitelistText;
    bool m_showingCleanProtectionSheet = false;
    QSet<QString> m_optimizeWhitelistSelection;
    QStringList m_optimizeWhitelistCustomKeys;
    bool m_showingOptimizeProtectionSheet = false;
    std::optional<AppAction> m_pendingAction;
    std::optional<QString> m_alertMessage;
    bool m_isCheckingForUpdates = false;
    QString m_updateStatusDetail;
    std::optional<QString> m_latestUpdateVersionText;
    std::optional<QUrl> m_updateDownloadURL;
    UpdateInstallerState m_updateInstallerState;
    bool m_showingUpdateSheet = false;
    std::unique_ptr<UpdateInstaller> m_updateInstaller;
    int m_windowBackgroundRevision = 0;

    struct Run {
        quint64 id = 0;
        std::optional<AppFeature> feature;
    };
    QList<Run> m_runs;
    quint64 m_nextRunId = 0;
    std::array<quint64, static_cast<size_t>(ReportSlot::count)> m_requestGeneration{};
    // A list that could not be read is never saved over from its editor.
    std::optional<QString> m_cleanWhitelistLoadError;
    std::optional<QString> m_optimizeWhitelistLoadError;
    // Brings results and installer reports from other threads back to the model while it exists.
    std::shared_ptr<ThreadRelay> m_relay;
    // Persisted values handed to the store and not yet known to be in its file, by property, with
    // the number of the write that carries them.
    struct UnwrittenValue {
        quint64 write;
        QVariant value;
    };
    QHash<int, UnwrittenValue> m_unwrittenPersisted;
    quint64 m_persistedWrites = 0;

    // The one thread that moves items to the Trash; destroyed (after waiting for a move under way)
    // once the relay no longer reaches the model.
    QThreadPool m_trashPool;
    // Set once the model closes: the Trash thread stops after the item under way.
    std::shared_ptr<std::atomic<bool>> m_trashStop = std::make_shared<std::atomic<bool>>(false);
    // The banner a failed move goes back to: what showed before the moves under way began, or the
    // result of the last move that ended.
    int m_trashRunsPending = 0;
    QString m_trashStatusTitle;
    QString m_trashStatusDetail;

    QTimer m_liveTimer;
    bool m_liveLoopWanted = false;
    bool m_liveLoopRefreshing = false;
};

} // namespace roror
