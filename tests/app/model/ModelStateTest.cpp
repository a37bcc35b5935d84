#include "tests/app/model/ModelTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

class ModelState : public ::testing::Test {
protected:
    void SetUp() override { useLanguage(AppLanguagePreference::english); }

    QByteArray settingsBytes() const
    {
        QFile file(env.settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
};

TEST_F(ModelState, StartsWithTheDocumentedValuesAndWritesNothing)
{
    const QByteArray before = settingsBytes();
    AppModel model(services);
    EXPECT_EQ(settingsBytes(), before);

    EXPECT_EQ(model.selectedFeature(), AppFeature::dashboard);
    EXPECT_EQ(model.versionText(), QStringLiteral("未检查"));
    EXPECT_FALSE(model.isRunning());
    EXPECT_EQ(model.runningFeature(), std::nullopt);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("选择一个项目开始检查。"));
    EXPECT_FALSE(model.statusReport());
    EXPECT_FALSE(model.isRefreshingStatus());
    EXPECT_FALSE(model.isLiveStatusActive());
    EXPECT_TRUE(model.processUsage().isEmpty());
    EXPECT_FALSE(model.analysisReport());
    EXPECT_FALSE(model.cleanPreviewReport());
    EXPECT_FALSE(model.optimizePreviewReport());
    EXPECT_FALSE(model.installerPreviewReport());
    EXPECT_FALSE(model.purgePreviewReport());
    EXPECT_FALSE(model.uninstallPreviewReport());
    EXPECT_EQ(model.scanPath(), env.home());
    EXPECT_EQ(model.analysisPath(), env.home() + QStringLiteral("/Library"));
    EXPECT_TRUE(model.recentScanPaths().isEmpty());
    EXPECT_TRUE(model.cleanWhitelistText().isEmpty());
    EXPECT_FALSE(model.showingCleanProtectionSheet());
    EXPECT_TRUE(model.optimizeWhitelistSelection().isEmpty());
    EXPECT_TRUE(model.optimizeWhitelistCustomKeys().isEmpty());
    EXPECT_FALSE(model.showingOptimizeProtectionSheet());
    EXPECT_FALSE(model.pendingAction());
    EXPECT_FALSE(model.alertMessage());
    EXPECT_FALSE(model.isCheckingForUpdates());
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("Updates have not been checked yet."));
    EXPECT_FALSE(model.latestUpdateVersionText());
    EXPECT_FALSE(model.updateDownloadURL());
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState{});
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_NE(model.updateInstaller(), nullptr);
    EXPECT_EQ(model.windowBackgroundRevision(), 0);

    // An empty store reads as the defaults: no page shows a last run.
    EXPECT_EQ(model.lastInstallerScanDate(), 0.0);
    EXPECT_EQ(model.lastInstallerCleanedCount(), 0);
    EXPECT_EQ(model.lastInstallerCleanedBytes(), 0);
    EXPECT_EQ(model.lastPurgeScanDate(), 0.0);
    EXPECT_EQ(model.lastPurgeCleanedCount(), 0);
    EXPECT_EQ(model.lastPurgeCleanedBytes(), 0);
    EXPECT_EQ(model.lastAnalysisDate(), 0.0);
    EXPECT_EQ(model.lastAnalysisPathStored(), QString());
    EXPECT_EQ(model.lastAnalysisTotalSize(), 0);
    EXPECT_EQ(model.lastAnalysisTotalFiles(), 0);
    EXPECT_EQ(model.lastOptimizeDate(), 0.0);
    EXPECT_EQ(model.lastOptimizeCount(), 0);
    EXPECT_EQ(model.lastUninstallDate(), 0.0);
    EXPECT_EQ(model.lastUninstallCount(), 0);
    EXPECT_EQ(model.lastCleanDate(), 0.0);
    EXPECT_EQ(model.lastCleanCount(), 0);
    EXPECT_TRUE(model.showHealthAura());
    EXPECT_EQ(model.customWindowBackgroundPath(), QString());
    EXPECT_FALSE(model.customWindowBackgroundURL());

    // Reading the persisted values wrote nothing either.
    EXPECT_EQ(settingsBytes(), before);
}

TEST_F(ModelState, UpdateTextKeepsTheLanguageOfCreation)
{
    useLanguage(AppLanguagePreference::chinese);
    AppModel model(services);
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("还没有检查更新。"));
    useLanguage(AppLanguagePreference::english);
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("还没有检查更新。"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
}

TEST_F(ModelState, PersistedKeysAreTheEighteenStoreNames)
{
    const QStringList keys = AppModel::persistedKeys();
    EXPECT_EQ(keys.size(), 18);
    EXPECT_TRUE(keys.contains(QStringLiteral("lastAnalysisPath")));
    EXPECT_FALSE(keys.contains(QStringLiteral("lastAnalysisPathStored")));

    // Values put in the store under those keys are what the model reads.
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("lastAnalysisPath"), QStringLiteral("/tmp/x"));
        store->setValue(QStringLiteral("lastCleanCount"), 7);
        store->setValue(QStringLiteral("lastCleanDate"), 1234.5);
        store->setValue(QStringLiteral("showHealthAura"), false);
        store->setValue(QStringLiteral("lastInstallerCleanedBytes"), Q_INT64_C(5000000000));
        store->sync();
    }
    AppModel model(services);
    EXPECT_EQ(model.lastAnalysisPathStored(), QStringLiteral("/tmp/x"));
    EXPECT_EQ(model.lastCleanCount(), 7);
    EXPECT_EQ(model.lastCleanDate(), 1234.5);
    EXPECT_FALSE(model.showHealthAura());
    EXPECT_EQ(model.lastInstallerCleanedBytes(), Q_INT64_C(5000000000));
}

