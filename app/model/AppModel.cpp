#include "app/model/AppModel.h"

#include "app/model/AppModelInternal.h"
#include "core/support/StandardPath.h"

#include <QPromise>
#include <utility>

namespace roror {

using namespace appmodel;

// One row per persisted property, in declaration order: its store key (the property's name but
// for lastAnalysisPathStored), what a read gives when the key is absent, whose type is the
// property's, and the signal that announces a write.
struct AppModel::PersistedSetting {
    Persisted property;
    QString key;
    QVariant fallback;
    void (AppModel::*signal)();
};

const QList<AppModel::PersistedSetting>& AppModel::persistedSettings()
{
    using P = Persisted;
    static const QList<PersistedSetting> table{
        {P::lastInstallerScanDate, QStringLiteral("lastInstallerScanDate"), 0.0,
         &AppModel::lastInstallerScanDateChanged},
        {P::lastInstallerCleanedCount, QStringLiteral("lastInstallerCleanedCount"), qint64(0),
         &AppModel::lastInstallerCleanedCountChanged},
        {P::lastInstallerCleanedBytes, QStringLiteral("lastInstallerCleanedBytes"), qint64(0),
         &AppModel::lastInstallerCleanedBytesChanged},
        {P::lastPurgeScanDate, QStringLiteral("lastPurgeScanDate"), 0.0, &AppModel::lastPurgeScanDateChanged},
        {P::lastPurgeCleanedCount, QStringLiteral("lastPurgeCleanedCount"), qint64(0),
         &AppModel::lastPurgeCleanedCountChanged},
        {P::lastPurgeCleanedBytes, QStringLiteral("lastPurgeCleanedBytes"), qint64(0),
         &AppModel::lastPurgeCleanedBytesChanged},
        {P::lastAnalysisDate, QStringLiteral("lastAnalysisDate"), 0.0, &AppModel::lastAnalysisDateChanged},
        {P::lastAnalysisPathStored, QStringLiteral("lastAnalysisPath"), QString(),
         &AppModel::lastAnalysisPathStoredChanged},
        {P::lastAnalysisTotalSize, QStringLiteral("lastAnalysisTotalSize"), qint64(0),
         &AppModel::lastAnalysisTotalSizeChanged},
        {P::lastAnalysisTotalFiles, QStringLiteral("lastAnalysisTotalFiles"), qint64(0),
         &AppModel::lastAnalysisTotalFilesChanged},
        {P::lastOptimizeDate, QStringLiteral("lastOptimizeDate"), 0.0, &AppModel::lastOptimizeDateChanged},
        {P::lastOptimizeCount, QStringLiteral("lastOptimizeCount"), qint64(0), &AppModel::lastOptimizeCountChanged},
        {P::lastUninstallDate, QStringLiteral("lastUninstallDate"), 0.0, &AppModel::lastUninstallDateChanged},
        {P::lastUninstallCount, QStringLiteral("lastUninstallCount"), qint64(0), &AppModel::lastUninstallCountChanged},
        {P::lastCleanDate, QStringLiteral("lastCleanDate"), 0.0, &AppModel::lastCleanDateChanged},
        {P::lastCleanCount, QStringLiteral("lastCleanCount"), qint64(0), &AppModel::lastCleanCountChanged},
        {P::showHealthAura, QStringLiteral("showHealthAura"), true, &AppModel::showHealthAuraChanged},
        {P::customWindowBackgroundPath, QStringLiteral("customWindowBackgroundPath"), QString(),
         &AppModel::customWindowBackgroundPathChanged},
    };
    return table;
}

const AppModel::PersistedSetting& AppModel::persistedSetting(Persisted property)
{
    const PersistedSetting& setting = persistedSettings().at(static_cast<qsizetype>(property));
    Q_ASSERT(setting.property == property);
    return setting;
}

const QStringList& AppModel::persistedKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        for (const PersistedSetting& setting : persistedSettings())
            list.append(setting.key);
        return list;
    }();
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

QVariant AppModel::readPersisted(Persisted property) const
{
    if (const auto unwritten = m_unwrittenPersisted.constFind(static_cast<int>(property));
        unwritten != m_unwrittenPersisted.cend())
        return unwritten->value;
    const PersistedSetting& setting = persistedSetting(property);
    const auto settings = m_services.openSettings();
    return settings->value(setting.key, setting.fallback);
}

void AppModel::writePersisted(std::initializer_list<PersistedWrite> writes)
{
    {
        // A fresh handle waits for the summaries handed to the store's writer, so the file takes
        // the writes in the order they were made, and a reader of the file sees this one next.
        const auto settings = m_services.openSettings();
        for (const PersistedWrite& write : writes) {
            settings->setValue(persistedSetting(write.property).key, write.value);
            m_unwrittenPersisted.remove(static_cast<int>(write.property));
        }
        settings->sync();
    }
    for (const PersistedWrite& write : writes)
        emit(this->*persistedSetting(write.property).signal)();
}

