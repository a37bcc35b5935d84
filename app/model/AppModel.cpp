#include "app/model/AppModel.h"

#include "app/model/WindowBackgroundStore.h"
#include "core/model/AppActionFactory.h"
#include "core/model/LocalizationSettings.h"
#include "core/engines/clean/CleanWhitelistMatcher.h"
#include "core/model/ScanPathGuard.h"
#include "core/support/Log.h"
#include "core/support/StandardPath.h"
#include "core/update/UpdateVersionComparator.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

namespace roror {

namespace {

const QString kLastInstallerScanDate = QStringLiteral("lastInstallerScanDate");
const QString kLastInstallerCleanedCount = QStringLiteral("lastInstallerCleanedCount");
const QString kLastInstallerCleanedBytes = QStringLiteral("lastInstallerCleanedBytes");
const QString kLastPurgeScanDate = QStringLiteral("lastPurgeScanDate");
const QString kLastPurgeCleanedCount = QStringLiteral("lastPurgeCleanedCount");
const QString kLastPurgeCleanedBytes = QStringLiteral("lastPurgeCleanedBytes");
const QString kLastAnalysisDate = QStringLiteral("lastAnalysisDate");
const QString kLastAnalysisPath = QStringLiteral("lastAnalysisPath");
const QString kLastAnalysisTotalSize = QStringLiteral("lastAnalysisTotalSize");
const QString kLastAnalysisTotalFiles = QStringLiteral("lastAnalysisTotalFiles");
const QString kLastOptimizeDate = QStringLiteral("lastOptimizeDate");
const QString kLastOptimizeCount = QStringLiteral("lastOptimizeCount");
const QString kLastUninstallDate = QStringLiteral("lastUninstallDate");
const QString kLastUninstallCount = QStringLiteral("lastUninstallCount");
const QString kLastCleanDate = QStringLiteral("lastCleanDate");
const QString kLastCleanCount = QStringLiteral("lastCleanCount");
const QString kShowHealthAura = QStringLiteral("showHealthAura");
const QString kCustomWindowBackgroundPath = QStringLiteral("customWindowBackgroundPath");

QString text(const char* zh, const char* en)
{
    return LocalizationSettings::shared().text(QString::fromUtf8(zh), QString::fromUtf8(en));
}

bool inChinese()
{
    return LocalizationSettings::shared().resolvedLanguage() == AppResolvedLanguage::chinese;
}

QString number(qint64 value)
{
    return QString::number(value);
}

// The outcome of work that ran elsewhere: a value, or the text of what went wrong.
template <typename T>
struct Outcome {
    std::optional<T> value;
    QString error;
};

// Starts `start` and hands its outcome to `continuation`, always later and on the model's thread.
// A throw from the call itself, an exceptional future and a cancelled one all end as an outcome
// without value.
template <typename T, typename F>
void whenDone(const std::shared_ptr<ThreadRelay>& relay, const std::function<QFuture<T>()>& start, F continuation)
{
    QFuture<T> future;
    try {
        future = start();
    } catch (...) {
        const QString error = describeError(std::current_exception());
        relay->post([continuation, error]() mutable { continuation(Outcome<T>{std::nullopt, error}); });
        return;
    }
    future
        .then([relay, continuation](QFuture<T> finished) mutable {
            Outcome<T> outcome;
            try {
                finished.waitForFinished();
                if (finished.resultCount() > 0)
                    outcome.value = finished.result();
            } catch (...) {
                outcome.error = describeError(std::current_exception());
            }
            relay->post([continuation, outcome]() mutable { continuation(std::move(outcome)); });
        })
        // A cancelled future never runs the continuation above; without this the run would never end.
        .onCanceled([relay, continuation]() mutable {
            relay->post([continuation]() mutable { continuation(Outcome<T>{}); });
        });
}

// Runs `work` on a pool thread and hands its outcome to `continuation` on the model's thread.
template <typename T, typename F>
void runOnPool(const std::shared_ptr<ThreadRelay>& relay, std::function<T()> work, F continuation)
{
    whenDone<T>(
        relay, [work = std::move(work)] { return QtConcurrent::run(QThreadPool::globalInstance(), work); },
        std::move(continuation));
}

} // namespace

const QStringList& AppModel::persistedKeys()
{
    static const QStringList keys{
        kLastInstallerScanDate, kLastInstallerCleanedCount, kLastInstallerCleanedBytes, kLastPurgeScanDate,
        kLastPurgeCleanedCount,  kLastPurgeCleanedBytes,    kLastAnalysisDate,          kLastAnalysisPath,
        kLastAnalysisTotalSize,  kLastAnalysisTotalFiles,   kLastOptimizeDate,          kLastOptimizeCount,
        kLastUninstallDate,      kLastUninstallCount,       kLastCleanDate,             kLastCleanCount,
        kShowHealthAura,         kCustomWindowBackgroundPath,
    };
    return keys;
}

AppModel::AppModel(QObject* parent)
    : AppModel(AppModelServices::real(), parent)
{
}

AppModel::AppModel(AppModelServices services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_versionText(QStringLiteral("未检查"))
    , m_statusTitle(QStringLiteral("准备就绪"))
    , m_statusDetail(QStringLiteral("选择一个项目开始检查。"))
    , m_relay(std::make_shared<ThreadRelay>(this))
{
    m_scanPath = home();
    m_analysisPath = joinPath(home(), QStringLiteral("Library"));
    m_updateStatusDetail = text("还没有检查更新。", "Updates have not been checked yet.");
    if (m_services.makeUpdateInstaller)
        m_updateInstaller = m_services.makeUpdateInstaller();
    m_liveTimer.setSingleShot(true);
    connect(&m_liveTimer, &QTimer::timeout, this, &AppModel::liveTick);
    m_trashPool.setMaxThreadCount(1);
}

AppModel::~AppModel()
{
    stopTrashMoves();
    m_relay->detach();
}

// ---------------------------------------------------------------------------------------------
// Property plumbing

template <typename T, typename Signal>
void AppModel::assign(T& field, const T& value, Signal signal)
{
    field = value;
    emit(this->*signal)();
    emit changed();
}

QVariant AppModel::readPersisted(const QString& key, const QVariant& fallback) const
{
    const auto settings = m_services.openSettings();
    return settings->value(key, fallback);
}

void AppModel::writePersisted(const QString& key, const QVariant& value, void (AppModel::*signal)())
{
    writePersisted({{key, value, signal}});
}

void AppModel::writePersisted(std::initializer_list<PersistedWrite> writes)
{
    {
        const auto settings = m_services.openSettings();
        for (const PersistedWrite& write : writes)
            settings->setValue(write.key, write.value);
        settings->sync();
    }
    for (const PersistedWrite& write : writes)
        emit(this->*write.signal)();
}

void AppModel::setSelectedFeature(AppFeature value) { assign(m_selectedFeature, value, &AppModel::selectedFeatureChanged); }
void AppModel::setVersionText(const QString& value) { assign(m_versionText, value, &AppModel::versionTextChanged); }
void AppModel::setIsRunning(bool value) { assign(m_isRunning, value, &AppModel::isRunningChanged); }
void AppModel::setRunningFeature(const std::optional<AppFeature>& value) { assign(m_runningFeature, value, &AppModel::runningFeatureChanged); }
void AppModel::setStatusTitle(const QString& value) { assign(m_statusTitle, value, &AppModel::statusTitleChanged); }
void AppModel::setStatusDetail(const QString& value) { assign(m_statusDetail, value, &AppModel::statusDetailChanged); }
void AppModel::setStatusReport(const std::optional<SystemReport>& value) { assign(m_statusReport, value, &AppModel::statusReportChanged); }
void AppModel::setIsRefreshingStatus(bool value) { assign(m_isRefreshingStatus, value, &AppModel::isRefreshingStatusChanged); }
void AppModel::setIsLiveStatusActive(bool value) { assign(m_isLiveStatusActive, value, &AppModel::isLiveStatusActiveChanged); }
void AppModel::setProcessUsage(const QList<SystemReport::ProcessInfo>& value) { assign(m_processUsage, value, &AppModel::processUsageChanged); }
void AppModel::setAnalysisReport(const std::optional<AnalysisReport>& value) { assign(m_analysisReport, value, &AppModel::analysisReportChanged); }
void AppModel::setCleanPreviewReport(const std::optional<CleanPreviewReport>& value) { assign(m_cleanPreviewReport, value, &AppModel::cleanPreviewReportChanged); }
void AppModel::setOptimizePreviewReport(const std::optional<OptimizePreviewReport>& value) { assign(m_optimizePreviewReport, value, &AppModel::optimizePreviewReportChanged); }
void AppModel::setInstallerPreviewReport(const std::optional<InstallerPreviewReport>& value) { assign(m_installerPreviewReport, value, &AppModel::installerPreviewReportChanged); }
void AppModel::setPurgePreviewReport(const std::optional<PurgePreviewReport>& value) { assign(m_purgePreviewReport, value, &AppModel::purgePreviewReportChanged); }
void AppModel::setUninstallPreviewReport(const std::optional<UninstallPreviewReport>& value) { assign(m_uninstallPreviewReport, value, &AppModel::uninstallPreviewReportChanged); }
void AppModel::setScanPath(const QString& value) { assign(m_scanPath, value, &AppModel::scanPathChanged); }
void AppModel::setAnalysisPath(const QString& value) { assign(m_analysisPath, value, &AppModel::analysisPathChanged); }
void AppModel::setRecentScanPaths(const QStringList& value) { assign(m_recentScanPaths, value, &AppModel::recentScanPathsChanged); }
void AppModel::setCleanWhitelistText(const QString& value) { assign(m_cleanWhitelistText, value, &AppModel::cleanWhitelistTextChanged); }
void AppModel::setShowingCleanProtectionSheet(bool value) { assign(m_showingCleanProtectionSheet, value, &AppModel::showingCleanProtectionSheetChanged); }
void AppModel::setOptimizeWhitelistSelection(const QSet<QString>& value) { assign(m_optimizeWhitelistSelection, value, &AppModel::optimizeWhitelistSelectionChanged); }
void AppModel::setOptimizeWhitelistCustomKeys(const QStringList& value) { assign(m_optimizeWhitelistCustomKeys, value, &AppModel::optimizeWhitelistCustomKeysChanged); }
void AppModel::setShowingOptimizeProtectionSheet(bool value) { assign(m_showingOptimizeProtectionSheet, value, &AppModel::showingOptimizeProtectionSheetChanged); }
void AppModel::setPendingAction(const std::optional<AppAction>& value) { assign(m_pendingAction, value, &AppModel::pendingActionChanged); }
void AppModel::setAlertMessage(const std::optional<QString>& value) { assign(m_alertMessage, value, &AppModel::alertMessageChanged); }
void AppModel::setIsCheckingForUpdates(bool value) { assign(m_isCheckingForUpdates, value, &AppModel::isCheckingForUpdatesChanged); }
void AppModel::setUpdateStatusDetail(const QString& value) { assign(m_updateStatusDetail, value, &AppModel::updateStatusDetailChanged); }
void AppModel::setLatestUpdateVersionText(const std::optional<QString>& value) { assign(m_latestUpdateVersionText, value, &AppModel::latestUpdateVersionTextChanged); }
void AppModel::setUpdateDownloadURL(const std::optional<QUrl>& value) { assign(m_updateDownloadURL, value, &AppModel::updateDownloadURLChanged); }
void AppModel::setUpdateInstallerState(const UpdateInstallerState& value) { assign(m_updateInstallerState, value, &AppModel::updateInstallerStateChanged); }
void AppModel::setShowingUpdateSheet(bool value) { assign(m_showingUpdateSheet, value, &AppModel::showingUpdateSheetChanged); }
void AppModel::setWindowBackgroundRevision(int value) { assign(m_windowBackgroundRevision, value, &AppModel::windowBackgroundRevisionChanged); }

void AppModel::setStatus(const QString& title, const QString& detail)
{
    setStatusTitle(title);
    setStatusDetail(detail);
}

void AppModel::showFailure(const QString& title, const QString& error, bool alert)
{
    // A cancelled service leaves no text of its own.
    const QString detail = error.isEmpty() ? text("发生了未知错误。", "An unknown error occurred.") : error;
    setStatus(title, detail);
    if (alert)
        setAlertMessage(detail);
}

double AppModel::lastInstallerScanDate() const { return readPersisted(kLastInstallerScanDate, 0.0).toDouble(); }
qint64 AppModel::lastInstallerCleanedCount() const { return readPersisted(kLastInstallerCleanedCount, 0).toLongLong(); }
qint64 AppModel::lastInstallerCleanedBytes() const { return readPersisted(kLastInstallerCleanedBytes, 0).toLongLong(); }
double AppModel::lastPurgeScanDate() const { return readPersisted(kLastPurgeScanDate, 0.0).toDouble(); }
qint64 AppModel::lastPurgeCleanedCount() const { return readPersisted(kLastPurgeCleanedCount, 0).toLongLong(); }
qint64 AppModel::lastPurgeCleanedBytes() const { return readPersisted(kLastPurgeCleanedBytes, 0).toLongLong(); }
double AppModel::lastAnalysisDate() const { return readPersisted(kLastAnalysisDate, 0.0).toDouble(); }
QString AppModel::lastAnalysisPathStored() const { return readPersisted(kLastAnalysisPath, QString()).toString(); }
qint64 AppModel::lastAnalysisTotalSize() const { return readPersisted(kLastAnalysisTotalSize, 0).toLongLong(); }
qint64 AppModel::lastAnalysisTotalFiles() const { return readPersisted(kLastAnalysisTotalFiles, 0).toLongLong(); }
double AppModel::lastOptimizeDate() const { return readPersisted(kLastOptimizeDate, 0.0).toDouble(); }
qint64 AppModel::lastOptimizeCount() const { return readPersisted(kLastOptimizeCount, 0).toLongLong(); }
double AppModel::lastUninstallDate() const { return readPersisted(kLastUninstallDate, 0.0).toDouble(); }
qint64 AppModel::lastUninstallCount() const { return readPersisted(kLastUninstallCount, 0).toLongLong(); }
double AppModel::lastCleanDate() const { return readPersisted(kLastCleanDate, 0.0).toDouble(); }
qint64 AppModel::lastCleanCount() const { return readPersisted(kLastCleanCount, 0).toLongLong(); }
bool AppModel::showHealthAura() const { return readPersisted(kShowHealthAura, true).toBool(); }
QString AppModel::customWindowBackgroundPath() const { return readPersisted(kCustomWindowBackgroundPath, QString()).toString(); }

void AppModel::setShowHealthAura(bool value) { writePersisted(kShowHealthAura, value, &AppModel::showHealthAuraChanged); }
void AppModel::setCustomWindowBackgroundPath(const QString& value) { writePersisted(kCustomWindowBackgroundPath, value, &AppModel::customWindowBackgroundPathChanged); }

QString AppModel::home() const
{
    return m_services.homePath();
}

double AppModel::nowSeconds() const
{
    return static_cast<double>(m_services.now().toMSecsSinceEpoch()) / 1000.0;
}

QFuture<void> AppModel::track(const std::function<void(Done)>& body)
{
    auto promise = std::make_shared<QPromise<void>>();
    promise->start();
    QFuture<void> future = promise->future();
    body([promise] { promise->finish(); });
    return future;
}

// ---------------------------------------------------------------------------------------------
// Busy state and superseded requests

quint64 AppModel::beginRun(std::optional<AppFeature> feature)
{
    const quint64 id = ++m_nextRunId;
    m_runs.append(Run{id, feature});
    publishRunState();
    return id;
}

void AppModel::endRun(quint64 run)
{
    m_runs.removeIf([run](const Run& r) { return r.id == run; });
    publishRunState();
}

void AppModel::publishRunState()
{
    setIsRunning(!m_runs.isEmpty());
    std::optional<AppFeature> feature;
    for (auto it = m_runs.crbegin(); it != m_runs.crend(); ++it) {
        if (it->feature) {
            feature = it->feature;
            break;
        }
    }
    setRunningFeature(feature);
}

quint64 AppModel::startRequest(ReportSlot slot)
{
    return ++m_requestGeneration[static_cast<size_t>(slot)];
}

bool AppModel::isCurrentRequest(ReportSlot slot, quint64 request) const
{
    return m_requestGeneration[static_cast<size_t>(slot)] == request;
}

// ---------------------------------------------------------------------------------------------
// Start-up

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

// ---------------------------------------------------------------------------------------------
// Request, confirmation and dispatch

void AppModel::request(const AppAction& action)
{
    const QStringList& words = action.arguments;
    if (words == QStringList{QStringLiteral("clean"), QStringLiteral("--whitelist")}) {
        loadCleanWhitelistEditor();
        setShowingCleanProtectionSheet(true);
        return;
    }
    if (words == QStringList{QStringLiteral("optimize"), QStringLiteral("--whitelist")}) {
        loadOptimizeWhitelistEditor();
        setShowingOptimizeProtectionSheet(true);
        return;
    }
    if (action.isDestructive) {
        setPendingAction(action);
        return;
    }
    QMetaObject::invokeMethod(this, [this, action] { execute(action); }, Qt::QueuedConnection);
}

void AppModel::confirmPendingAction()
{
    if (!m_pendingAction)
        return;
    const AppAction action = *m_pendingAction;
    setPendingAction(std::nullopt);
    QMetaObject::invokeMethod(this, [this, action] { execute(action); }, Qt::QueuedConnection);
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

        const QStringList& words = action.arguments;
        const auto has = [&words](const char* word) { return words.contains(QLatin1String(word)); };
        const QString first = words.isEmpty() ? QString() : words.first();
        const bool dryRun = has("--dry-run");

        if (words.size() >= 2 && first == QLatin1String("status") && words.at(1) == QLatin1String("--json"))
            refreshDashboardStatus(true, done);
        else if (has("analyze") && has("--json"))
            refreshAnalysisReport(m_analysisPath, done);
        else if (has("clean") && dryRun)
            runCleanPreviewBranch(done);
        else if (has("clean"))
            runCleanBranch(done);
        else if (has("uninstall") && dryRun)
            runUninstallPreviewBranch(done);
        else if (has("optimize") && dryRun)
            runOptimizePreviewBranch(done);
        else if (has("optimize"))
            runOptimizeBranch(done);
        else if (has("installer") && dryRun)
            runInstallerPreviewBranch(done);
        else if (has("purge") && dryRun)
            runPurgePreviewBranch(done);
        else if (words.size() == 1 && first == QLatin1String("--version")) {
            runVersionBranch();
            done();
        } else if (first == QLatin1String("update"))
            checkForUpdates(false, done);
        else if (first == QLatin1String("touchid") || first == QLatin1String("completion")
                 || first == QLatin1String("remove")) {
            runNotAvailableBranch();
            done();
        } else {
            runCompletedBranch(action);
            done();
        }
    });
}