TEST_F(ModelState, EveryAssignmentNotifiesButPersistedValuesSkipTheModelWideNotice)
{
    AppModel model(services);
    QSignalSpy feature(&model, &AppModel::selectedFeatureChanged);
    QSignalSpy any(&model, &AppModel::changed);
    model.setSelectedFeature(AppFeature::dashboard); // same value
    EXPECT_EQ(feature.count(), 1);
    EXPECT_EQ(any.count(), 1);

    QSignalSpy aura(&model, &AppModel::showHealthAuraChanged);
    model.setShowHealthAura(false);
    EXPECT_EQ(aura.count(), 1);
    EXPECT_EQ(any.count(), 1);
    EXPECT_FALSE(SettingsStore::open()->value(QStringLiteral("showHealthAura")).toBool());
    EXPECT_FALSE(AppModel(services).showHealthAura()); // survives a new model
}

TEST_F(ModelState, StartupRunsItsStepsInOrder)
{
    auto log = std::make_shared<QStringList>();
    auto logMutex = std::make_shared<QMutex>();
    const auto note = [log, logMutex](const QString& step) {
        QMutexLocker lock(logMutex.get());
        log->append(step);
    };
    // A background path whose file is gone must be cleared before the first snapshot.
    {
        auto store = SettingsStore::open();
        store->setValue(QStringLiteral("customWindowBackgroundPath"), env.home() + QStringLiteral("/gone.png"));
        store->sync();
    }
    const QString settingsPath = env.settingsPath();
    services.loadCleanWhitelist = [note](const QString&) {
        note(QStringLiteral("clean list"));
        return CleanWhitelistState{};
    };
    services.loadOptimizeWhitelist = [note](const QString&) {
        note(QStringLiteral("safeguards"));
        return OptimizeWhitelistState{{QStringLiteral("dns")}, {QStringLiteral("custom")}};
    };
    services.statusSnapshot = [note, settingsPath](const std::optional<QList<SystemReport::ProcessInfo>>&) {
        QSettings store(settingsPath, QSettings::IniFormat);
        note(QStringLiteral("snapshot, background=")
             + store.value(QStringLiteral("customWindowBackgroundPath")).toString());
        return SystemReport{};
    };
    services.processSnapshot = [note] {
        note(QStringLiteral("processes"));
        return QList<SystemReport::ProcessInfo>{process(1, QStringLiteral("init"))};
    };
    services.updateFeedURL = [note]() -> std::optional<QUrl> {
        note(QStringLiteral("feed"));
        return std::nullopt;
    };

    AppModel model(services);
    ASSERT_TRUE(finish(model.runStartupSequence()));

    EXPECT_EQ(*log,
              (QStringList{QStringLiteral("safeguards"), QStringLiteral("snapshot, background="),
                           QStringLiteral("processes"), QStringLiteral("feed")}));
    EXPECT_EQ(model.versionText(), QStringLiteral("1.2.3"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Roror Ready"));
    EXPECT_EQ(model.statusDetail(),
              QStringLiteral("You can scan, preview, and clean directly without an external terminal tool."));
    EXPECT_EQ(model.optimizeWhitelistSelection(), QSet<QString>{QStringLiteral("dns")});
    EXPECT_EQ(model.optimizeWhitelistCustomKeys(), QStringList{QStringLiteral("custom")});
    EXPECT_TRUE(model.statusReport());
    EXPECT_EQ(model.processUsage().size(), 1);
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("The update feed URL has not been configured."));
    EXPECT_FALSE(model.alertMessage());
}

TEST_F(ModelState, StartupShowsAnUnreadableSafeguardListButNotAFailingUpdateCheck)
{
    services.loadOptimizeWhitelist
        = [](const QString&) -> OptimizeWhitelistState { throw std::runtime_error("safeguards unreadable"); };
    services.updateFeedURL
        = []() -> std::optional<QUrl> { return QUrl(QStringLiteral("https://127.0.0.1/feed.json")); };
    AppModel model(services);
    ASSERT_TRUE(finish(model.runStartupSequence()));
    EXPECT_EQ(model.alertMessage(), QStringLiteral("safeguards unreadable"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Roror Ready"));
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("Update check failed: no network in tests"));
    EXPECT_FALSE(model.isCheckingForUpdates());
}

TEST_F(ModelState, EnvironmentTextsFollowTheLanguageOnceAndUseLocalBuildWithoutVersion)
{
    services.bundleShortVersion = []() -> std::optional<QString> { return std::nullopt; };
    useLanguage(AppLanguagePreference::chinese);
    AppModel model(services);
    model.refreshEnvironment();
    EXPECT_EQ(model.versionText(), QStringLiteral("本地版本"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Roror 已就绪"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("可以直接检查、预览和整理，不需要外部终端工具。"));
    useLanguage(AppLanguagePreference::english);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Roror 已就绪"));
}

} // namespace