void AppModel::writeRunSummary(std::initializer_list<PersistedWrite> writes)
{
    // Syncing the store waits for the disk (twice), so the view would wait with it; the signals
    // go out now and the model answers from its copy until the write is in the file.
    const quint64 write = ++m_persistedWrites;
    QList<std::pair<QString, QVariant>> values;
    for (const PersistedWrite& w : writes) {
        m_unwrittenPersisted.insert(static_cast<int>(w.property), {write, w.value});
        values.append({persistedSetting(w.property).key, w.value});
    }
    m_services.writeSettings(std::move(values), [relay = m_relay, this, write] {
        relay->post([this, write] {
            // Writes land in order: this one and every earlier one are in the file.
            m_unwrittenPersisted.removeIf([write](const auto& entry) { return entry.value().write <= write; });
        });
    });
    for (const PersistedWrite& w : writes)
        emit(this->*persistedSetting(w.property).signal)();
}

void AppModel::setSelectedFeature(AppFeature value)
{
    assign(m_selectedFeature, value, &AppModel::selectedFeatureChanged);
}
void AppModel::setVersionText(const QString& value)
{
    assign(m_versionText, value, &AppModel::versionTextChanged);
}
void AppModel::setIsRunning(bool value)
{
    assign(m_isRunning, value, &AppModel::isRunningChanged);
}
void AppModel::setRunningFeature(const std::optional<AppFeature>& value)
{
    assign(m_runningFeature, value, &AppModel::runningFeatureChanged);
}
void AppModel::setStatusTitle(const QString& value)
{
    assign(m_statusTitle, value, &AppModel::statusTitleChanged);
}
void AppModel::setStatusDetail(const QString& value)
{
    assign(m_statusDetail, value, &AppModel::statusDetailChanged);
}
void AppModel::setStatusReport(const std::optional<SystemReport>& value)
{
    assign(m_statusReport, value, &AppModel::statusReportChanged);
}
void AppModel::setIsRefreshingStatus(bool value)
{
    assign(m_isRefreshingStatus, value, &AppModel::isRefreshingStatusChanged);
}
void AppModel::setIsLiveStatusActive(bool value)
{
    assign(m_isLiveStatusActive, value, &AppModel::isLiveStatusActiveChanged);
}
void AppModel::setProcessUsage(const QList<SystemReport::ProcessInfo>& value)
{
    assign(m_processUsage, value, &AppModel::processUsageChanged);
}
void AppModel::setAnalysisReport(const std::optional<AnalysisReport>& value)
{
    assign(m_analysisReport, value, &AppModel::analysisReportChanged);
}
void AppModel::setCleanPreviewReport(const std::optional<CleanPreviewReport>& value)
{
    assign(m_cleanPreviewReport, value, &AppModel::cleanPreviewReportChanged);
}
void AppModel::setOptimizePreviewReport(const std::optional<OptimizePreviewReport>& value)
{
    assign(m_optimizePreviewReport, value, &AppModel::optimizePreviewReportChanged);
}
void AppModel::setInstallerPreviewReport(const std::optional<InstallerPreviewReport>& value)
{
    assign(m_installerPreviewReport, value, &AppModel::installerPreviewReportChanged);
}
void AppModel::setPurgePreviewReport(const std::optional<PurgePreviewReport>& value)
{
    assign(m_purgePreviewReport, value, &AppModel::purgePreviewReportChanged);
}
void AppModel::setUninstallPreviewReport(const std::optional<UninstallPreviewReport>& value)
{
    assign(m_uninstallPreviewReport, value, &AppModel::uninstallPreviewReportChanged);
}
void AppModel::setScanPath(const QString& value)
{
    assign(m_scanPath, value, &AppModel::scanPathChanged);
}
void AppModel::setAnalysisPath(const QString& value)
{
    assign(m_analysisPath, value, &AppModel::analysisPathChanged);
}
void AppModel::setRecentScanPaths(const QStringList& value)
{
    assign(m_recentScanPaths, value, &AppModel::recentScanPathsChanged);
}
void AppModel::setCleanWhitelistText(const QString& value)
{
    assign(m_cleanWhitelistText, value, &AppModel::cleanWhitelistTextChanged);
}
void AppModel::setShowingCleanProtectionSheet(bool value)
{
    assign(m_showingCleanProtectionSheet, value, &AppModel::showingCleanProtectionSheetChanged);
}
void AppModel::setOptimizeWhitelistSelection(const QSet<QString>& value)
{
    assign(m_optimizeWhitelistSelection, value, &AppModel::optimizeWhitelistSelectionChanged);
}
void AppModel::setOptimizeWhitelistCustomKeys(const QStringList& value)
{
    assign(m_optimizeWhitelistCustomKeys, value, &AppModel::optimizeWhitelistCustomKeysChanged);
}
void AppModel::setShowingOptimizeProtectionSheet(bool value)
{
    assign(m_showingOptimizeProtectionSheet, value, &AppModel::showingOptimizeProtectionSheetChanged);
}
void AppModel::setPendingAction(const std::optional<AppAction>& value)
{
    assign(m_pendingAction, value, &AppModel::pendingActionChanged);
}
void AppModel::setAlertMessage(const std::optional<QString>& value)
{
    assign(m_alertMessage, value, &AppModel::alertMessageChanged);
}
void AppModel::setIsCheckingForUpdates(bool value)
{
    assign(m_isCheckingForUpdates, value, &AppModel::isCheckingForUpdatesChanged);
}
void AppModel::setUpdateStatusDetail(const QString& value)
{
    assign(m_updateStatusDetail, value, &AppModel::updateStatusDetailChanged);
}
void AppModel::setLatestUpdateVersionText(const std::optional<QString>& value)
{
    assign(m_latestUpdateVersionText, value, &AppModel::latestUpdateVersionTextChanged);
}
void AppModel::setUpdateDownloadURL(const std::optional<QUrl>& value)
{
    assign(m_updateDownloadURL, value, &AppModel::updateDownloadURLChanged);
}
void AppModel::setShowingUpdateSheet(bool value)
{
    assign(m_showingUpdateSheet, value, &AppModel::showingUpdateSheetChanged);
}
void AppModel::setWindowBackgroundRevision(int value)
{
    assign(m_windowBackgroundRevision, value, &AppModel::windowBackgroundRevisionChanged);
}