std::optional<AppFeature> AppModel::featureForAction(const AppAction& action) const
{
    static const std::pair<const char*, AppFeature> table[] = {
        {"clean", AppFeature::clean},     {"uninstall", AppFeature::uninstall}, {"optimize", AppFeature::optimize},
        {"analyze", AppFeature::analyze}, {"purge", AppFeature::purge},         {"installer", AppFeature::installer},
    };
    const QStringList& words = action.arguments;
    for (const auto& [word, feature] : table) {
        if (words.contains(QLatin1String(word)))
            return feature;
    }
    if (words.size() >= 2 && words.at(0) == QLatin1String("status") && words.at(1) == QLatin1String("--json"))
        return AppFeature::dashboard;
    return std::nullopt;
}

QString AppModel::completedTitle(const AppAction&) const
{
    return text("处理完成", "Completed");
}

QString AppModel::completedDetail(const AppAction& action) const
{
    return action.title + (inChinese() ? QStringLiteral(" 已结束。") : QStringLiteral(" is finished."));
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
    setAlertMessage(message);
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

// ---------------------------------------------------------------------------------------------
// Clean and optimization runs

void AppModel::runCleanBranch(Done done)
{
    // A failed service is said as such; nothing is cleaned and no counter is written.
    const auto fail = [this, done](const QString& error) {
        showFailure(text("清理失败", "Cleanup Failed"), error, true);
        done();
    };
    const auto cleanReport = [this, done, fail](const CleanPreviewReport& report) {
        const auto executor = m_services.cleanExecutor;
        const QStringList roots{home()};
        runOnPool<LocalCleanResult>(
            m_relay, [executor, report, roots] { return executor(report, roots); },
            [this, done, fail](Outcome<LocalCleanResult> outcome) {
                if (!outcome.value) {
                    fail(outcome.error);
                    return;
                }
                const LocalCleanResult result = *outcome.value;
                if (result.errorDescription) {
                    // Nothing was removed: say why, and leave the preview and the counters alone.
                    setAlertMessage(*result.errorDescription);
                    setStatusTitle(text("清理已停止", "Cleanup Stopped"));
                    setStatusDetail(*result.errorDescription);
                    done();
                    return;
                }
                const quint64 request = startRequest(ReportSlot::clean);
                whenDone<CleanPreviewReport>(
                    m_relay, m_services.cleanPreview, [this, done, result, request](Outcome<CleanPreviewReport> fresh) {
                        // The clean itself went through; only the picture of what is left is missing.
                        if (isCurrentRequest(ReportSlot::clean, request))
                            setCleanPreviewReport(fresh.value);
                        writePersisted({{kLastCleanDate, nowSeconds(), &AppModel::lastCleanDateChanged},
                                        {kLastCleanCount, result.removedCount, &AppModel::lastCleanCountChanged}});
                        setStatusTitle(text("清理完成", "Cleanup Complete"));
                        const qint64 n = result.removedCount;
                        const qint64 m = result.failedCount;
                        if (m < 1)
                            setStatusDetail(inChinese() ? QStringLiteral("已清理 ") + number(n) + QStringLiteral(" 项。")
                                                        : QStringLiteral("Cleaned ") + number(n) + QStringLiteral(" items."));
                        else
                            setStatusDetail(inChinese() ? QStringLiteral("已清理 ") + number(n) + QStringLiteral(" 项，")
                                                              + number(m) + QStringLiteral(" 项没有成功。")
                                                        : QStringLiteral("Cleaned ") + number(n) + QStringLiteral(" items. ")
                                                              + number(m) + QStringLiteral(" failed."));
                        done();
                    });
            });
    };

    if (m_cleanPreviewReport && !m_cleanPreviewReport->entries.isEmpty()) {
        cleanReport(*m_cleanPreviewReport);
        return;
    }
    whenDone<CleanPreviewReport>(m_relay, m_services.cleanPreview,
                                 [cleanReport, fail](Outcome<CleanPreviewReport> preview) {
                                     if (preview.value)
                                         cleanReport(*preview.value);
                                     else
                                         fail(preview.error);
                                 });
}

void AppModel::runOptimizeBranch(Done done)
{
    const auto fail = [this, done](const QString& error) {
        showFailure(text("优化失败", "Optimization Failed"), error, true);
        done();
    };
    const auto runReport = [this, done, fail](const OptimizePreviewReport& report) {
        QSet<QString> skipped;
        try {
            skipped = m_services.loadOptimizeWhitelist(home()).selectedKeys;
        } catch (...) {
            skipped = m_optimizeWhitelistSelection;
        }
        const auto executor = m_services.optimizeExecutor;
        runOnPool<LocalOptimizeResult>(
            m_relay, [executor, report, skipped] { return executor(report, skipped); },
            [this, done, fail](Outcome<LocalOptimizeResult> outcome) {
                if (!outcome.value) {
                    fail(outcome.error);
                    return;
                }
                const LocalOptimizeResult& result = *outcome.value;
                const qint64 n = result.completed.size();
                const qint64 m = result.skipped.size();
                // A step whose command failed is said as failed, never passed off as a safeguard.
                const qint64 f = result.failed.size();
                writePersisted({{kLastOptimizeDate, nowSeconds(), &AppModel::lastOptimizeDateChanged},
                                {kLastOptimizeCount, n, &AppModel::lastOptimizeCountChanged}});
                setStatusTitle(text("优化完成", "Optimization Complete"));
                QString detail;
                if (m == 0)
                    detail = inChinese() ? QStringLiteral("已完成 ") + number(n) + QStringLiteral(" 项本地整理。")
                                         : QStringLiteral("Completed ") + number(n)
                                               + QStringLiteral(" local optimizations.");
                else
                    detail = inChinese() ? QStringLiteral("已完成 ") + number(n) + QStringLiteral(" 项，跳过 ")
                                               + number(m) + QStringLiteral(" 项保护内容。")
                                         : QStringLiteral("Completed ") + number(n)
                                               + QStringLiteral(" items and skipped ") + number(m)
                                               + QStringLiteral(" safeguarded items.");
                if (f > 0)
                    detail += inChinese() ? number(f) + QStringLiteral(" 项没有成功。")
                                          : QStringLiteral(" ") + number(f) + QStringLiteral(" failed.");
                setStatusDetail(detail);
                done();
            });
    };

    if (m_optimizePreviewReport) {
        runReport(*m_optimizePreviewReport);
        return;
    }
    whenDone<OptimizePreviewReport>(m_relay, m_services.optimizePreview,
                                    [runReport, fail](Outcome<OptimizePreviewReport> preview) {
                                        if (preview.value)
                                            runReport(*preview.value);
                                        else
                                            fail(preview.error);
                                    });
}

// ---------------------------------------------------------------------------------------------
// Preview branches

void AppModel::runCleanPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::clean);
    whenDone<CleanPreviewReport>(m_relay, m_services.cleanPreview, [this, done, request](Outcome<CleanPreviewReport> outcome) {
        if (isCurrentRequest(ReportSlot::clean, request) && !outcome.value) {
            setCleanPreviewReport(std::nullopt);
            showFailure(text("预览失败", "Preview Failed"), outcome.error, false);
        } else if (isCurrentRequest(ReportSlot::clean, request)) {
            setCleanPreviewReport(outcome.value);
            setStatusTitle(text("预览完成", "Preview Complete"));
            setStatusDetail(text("已检查可清理项目。正式清理前仍会让你确认。",
                                 "Cleanable items have been checked. You will still confirm before the real cleanup."));
        }
        done();
    });
}