void AppModel::setStatus(const QString& title, const QString& detail)
{
    setStatusTitle(title);
    setStatusDetail(detail);
}

void AppModel::setUpdateInstallerState(const UpdateInstallerState& value)
{
    // The update sheet shows why the download or install failed.
    if (value.kind == UpdateInstallerState::Kind::failed)
        logShownError(log::update(), value.message);
    assign(m_updateInstallerState, value, &AppModel::updateInstallerStateChanged);
}

void AppModel::showAlert(const QLoggingCategory& category, const QString& message)
{
    logShownError(category, message);
    setAlertMessage(message);
}

void AppModel::showFailure(const QLoggingCategory& category, const QString& title, const QString& error, bool alert)
{
    // A cancelled service leaves no text of its own.
    const QString detail = error.isEmpty() ? text("发生了未知错误。", "An unknown error occurred.") : error;
    logShownError(category, title + QStringLiteral(": ") + detail);
    setStatus(title, detail);
    if (alert)
        setAlertMessage(detail);
}

void AppModel::logShownError(const QLoggingCategory& category, const QString& message) const
{
    qCWarning(category).noquote() << message;
}

double AppModel::lastInstallerScanDate() const
{
    return readPersisted(Persisted::lastInstallerScanDate).toDouble();
}
qint64 AppModel::lastInstallerCleanedCount() const
{
    return readPersisted(Persisted::lastInstallerCleanedCount).toLongLong();
}
qint64 AppModel::lastInstallerCleanedBytes() const
{
    return readPersisted(Persisted::lastInstallerCleanedBytes).toLongLong();
}
double AppModel::lastPurgeScanDate() const
{
    return readPersisted(Persisted::lastPurgeScanDate).toDouble();
}
qint64 AppModel::lastPurgeCleanedCount() const
{
    return readPersisted(Persisted::lastPurgeCleanedCount).toLongLong();
}
qint64 AppModel::lastPurgeCleanedBytes() const
{
    return readPersisted(Persisted::lastPurgeCleanedBytes).toLongLong();
}
double AppModel::lastAnalysisDate() const
{
    return readPersisted(Persisted::lastAnalysisDate).toDouble();
}
QString AppModel::lastAnalysisPathStored() const
{
    return readPersisted(Persisted::lastAnalysisPathStored).toString();
}
qint64 AppModel::lastAnalysisTotalSize() const
{
    return readPersisted(Persisted::lastAnalysisTotalSize).toLongLong();
}
qint64 AppModel::lastAnalysisTotalFiles() const
{
    return readPersisted(Persisted::lastAnalysisTotalFiles).toLongLong();
}
double AppModel::lastOptimizeDate() const
{
    return readPersisted(Persisted::lastOptimizeDate).toDouble();
}
qint64 AppModel::lastOptimizeCount() const
{
    return readPersisted(Persisted::lastOptimizeCount).toLongLong();
}
double AppModel::lastUninstallDate() const
{
    return readPersisted(Persisted::lastUninstallDate).toDouble();
}
qint64 AppModel::lastUninstallCount() const
{
    return readPersisted(Persisted::lastUninstallCount).toLongLong();
}
double AppModel::lastCleanDate() const
{
    return readPersisted(Persisted::lastCleanDate).toDouble();
}
qint64 AppModel::lastCleanCount() const
{
    return readPersisted(Persisted::lastCleanCount).toLongLong();
}
bool AppModel::showHealthAura() const
{
    return readPersisted(Persisted::showHealthAura).toBool();
}
QString AppModel::customWindowBackgroundPath() const
{
    return readPersisted(Persisted::customWindowBackgroundPath).toString();
}

void AppModel::setShowHealthAura(bool value)
{
    writePersisted({{Persisted::showHealthAura, value}});
}
void AppModel::setCustomWindowBackgroundPath(const QString& value)
{
    writePersisted({{Persisted::customWindowBackgroundPath, value}});
}

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

} // namespace roror