void AppModel::runUninstallPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::uninstall);
    whenDone<UninstallPreviewReport>(
        m_relay, m_services.uninstallPreview, [this, done, request](Outcome<UninstallPreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::uninstall, request) && !outcome.value) {
                setUninstallPreviewReport(std::nullopt);
                showFailure(text("卸载预览失败", "Uninstall Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::uninstall, request)) {
                setUninstallPreviewReport(outcome.value);
                setStatusTitle(text("预览卸载项目完成", "Uninstall Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0)
                    setStatusDetail(inChinese() ? QStringLiteral("找到 ") + number(n) + QStringLiteral(" 个可查看的应用项目。")
                                                : QStringLiteral("Found ") + number(n) + QStringLiteral(" app items to review."));
                else
                    setStatusDetail(text("当前没有可显示的应用项目。", "There are no app items to show right now."));
            }
            done();
        });
}

void AppModel::runOptimizePreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::optimize);
    whenDone<OptimizePreviewReport>(
        m_relay, m_services.optimizePreview, [this, done, request](Outcome<OptimizePreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::optimize, request) && !outcome.value) {
                setOptimizePreviewReport(std::nullopt);
                showFailure(text("优化预览失败", "Optimization Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::optimize, request)) {
                setOptimizePreviewReport(outcome.value);
                setStatusTitle(text("优化预览完成", "Optimization Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries.size() : 0;
                if (n > 0)
                    setStatusDetail(inChinese() ? QStringLiteral("已列出 ") + number(n)
                                                      + QStringLiteral(" 项优化内容。正式执行前仍会再次确认。")
                                                : number(n)
                                                      + QStringLiteral(" optimization items are listed. You will confirm again before running them."));
                else
                    setStatusDetail(text("当前没有需要展示的优化内容。", "There are no optimization items to show."));
            }
            done();
        });
}

void AppModel::runInstallerPreviewBranch(Done done)
{
    const quint64 request = startRequest(ReportSlot::installer);
    const QString homeFolder = home();
    const auto service = m_services.installerPreview;
    whenDone<InstallerPreviewReport>(
        m_relay, [service, homeFolder] { return service(homeFolder); },
        [this, done, request](Outcome<InstallerPreviewReport> outcome) {
            if (isCurrentRequest(ReportSlot::installer, request) && !outcome.value) {
                setInstallerPreviewReport(std::nullopt);
                showFailure(text("安装包预览失败", "Installer Preview Failed"), outcome.error, false);
            } else if (isCurrentRequest(ReportSlot::installer, request)) {
                setInstallerPreviewReport(outcome.value);
                setStatusTitle(text("安装包预览完成", "Installer Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0) {
                    const QString size = outcome.value->totalSizeText();
                    setStatusDetail(inChinese() ? QStringLiteral("发现 ") + number(n) + QStringLiteral(" 个安装包，合计 ")
                                                      + size + QStringLiteral("。")
                                                : QStringLiteral("Found ") + number(n)
                                                      + QStringLiteral(" installer files, total ") + size + QStringLiteral("."));
                } else {
                    setStatusDetail(text("没有发现明显可整理的安装包。", "No obvious installer files were found."));
                }
            }
            done();
        });
}

void AppModel::runPurgePreviewBranch(Done done)
{
    setStatusDetail(text("正在扫描项目目录，请稍等。", "Scanning the project folder, please wait."));
    const quint64 request = startRequest(ReportSlot::purge);
    const QString rootPath = m_scanPath;
    const auto service = m_services.purgePreview;
    whenDone<PurgePreviewReport>(
        m_relay, [service, rootPath] { return service(rootPath); },
        [this, done, request, rootPath](Outcome<PurgePreviewReport> outcome) {
            // A scan of a folder that is no longer the chosen one describes nothing on screen.
            const bool current = isCurrentRequest(ReportSlot::purge, request) && rootPath == m_scanPath;
            if (current && !outcome.value) {
                setPurgePreviewReport(std::nullopt);
                showFailure(text("项目预览失败", "Project Preview Failed"), outcome.error, false);
            } else if (current) {
                setPurgePreviewReport(outcome.value);
                setStatusTitle(text("项目预览完成", "Project Preview Complete"));
                const qint64 n = outcome.value ? outcome.value->entries().size() : 0;
                if (n > 0) {
                    const QString size = outcome.value->totalSizeText();
                    setStatusDetail(inChinese() ? QStringLiteral("发现 ") + number(n) + QStringLiteral(" 个可整理项目，合计 ")
                                                      + size + QStringLiteral("。")
                                                : QStringLiteral("Found ") + number(n)
                                                      + QStringLiteral(" cleanup items, total ") + size + QStringLiteral("."));
                } else {
                    setStatusDetail(text("当前范围里没有明显可整理的项目产物。",
                                         "No obvious cleanup targets were found in this scope."));
                }
            }
            done();
        });
}

// ---------------------------------------------------------------------------------------------
// Protection-list editors

void AppModel::loadCleanWhitelistEditor()
{
    try {
        const CleanWhitelistState state = m_services.loadCleanWhitelist(home());
        m_cleanWhitelistLoadError.reset();
        setCleanWhitelistText(state.patterns.join(QLatin1Char('\n')));
    } catch (...) {
        m_cleanWhitelistLoadError = describeError(std::current_exception());
        setAlertMessage(*m_cleanWhitelistLoadError);
    }
    emit cleanWhitelistLoadErrorChanged();
}

void AppModel::saveCleanWhitelistEditor()
{
    if (m_cleanWhitelistLoadError) {
        setAlertMessage(text("保护名单没有读取成功，为避免覆盖原来的文件，这次没有保存。",
                             "The protection list could not be read, so it was not saved over."));
        return;
    }
    QStringList patterns;
    QString piece;
    const auto endPiece = [&] {
        const QString trimmed = piece.trimmed();
        if (!trimmed.isEmpty())
            patterns.append(trimmed);
        piece.clear();
    };
    for (const QChar c : m_cleanWhitelistText) {
        const char16_t u = c.unicode();
        if ((u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029)
            endPiece();
        else
            piece.append(c);
    }
    endPiece();
    // A line that names no fixed place would be stored and then silently protect nothing.
    for (const QString& pattern : patterns) {
        if (!CleanWhitelistMatcher::canEverMatch(pattern, home())) {
            setAlertMessage(inChinese()
                                ? QStringLiteral("这一行不是以 / 或 ~ 开头的完整路径，不会保护任何内容，保护名单没有保存：") + pattern
                                : QStringLiteral("This line is not a full path starting with / or ~ and would protect nothing, "
                                                 "so the protection list was not saved: ")
                                      + pattern);
            return;
        }
    }
    try {
        m_services.saveCleanWhitelist(CleanWhitelistState{patterns}, home());
    } catch (...) {
        setAlertMessage(describeError(std::current_exception()));
        return;
    }
    setStatusTitle(text("保护名单已更新", "Protection List Updated"));
    setStatusDetail(text("智能清理会按新的保护名单跳过对应内容。", "Smart Clean will skip items covered by the new protection list."));
}

void AppModel::loadOptimizeWhitelistEditor()
{
    try {
        const OptimizeWhitelistState state = m_services.loadOptimizeWhitelist(home());
        m_optimizeWhitelistLoadError.reset();
        setOptimizeWhitelistSelection(state.selectedKeys);
        setOptimizeWhitelistCustomKeys(state.customKeys);
    } catch (...) {
        m_optimizeWhitelistLoadError = describeError(std::current_exception());
        setAlertMessage(*m_optimizeWhitelistLoadError);
    }
    emit optimizeWhitelistLoadErrorChanged();
}

void AppModel::saveOptimizeWhitelistEditor()
{
    if (m_optimizeWhitelistLoadError) {
        setAlertMessage(text("保护项没有读取成功，为避免覆盖原来的文件，这次没有保存。",
                             "The safeguards could not be read, so they were not saved over."));
        return;
    }
    try {
        m_services.saveOptimizeWhitelist(OptimizeWhitelistState{m_optimizeWhitelistSelection, m_optimizeWhitelistCustomKeys},
                                         home());
    } catch (...) {
        setAlertMessage(describeError(std::current_exception()));
        return;
    }
    setStatusTitle(text("保护项已更新", "Safeguards Updated"));
    setStatusDetail(text("优化执行时会跳过已勾选的步骤。", "Optimization will skip the selected steps."));
}

// ---------------------------------------------------------------------------------------------
// Trash moves

namespace {

// What one guarded move came to. Runs on the Trash thread: it touches only its arguments.
struct MoveOutcome {
    bool moved = false;
    bool refused = false;
    QString error;
};

using TrashMover = std::function<bool(const QString& path, const QString& folder, QString* error)>;
using StopFlag = std::shared_ptr<std::atomic<bool>>;

MoveOutcome guardedMove(const TrashMover& moveToTrash, const QString& path, const QString& home)
{
    MoveOutcome outcome;
    // The move acts on the folder the guard judged, so a folder swapped afterwards fails the item.
    const std::optional<QString> folder = ScanPathGuard::allowedParentFolder(path, home);
    outcome.refused = !folder;
    if (outcome.refused) {
        qCInfo(log::trash).noquote() << "refused by the Trash guard:" << path;
        return outcome;
    }
    try {
        outcome.moved = moveToTrash(path, *folder, &outcome.error);
    } catch (const std::exception& error) {
        outcome.error = QString::fromUtf8(error.what());
        outcome.moved = false;
    } catch (...) {
        outcome.moved = false; // the GUI thread words an unknown error
    }
    if (!outcome.moved)
        qCInfo(log::trash).noquote() << "not moved to Trash:" << path << "-" << outcome.error;
    return outcome;
}

struct UninstallOutcome {
    QSet<QString> removedApps;
    qint64 handled = 0;
    qint64 failed = 0;
};

// The uninstall run: an application's leftovers go only once the application itself is gone, so a
// refused or failed application keeps everything it needs.
UninstallOutcome uninstallEntries(const TrashMover& moveToTrash, const QList<UninstallPreviewReport::Entry>& entries,
                                  const QString& home, const StopFlag& stop)
{
    UninstallOutcome outcome;
    QSet<QString> moved;
    for (const auto& entry : entries) {
        bool appGone = moved.contains(entry.path);
        if (!appGone) {
            if (*stop)
                return outcome;
            if (guardedMove(moveToTrash, entry.path, home).moved) {
                moved.insert(entry.path);
                ++outcome.handled;
                appGone = true;
            } else {
                ++outcome.failed;
            }
        }
        if (!appGone)
            continue;
        outcome.removedApps.insert(entry.path);
        for (const QString& leftover : entry.leftoverPaths) {
            if (moved.contains(leftover))
                continue;
            if (*stop)
                return outcome;
            if (guardedMove(moveToTrash, leftover, home).moved)
                moved.insert(leftover);
            else
                ++outcome.failed;
        }
    }
    return outcome;
}

} // namespace

void AppModel::runTrashJob(std::function<void()> work)
{
    // One mover at a time, in the order asked, so two batches never race for the same item.
    m_trashPool.start(std::move(work));
}

void AppModel::stopTrashMoves()
{
    *m_trashStop = true;
    m_trashPool.clear();
}

template <typename T>
void AppModel::runOnTrashThread(std::function<T()> work, std::function<void(std::optional<T>)> continuation)
{
    const std::shared_ptr<ThreadRelay> relay = m_relay;
    runTrashJob([relay, work = std::move(work), continuation = std::move(continuation)]() mutable {
        std::optional<T> value;
        try {
            value = work();
        } catch (...) {
        }
        relay->post([continuation = std::move(continuation), value = std::move(value)]() mutable {
            continuation(std::move(value));
        });
    });
}

quint64 AppModel::beginTrashRun(AppFeature feature, const QString& title, const QString& detail)
{
    if (m_trashRunsPending++ == 0) {
        m_trashStatusTitle = m_statusTitle;
        m_trashStatusDetail = m_statusDetail;
    }
    const quint64 run = beginRun(feature);
    setStatus(title, detail);
    return run;
}

void AppModel::endTrashRun(quint64 run, const std::optional<std::pair<QString, QString>>& result)
{
    --m_trashRunsPending;
    endRun(run);
    if (result) {
        m_trashStatusTitle = result->first;
        m_trashStatusDetail = result->second;
        setStatus(result->first, result->second);
    } else if (m_trashRunsPending == 0) {
        // A failed move changes nothing: the banner goes back to the last result, never to the
        // progress text of a move that has ended meanwhile.
        setStatus(m_trashStatusTitle, m_trashStatusDetail);
    }
}

QFuture<void> AppModel::uninstallSelectedApps(const QList<UninstallPreviewReport::Entry>& entries)
{
    if (entries.isEmpty()) {
        setAlertMessage(text("请先选择要处理的应用。", "Choose the apps you want to process first."));
        return QtFuture::makeReadyFuture();
    }
    return track([this, entries](Done done) {
        QMetaObject::invokeMethod(this, [this, entries, done] { performUninstall(entries, done); }, Qt::QueuedConnection);
    });
}

void AppModel::performUninstall(const QList<UninstallPreviewReport::Entry>& entries, Done done)
{
    const quint64 run = beginTrashRun(AppFeature::uninstall, text("正在卸载", "Uninstalling"),
                                      text("正在处理选中的应用，请稍等。", "Processing the selected apps, please wait."));

    const auto moveToTrash = m_services.moveToTrash;
    const QString homeFolder = home();
    const StopFlag stop = m_trashStop;
    runOnTrashThread<UninstallOutcome>(
        [moveToTrash, entries, homeFolder, stop] { return uninstallEntries(moveToTrash, entries, homeFolder, stop); },
        [this, run, done](std::optional<UninstallOutcome> result) {
            const UninstallOutcome outcome = result.value_or(UninstallOutcome{});
            const qint64 handled = outcome.handled;
            const qint64 failed = outcome.failed;
            if (handled == 0) {
                endTrashRun(run, std::pair(text("没有完成", "Not Completed"),
                                           text("选中的应用没有处理成功。", "The selected apps could not be processed.")));
                done();
                return;
            }
            // Only applications that really went to the Trash leave the report.
            QList<UninstallPreviewReport::Entry> remaining;
            if (m_uninstallPreviewReport) {
                for (const auto& entry : m_uninstallPreviewReport->entries()) {
                    if (!outcome.removedApps.contains(entry.path))
                        remaining.append(entry);
                }
            }
            setUninstallPreviewReport(UninstallPreviewReport(remaining));
            writePersisted({{kLastUninstallDate, nowSeconds(), &AppModel::lastUninstallDateChanged},
                            {kLastUninstallCount, handled, &AppModel::lastUninstallCountChanged}});
            QString detail;
            if (failed == 0)
                detail = inChinese() ? QStringLiteral("已处理 ") + number(handled) + QStringLiteral(" 个应用项目。")
                                     : QStringLiteral("Processed ") + number(handled) + QStringLiteral(" app items.");
            else
                detail = inChinese() ? QStringLiteral("已处理 ") + number(handled) + QStringLiteral(" 个应用项目，")
                                           + number(failed) + QStringLiteral(" 个没有成功。")
                                     : QStringLiteral("Processed ") + number(handled) + QStringLiteral(" app items. ")
                                           + number(failed) + QStringLiteral(" failed.");
            endTrashRun(run, std::pair(text("卸载完成", "Uninstall Complete"), detail));
            done();
        });
}

QFuture<void> AppModel::moveToTrash(const std::optional<QString>& path, AppFeature fromPage)
{
    if (!path)
        return QtFuture::makeReadyFuture();
    // The size is the one the preview knew before the move.
    qint64 size = 0;
    if (m_purgePreviewReport) {
        for (const auto& entry : m_purgePreviewReport->entries()) {
            if (entry.path == *path) {
                size = entry.byteCount;
                break;
            }
        }
    }
    return track([this, path = *path, fromPage, size](Done done) {
        const quint64 run = beginTrashRun(fromPage, text("正在移到废纸篓", "Moving to Trash"),
                                          text("正在把选中的项目移到废纸篓，请稍等。",
                                               "Moving the selected items to Trash, please wait."));
        const auto move = m_services.moveToTrash;
        const QString homeFolder = home();
        runOnTrashThread<MoveOutcome>(
            [move, path, homeFolder] { return guardedMove(move, path, homeFolder); },
            [this, run, done, path, fromPage, size](std::optional<MoveOutcome> result) {
                const MoveOutcome outcome = result.value_or(MoveOutcome{});
                if (!outcome.moved) {
                    endTrashRun(run, std::nullopt);
                    const QString message =
                        outcome.refused ? text("这个路径不在允许范围内，无法移到废纸篓。",
                                               "This path is outside the allowed scope and cannot be moved to Trash.")
                        : outcome.error.isEmpty() ? text("发生了未知错误。", "An unknown error occurred.")
                                                  : outcome.error;
                    qCWarning(log::trash).noquote() << "Trash move failed:" << message;
                    setAlertMessage(message);
                    done();
                    return;
                }
                if (m_purgePreviewReport) {
                    QList<PurgePreviewReport::Entry> entries = m_purgePreviewReport->entries();
                    if (entries.removeIf([&path](const auto& entry) { return entry.path == path; }) > 0)
                        setPurgePreviewReport(PurgePreviewReport(m_purgePreviewReport->rootPath(), entries,
                                                                 m_purgePreviewReport->generatedAt()));
                }
                if (fromPage == AppFeature::purge) {
                    writePersisted({{kLastPurgeScanDate, nowSeconds(), &AppModel::lastPurgeScanDateChanged},
                                    {kLastPurgeCleanedCount, lastPurgeCleanedCount() + 1, &AppModel::lastPurgeCleanedCountChanged},
                                    {kLastPurgeCleanedBytes, lastPurgeCleanedBytes() + size, &AppModel::lastPurgeCleanedBytesChanged}});
                }
                endTrashRun(run, std::pair(text("已移到废纸篓", "Moved to Trash"),
                                           text("选中的项目已放入废纸篓。", "The selected item has been moved to Trash.")));
                done();
            });
    });
}

QFuture<void> AppModel::moveInstallersToTrash(const QStringList& paths)
{
    if (paths.isEmpty()) {
        setAlertMessage(text("请先选择要清理的安装包。", "Choose the installer files you want to clean up first."));
        return QtFuture::makeReadyFuture();
    }
    struct BatchOutcome {
        QSet<QString> moved;
        qint64 failed = 0;
    };
    return track([this, paths](Done done) {
        const quint64 run = beginTrashRun(AppFeature::installer, text("正在移到废纸篓", "Moving to Trash"),
                                          text("正在把选中的项目移到废纸篓，请稍等。",
                                               "Moving the selected items to Trash, please wait."));
        const auto move = m_services.moveToTrash;
        const QString homeFolder = home();
        const StopFlag stop = m_trashStop;
        runOnTrashThread<BatchOutcome>(
            [move, paths, homeFolder, stop] {
                BatchOutcome outcome;
                for (const QString& path : paths) {
                    if (*stop)
                        break;
                    if (guardedMove(move, path, homeFolder).moved)
                        outcome.moved.insert(path);
                    else
                        ++outcome.failed;
                }
                return outcome;
            },
            [this, run, done, paths](std::optional<BatchOutcome> result) {
                BatchOutcome outcome = result.value_or(BatchOutcome{});
                if (!result)
                    outcome.failed = paths.size();
                const qint64 failed = outcome.failed;
                const qint64 movedCount = static_cast<qint64>(paths.size()) - failed;
                if (movedCount == 0) {
                    endTrashRun(run, std::pair(text("没有完成", "Not Completed"),
                                               text("选中的安装包没有移动成功。",
                                                    "The selected installer files could not be moved.")));
                    done();
                    return;
                }
                // Only what really went to the Trash leaves the report and counts as freed.
                qint64 freed = 0;
                QList<InstallerPreviewReport::Entry> remaining;
                if (m_installerPreviewReport) {
                    for (const auto& entry : m_installerPreviewReport->entries()) {
                        if (outcome.moved.contains(entry.path))
                            freed += entry.byteCount;
                        else
                            remaining.append(entry);
                    }
                }
                setInstallerPreviewReport(InstallerPreviewReport(remaining, m_services.now()));
                writePersisted({{kLastInstallerScanDate, nowSeconds(), &AppModel::lastInstallerScanDateChanged},
                                {kLastInstallerCleanedCount, movedCount, &AppModel::lastInstallerCleanedCountChanged},
                                {kLastInstallerCleanedBytes, freed, &AppModel::lastInstallerCleanedBytesChanged}});
                QString detail;
                if (failed == 0)
                    detail = inChinese() ? QStringLiteral("已移动 ") + number(movedCount) + QStringLiteral(" 个安装包。")
                                         : QStringLiteral("Moved ") + number(movedCount) + QStringLiteral(" installer files.");
                else
                    detail = inChinese() ? QStringLiteral("已移动 ") + number(movedCount) + QStringLiteral(" 个安装包，")
                                               + number(failed) + QStringLiteral(" 个没有成功。")
                                         : QStringLiteral("Moved ") + number(movedCount) + QStringLiteral(" installer files. ")
                                               + number(failed) + QStringLiteral(" failed.");
                endTrashRun(run, std::pair(text("已移到废纸篓", "Moved to Trash"), detail));
                done();
            });
    });
}

// ---------------------------------------------------------------------------------------------
// Folder choices

void AppModel::chooseScanPath(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    setScanPath(chosenPath);
    setPurgePreviewReport(std::nullopt);
    setRecentScanPaths({});
}

void AppModel::chooseAnalysisPath(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    startRequest(ReportSlot::analysis);
    setAnalysisPath(chosenPath);
    setAnalysisReport(std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Live status

QFuture<void> AppModel::primeDashboardSnapshotIfNeeded()
{
    return track([this](Done done) { primeDashboardSnapshotIfNeeded(done); });
}

void AppModel::primeDashboardSnapshotIfNeeded(Done done)
{
    const auto processes = [this, done] {
        if (!m_processUsage.isEmpty()) {
            done();
            return;
        }
        runOnPool<QList<SystemReport::ProcessInfo>>(m_relay, m_services.processSnapshot,
                                                    [this, done](Outcome<QList<SystemReport::ProcessInfo>> outcome) {
                                                        if (outcome.value)
                                                            setProcessUsage(*outcome.value);
                                                        done();
                                                    });
    };
    if (m_statusReport) {
        processes();
        return;
    }
    const auto snapshot = m_services.statusSnapshot;
    runOnPool<SystemReport>(
        m_relay, [snapshot] { return snapshot(std::nullopt); },
        [this, processes](Outcome<SystemReport> outcome) {
            if (outcome.value)
                setStatusReport(*outcome.value);
            processes();
        });
}

QFuture<void> AppModel::refreshDashboardStatus(bool announce)
{
    return track([this, announce](Done done) { refreshDashboardStatus(announce, done); });
}

void AppModel::refreshDashboardStatus(bool announce, Done done)
{
    if (m_isRefreshingStatus) {
        done();
        return;
    }
    primeDashboardSnapshotIfNeeded([this, announce, done] {
        setIsRefreshingStatus(true);
        refreshStatusReport(announce, [this, done] {
            setIsRefreshingStatus(false);
            done();
        });
    });
}

void AppModel::refreshStatusReport(bool announce, Done done)
{
    using Sample = std::pair<SystemReport, QList<SystemReport::ProcessInfo>>;
    const auto processSnapshot = m_services.processSnapshot;
    const auto statusSnapshot = m_services.statusSnapshot;
    runOnPool<Sample>(
        m_relay,
        [processSnapshot, statusSnapshot] {
            // The table is read once and handed to the snapshot.
            const QList<SystemReport::ProcessInfo> processes = processSnapshot();
            return Sample{statusSnapshot(processes), processes};
        },
        [this, announce, done](Outcome<Sample> outcome) {
            if (outcome.value) {
                setStatusReport(outcome.value->first);
                setProcessUsage(outcome.value->second);
                if (announce) {
                    setStatusTitle(text("状态已更新", "Status Updated"));
                    setStatusDetail(text("电脑当前状态已经刷新。", "Current system status has been refreshed."));
                }
            }
            done();
        });
}

void AppModel::runDashboardLiveStatus()
{
    m_liveLoopWanted = true;
    m_liveTimer.stop();
    setIsLiveStatusActive(true);
    if (m_liveLoopRefreshing)
        return; // the refresh under way schedules the next tick
    m_liveLoopRefreshing = true;
    refreshDashboardStatus(false, [this] {
        m_liveLoopRefreshing = false;
        scheduleLiveTick();
    });
}

void AppModel::stopDashboardLiveStatus()
{
    m_liveLoopWanted = false;
    m_liveTimer.stop();
    // A refresh under way still stores its results; the loop ends when it is back.
    if (!m_liveLoopRefreshing && m_isLiveStatusActive)
        setIsLiveStatusActive(false);
}

void AppModel::scheduleLiveTick()
{
    if (!m_liveLoopWanted) {
        finishLiveLoop();
        return;
    }
    m_liveTimer.start(m_services.liveStatusIntervalMs);
}

void AppModel::finishLiveLoop()
{
    m_liveTimer.stop();
    if (m_isLiveStatusActive)
        setIsLiveStatusActive(false);
}

void AppModel::liveTick()
{
    if (!m_liveLoopWanted) {
        finishLiveLoop();
        return;
    }
    if (m_isRefreshingStatus) {
        scheduleLiveTick();
        return;
    }
    m_liveLoopRefreshing = true;
    primeDashboardSnapshotIfNeeded([this] {
        setIsRefreshingStatus(true);
        refreshStatusReport(false, [this] {
            setIsRefreshingStatus(false);
            m_liveLoopRefreshing = false;
            scheduleLiveTick();
        });
    });
}

// ---------------------------------------------------------------------------------------------
// Process termination

void AppModel::terminateProcess(const SystemReport::ProcessInfo& process, bool force)
{
    if (!process.pid)
        return;
    const qint64 pid = *process.pid;
    const QString name = process.name ? *process.name : text("进程", "the process");
    try {
        m_services.terminateProcess(pid, force);
    } catch (...) {
        setAlertMessage(describeError(std::current_exception()));
        return;
    }
    const auto samePid = [pid](const SystemReport::ProcessInfo& info) { return info.pid && *info.pid == pid; };
    QList<SystemReport::ProcessInfo> processes = m_processUsage;
    processes.removeIf(samePid);
    setProcessUsage(processes);
    if (m_statusReport) {
        SystemReport report = *m_statusReport;
        report.topProcesses.removeIf(samePid);
        setStatusReport(report);
    }
    if (force) {
        setStatusTitle(text("已强制结束", "Force Quit"));
        setStatusDetail(inChinese() ? QStringLiteral("已强制结束 ") + name + QStringLiteral("。")
                                    : QStringLiteral("Force-quit ") + name + QStringLiteral("."));
    } else {
        setStatusTitle(text("已请求退出", "Termination Requested"));
        setStatusDetail(inChinese() ? QStringLiteral("已请求 ") + name + QStringLiteral(" 退出。")
                                    : QStringLiteral("Asked ") + name + QStringLiteral(" to quit."));
    }
}

// ---------------------------------------------------------------------------------------------
// Storage analysis

void AppModel::analyzePath(const QString& path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return;
    startRequest(ReportSlot::analysis);
    setAnalysisPath(trimmed);
    setAnalysisReport(std::nullopt);
    request(AppActionFactory::analyze(trimmed, true));
}

void AppModel::analyzeParentPath()
{
    QString path = m_analysisPath;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString parent = slash < 0 ? QString() : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    if (!parent.isEmpty() && parent != m_analysisPath)
        analyzePath(parent);
}

void AppModel::refreshAnalysisReport(const QString& path, Done done)
{
    const quint64 request = startRequest(ReportSlot::analysis);
    const auto analysis = m_services.analysis;
    runOnPool<AnalysisReport>(
        m_relay, [analysis, path] { return analysis(path); },
        [this, done, request, path](Outcome<AnalysisReport> outcome) {
            if (!isCurrentRequest(ReportSlot::analysis, request)) {
                done();
                return;
            }
            if (!outcome.value) {
                showFailure(text("空间分析失败", "Storage Analysis Failed"), outcome.error, false);
                done();
                return;
            }
            const AnalysisReport& report = *outcome.value;
            setAnalysisReport(report);
            setStatusTitle(text("空间分析完成", "Storage Analysis Complete"));
            setStatusDetail(text("下面列出了最占空间的文件和文件夹。", "Below are the files and folders using the most space."));
            writePersisted({{kLastAnalysisDate, nowSeconds(), &AppModel::lastAnalysisDateChanged},
                            {kLastAnalysisPath, report.path.value_or(path), &AppModel::lastAnalysisPathStoredChanged},
                            {kLastAnalysisTotalSize, report.totalSize.value_or(0), &AppModel::lastAnalysisTotalSizeChanged},
                            {kLastAnalysisTotalFiles, report.totalFiles.value_or(0), &AppModel::lastAnalysisTotalFilesChanged}});
            done();
        });
}

// ---------------------------------------------------------------------------------------------
// Updates

QFuture<void> AppModel::checkForUpdates(bool silent)
{
    return track([this, silent](Done done) { checkForUpdates(silent, done); });
}

void AppModel::checkForUpdates(bool silent, Done done)
{
    std::optional<QUrl> feed;
    try {
        feed = m_services.updateFeedURL();
    } catch (...) {
        feed = std::nullopt;
    }
    if (!feed) {
        setUpdateStatusDetail(text("还没有配置更新地址。", "The update feed URL has not been configured."));
        setLatestUpdateVersionText(std::nullopt);
        setUpdateDownloadURL(std::nullopt);
        done();
        return;
    }
    setIsCheckingForUpdates(true);
    const QString currentVersion = m_services.bundleShortVersion().value_or(QStringLiteral("0"));
    const std::optional<QString> currentBuild = m_services.bundleVersion();
    const auto fetch = m_services.fetchLatestUpdate;
    const QUrl address = *feed;
    whenDone<RororUpdateInfo>(
        m_relay, [fetch, address] { return fetch(address); },
        [this, silent, done, currentVersion, currentBuild](Outcome<RororUpdateInfo> outcome) {
            if (outcome.value) {
                const RororUpdateInfo& info = *outcome.value;
                const QString shown = info.displayVersion();
                setLatestUpdateVersionText(shown);
                setUpdateDownloadURL(info.installableDownloadURL(currentVersion, currentBuild));
                if (UpdateVersionComparator::isUpdateAvailable(currentVersion, currentBuild, info.version, info.build)) {
                    setUpdateStatusDetail(L([&] { return QStringLiteral("发现新版本 ") + shown + QStringLiteral("。"); },
                                            [&] { return QStringLiteral("New version available: ") + shown + QStringLiteral("."); }));
                    if (!silent)
                        setStatus(text("发现新版本", "Update Available"), m_updateStatusDetail);
                } else {
                    setUpdateStatusDetail(text("当前已经是最新版。", "You are already on the latest version."));
                    if (!silent)
                        setStatus(text("已是最新版", "Up to Date"), m_updateStatusDetail);
                }
            } else {
                const QString description = outcome.error;
                setUpdateStatusDetail(L([&] { return QStringLiteral("检查更新失败：") + description; },
                                        [&] { return QStringLiteral("Update check failed: ") + description; }));
                if (!silent)
                    setAlertMessage(description);
            }
            setIsCheckingForUpdates(false);
            done();
        });
}

void AppModel::installUpdate()
{
    if (!m_updateDownloadURL)
        return;
    switch (m_updateInstallerState.kind) {
    case UpdateInstallerState::Kind::downloading:
    case UpdateInstallerState::Kind::installing:
        return;
    case UpdateInstallerState::Kind::readyToInstall:
        setShowingUpdateSheet(true);
        return;
    case UpdateInstallerState::Kind::idle:
    case UpdateInstallerState::Kind::failed:
        break;
    }
    if (!m_updateInstaller)
        return;
    setShowingUpdateSheet(true);
    setUpdateInstallerState(UpdateInstallerState::downloading(0));
    // Every state is stored on the model's thread, in order. A report made on that thread is stored
    // at once: deferred, it could land after the update sheet has cancelled the download and reset
    // the state, leaving a download shown as running that no longer exists.
    const std::weak_ptr<ThreadRelay> weakRelay = m_relay;
    m_updateInstaller->onStateChanged = [weakRelay, this](const UpdateInstallerState& state) {
        if (const auto relay = weakRelay.lock())
            relay->deliver([this, state] { setUpdateInstallerState(state); });
    };
    m_services.startUpdateDownload(*m_updateInstaller, *m_updateDownloadURL);
}

// ---------------------------------------------------------------------------------------------
// Window background

std::optional<QUrl> AppModel::customWindowBackgroundURL() const
{
    const QString path = customWindowBackgroundPath();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    return QUrl::fromLocalFile(path);
}

void AppModel::chooseWindowBackgroundImage(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    QString error;
    const auto installed = WindowBackgroundStore::installImage(chosenPath, &error);
    if (!installed) {
        setAlertMessage(L([&] { return QStringLiteral("无法设置背景图片：") + error; },
                          [&] { return QStringLiteral("Could not set the background image: ") + error; }));
        return;
    }
    setCustomWindowBackgroundPath(*installed);
    setWindowBackgroundRevision(m_windowBackgroundRevision + 1);
}

void AppModel::clearWindowBackgroundImage()
{
    setCustomWindowBackgroundPath(QString());
    if (const auto folder = WindowBackgroundStore::storageDirectory())
        WindowBackgroundStore::removeInstalledImages(*folder);
    setWindowBackgroundRevision(m_windowBackgroundRevision + 1);
}

void AppModel::sanitizeWindowBackgroundPathIfNeeded()
{
    if (customWindowBackgroundPath().isEmpty())
        return;
    if (!customWindowBackgroundURL())
        setCustomWindowBackgroundPath(QString());
}

} // namespace roror
