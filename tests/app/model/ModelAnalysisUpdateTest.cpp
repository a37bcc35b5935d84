#include "core/model/AppActionFactory.h"
#include "platform/SettingsStore.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <thread>

using namespace roror;
using namespace roror::test;

namespace {

class ModelAnalysis : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.analysis = [this](const QString& root) {
            {
                QMutexLocker lock(&mutex);
                analysed.append(root);
            }
            if (root == heldPath)
                held.acquire();
            AnalysisReport r;
            if (root != QLatin1String("/bare")) {
                r.path = root;
                r.totalSize = 1000 + root.size();
                r.totalFiles = 3;
            }
            return r;
        };
    }
    void TearDown() override { held.release(10); }

    QStringList analysedPaths()
    {
        QMutexLocker lock(&mutex);
        return analysed;
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    QMutex mutex;
    QStringList analysed;
    QString heldPath;
    QSemaphore held;
};

TEST_F(ModelAnalysis, TheFirstAnalysisOfAMissingLibrarySaysTheFolderDoesNotExist)
{
    // The default folder is ~/Library, which a Linux home does not have: a clear error, not an
    // empty result, and no summary of an analysis that never happened.
    services.analysis = AppModelServices::real().analysis;
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        AppModel model(services);
        const QString library = env.home() + QStringLiteral("/Library");
        ASSERT_EQ(model.analysisPath(), library);
        ASSERT_TRUE(finish(model.execute(AppActionFactory::analyze(library, true))));
        EXPECT_FALSE(model.analysisReport());
        if (language == AppLanguagePreference::english) {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("Storage Analysis Failed"));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("The folder “%1” doesn’t exist.").arg(library));
        } else {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("空间分析失败"));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("文件夹“%1”不存在。").arg(library));
        }
        EXPECT_EQ(model.lastAnalysisDate(), 0.0);
        EXPECT_EQ(model.lastAnalysisPathStored(), QString());
        EXPECT_FALSE(model.isRunning());
    }
    // Once the folder is there, the same request analyses it.
    useLanguage(AppLanguagePreference::english);
    AppModel model(services);
    env.writeFile(QStringLiteral("Library/Caches/data"), "1234");
    ASSERT_TRUE(finish(model.execute(AppActionFactory::analyze(model.analysisPath(), true))));
    ASSERT_TRUE(model.analysisReport());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Storage Analysis Complete"));
}

TEST_F(ModelAnalysis, AnalyzePathTrimsRunsAsTheAnalysisPageAndStoresTheSummary)
{
    AppModel model(services);
    QList<std::optional<AppFeature>> features;
    QObject::connect(&model, &AppModel::runningFeatureChanged, &model,
                     [&] { features.append(model.runningFeature()); });
    // The page redraws its summary line on the date's signal: the totals must already be the new ones.
    qint64 filesWhenDated = -1;
    QObject::connect(&model, &AppModel::lastAnalysisDateChanged, &model,
                     [&] { filesWhenDated = model.lastAnalysisTotalFiles(); });
    model.analyzePath(QStringLiteral("  \n/data/photos \t"));
    EXPECT_EQ(model.analysisPath(), QStringLiteral("/data/photos"));
    EXPECT_FALSE(model.analysisReport());
    ASSERT_TRUE(spinUntil([&] { return model.analysisReport().has_value() && !model.isRunning(); }));
    EXPECT_EQ(analysedPaths(), QStringList{QStringLiteral("/data/photos")});
    EXPECT_EQ(features.first(), AppFeature::analyze);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Storage Analysis Complete"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Below are the files and folders using the most space."));
    EXPECT_EQ(model.lastAnalysisDate(), 1700000000.0);
    EXPECT_EQ(model.lastAnalysisPathStored(), QStringLiteral("/data/photos"));
    EXPECT_EQ(model.lastAnalysisTotalSize(), 1012);
    EXPECT_EQ(model.lastAnalysisTotalFiles(), 3);
    EXPECT_EQ(filesWhenDated, 3);
    // The file holds them too (the store's handle waits for the write under way).
    {
        const auto store = SettingsStore::open();
        EXPECT_EQ(store->value(QStringLiteral("lastAnalysisDate")).toDouble(), 1700000000.0);
        EXPECT_EQ(store->value(QStringLiteral("lastAnalysisPath")).toString(), QStringLiteral("/data/photos"));
        EXPECT_EQ(store->value(QStringLiteral("lastAnalysisTotalSize")).toLongLong(), 1012);
        EXPECT_EQ(store->value(QStringLiteral("lastAnalysisTotalFiles")).toLongLong(), 3);
    }

    // A report without path or totals stores the requested path and zeros.
    useLanguage(AppLanguagePreference::chinese);
    model.analyzePath(QStringLiteral("/bare"));
    ASSERT_TRUE(
        spinUntil([&] { return model.lastAnalysisPathStored() == QLatin1String("/bare") && !model.isRunning(); }));
    EXPECT_EQ(model.lastAnalysisTotalSize(), 0);
    EXPECT_EQ(model.lastAnalysisTotalFiles(), 0);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("空间分析完成"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("下面列出了最占空间的文件和文件夹。"));
}

TEST_F(ModelAnalysis, BlankPathsParentsAndChoicesFollowTheirRules)
{
    AppModel model(services);
    const QString start = model.analysisPath();
    model.analyzePath(QStringLiteral(" \n\t "));
    drainEvents();
    EXPECT_EQ(model.analysisPath(), start);
    EXPECT_TRUE(analysedPaths().isEmpty());

    const struct {
        const char* from;
        const char* parent; // empty: nothing happens
    } parents[] = {{"/a/b", "/a"}, {"/a/b/", "/a"}, {"/a", "/"}, {"/", ""}, {"relative", ""}};
    for (const auto& c : parents) {
        model.chooseAnalysisPath(QString::fromUtf8(c.from));
        ASSERT_EQ(model.analysisPath(), QString::fromUtf8(c.from));
        analysed.clear();
        model.analyzeParentPath();
        if (*c.parent) {
            ASSERT_TRUE(spinUntil([&] { return model.analysisReport().has_value() && !model.isRunning(); }));
        }
        drainEvents();
        if (*c.parent) {
            EXPECT_EQ(model.analysisPath(), QString::fromUtf8(c.parent)) << c.from;
            EXPECT_EQ(analysedPaths(), QStringList{QString::fromUtf8(c.parent)}) << c.from;
        } else {
            EXPECT_EQ(model.analysisPath(), QString::fromUtf8(c.from)) << c.from;
            EXPECT_TRUE(analysedPaths().isEmpty()) << c.from;
        }
    }

    // Choosing clears the report without analysing; cancelling changes nothing.
    model.analyzePath(QStringLiteral("/x"));
    ASSERT_TRUE(spinUntil([&] { return model.analysisReport().has_value() && !model.isRunning(); }));
    analysed.clear();
    model.chooseAnalysisPath(QString());
    EXPECT_TRUE(model.analysisReport());
    model.chooseAnalysisPath(QStringLiteral("/chosen"));
    EXPECT_EQ(model.analysisPath(), QStringLiteral("/chosen"));
    EXPECT_FALSE(model.analysisReport());
    drainEvents();
    EXPECT_TRUE(analysedPaths().isEmpty());
}

TEST_F(ModelAnalysis, AnOlderAnalysisFinishingLastIsDropped)
{
    heldPath = QStringLiteral("/slow");
    AppModel model(services);
    model.analyzePath(QStringLiteral("/slow"));
    ASSERT_TRUE(spinUntil([&] { return analysedPaths().contains(QStringLiteral("/slow")); }));
    model.analyzePath(QStringLiteral("/fast"));
    ASSERT_TRUE(spinUntil([&] { return model.analysisReport().has_value(); }));
    EXPECT_TRUE(model.isRunning()); // the older one still runs
    held.release();
    ASSERT_TRUE(spinUntil([&] { return !model.isRunning(); }));
    EXPECT_EQ(model.analysisReport()->path, QStringLiteral("/fast"));
    EXPECT_EQ(model.lastAnalysisPathStored(), QStringLiteral("/fast"));
}

// ---- Updates ---------------------------------------------------------------------------------

RororUpdateInfo release(const char* version,
                        std::optional<QUrl> url = QUrl(QStringLiteral("https://127.0.0.1/r.tar.gz")))
{
    RororUpdateInfo info;
    info.version = QString::fromUtf8(version);
    info.downloadURL = std::move(url);
    return info;
}

class ModelUpdate : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        services.updateFeedURL = [this]() -> std::optional<QUrl> { return feed; };
        services.fetchLatestUpdate = [this](const QUrl& address) {
            fetched.append(address);
            return gate.future();
        };
        services.startUpdateDownload = [this](UpdateInstaller& installer, const QUrl& url) {
            downloads.append(url);
            lastInstaller = &installer;
        };
    }

    // Runs one check and answers it with `info` (or fails when absent).
    void check(AppModel& model, bool silent, const std::optional<RororUpdateInfo>& info)
    {
        const auto done = model.checkForUpdates(silent);
        ASSERT_TRUE(spinUntil([&] { return gate.waiting() == 1; }));
        EXPECT_TRUE(model.isCheckingForUpdates());
        if (info)
            gate.resolve(*info);
        else
            gate.fail("feed unreachable");
        ASSERT_TRUE(finish(done));
        EXPECT_FALSE(model.isCheckingForUpdates());
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    std::optional<QUrl> feed = QUrl(QStringLiteral("https://127.0.0.1/feed.json"));
    Gate<RororUpdateInfo> gate;
    QList<QUrl> fetched;
    QList<QUrl> downloads;
    UpdateInstaller* lastInstaller = nullptr;
};

TEST_F(ModelUpdate, NewerVersionIsOfferedAndAnnouncedUnlessSilent)
{
    AppModel model(services);
    check(model, true, release("2.0.0"));
    EXPECT_EQ(fetched, QList<QUrl>{*feed});
    EXPECT_EQ(model.latestUpdateVersionText(), QStringLiteral("v2.0.0"));
    EXPECT_EQ(model.updateDownloadURL(), QUrl(QStringLiteral("https://127.0.0.1/r.tar.gz")));
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("New version available: v2.0.0."));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    useLanguage(AppLanguagePreference::chinese);
    check(model, false, release("2.0.0"));
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("发现新版本 v2.0.0。"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("发现新版本"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("发现新版本 v2.0.0。"));
}

TEST_F(ModelUpdate, UpToDateStillShowsTheFeedVersionAndOffersNoDownload)
{
    AppModel model(services); // running 1.2.3
    check(model, false, release("1.2.3"));
    EXPECT_EQ(model.latestUpdateVersionText(), QStringLiteral("v1.2.3"));
    EXPECT_FALSE(model.updateDownloadURL());
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("You are already on the latest version."));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Up to Date"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("You are already on the latest version."));

    // Without a version of its own the program checks as "0".
    services.bundleShortVersion = []() -> std::optional<QString> { return std::nullopt; };
    AppModel unversioned(services);
    check(unversioned, true, release("0.0.1"));
    EXPECT_EQ(unversioned.updateStatusDetail(), QStringLiteral("New version available: v0.0.1."));
}

TEST_F(ModelUpdate, NewerVersionWithoutDownloadIsAnnouncedButCannotBeInstalled)
{
    AppModel model(services);
    check(model, false, release("9.0", std::nullopt));
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("New version available: v9.0."));
    EXPECT_FALSE(model.updateDownloadURL());
    model.installUpdate();
    EXPECT_FALSE(model.showingUpdateSheet());
    EXPECT_TRUE(downloads.isEmpty());
}

TEST_F(ModelUpdate, AFailedCheckKeepsWhatWasKnownAndAlertsOnlyWhenAsked)
{
    AppModel model(services);
    check(model, true, release("2.0.0"));
    check(model, true, std::nullopt);
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("Update check failed: feed unreachable"));
    EXPECT_EQ(model.latestUpdateVersionText(), QStringLiteral("v2.0.0"));
    EXPECT_TRUE(model.updateDownloadURL());
    EXPECT_FALSE(model.alertMessage());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    useLanguage(AppLanguagePreference::chinese);
    check(model, false, std::nullopt);
    EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("检查更新失败：feed unreachable"));
    EXPECT_EQ(model.alertMessage(), QStringLiteral("feed unreachable"));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
}

TEST_F(ModelUpdate, NoFeedClearsTheOfferWithoutCheckingOrAlerting)
{
    AppModel model(services);
    check(model, true, release("2.0.0"));
    feed.reset();
    QSignalSpy checking(&model, &AppModel::isCheckingForUpdatesChanged);
    for (const bool silent : {true, false}) {
        ASSERT_TRUE(finish(model.checkForUpdates(silent)));
        EXPECT_EQ(model.updateStatusDetail(), QStringLiteral("The update feed URL has not been configured."));
        EXPECT_FALSE(model.latestUpdateVersionText());
        EXPECT_FALSE(model.updateDownloadURL());
        EXPECT_FALSE(model.alertMessage());
        EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));
    }
    EXPECT_EQ(checking.count(), 0);
    EXPECT_EQ(fetched.size(), 1);
}

TEST_F(ModelUpdate, InstallStartsOneDownloadAndFollowsTheInstallersStates)
{
    AppModel model(services);
    model.installUpdate(); // nothing offered yet
    EXPECT_TRUE(downloads.isEmpty());
    check(model, true, release("2.0.0"));

    model.installUpdate();
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::downloading(0));
    ASSERT_EQ(downloads.size(), 1);
    ASSERT_EQ(lastInstaller, model.updateInstaller());

    // Reports from another thread arrive on the model's thread, in order.
    std::thread reporter([installer = lastInstaller] {
        installer->onStateChanged(UpdateInstallerState::downloading(0.5));
        installer->onStateChanged(UpdateInstallerState::downloading(0.9));
    });
    reporter.join();
    ASSERT_TRUE(spinUntil([&] { return model.updateInstallerState() == UpdateInstallerState::downloading(0.9); }));

    model.installUpdate(); // already downloading
    EXPECT_EQ(downloads.size(), 1);

    lastInstaller->onStateChanged(UpdateInstallerState::readyToInstall());
    ASSERT_TRUE(spinUntil([&] { return model.updateInstallerState() == UpdateInstallerState::readyToInstall(); }));
    model.setShowingUpdateSheet(false);
    model.installUpdate(); // ready: only shows the sheet again
    EXPECT_TRUE(model.showingUpdateSheet());
    EXPECT_EQ(downloads.size(), 1);

    model.setUpdateInstallerState(UpdateInstallerState::installing());
    model.installUpdate();
    EXPECT_EQ(downloads.size(), 1);

    model.setUpdateInstallerState(UpdateInstallerState::failed(QStringLiteral("Download failed: x")));
    model.installUpdate(); // after a failure a new download starts
    EXPECT_EQ(downloads.size(), 2);
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::downloading(0));
}

TEST_F(ModelUpdate, AReportMadeJustBeforeTheSheetCancelsDoesNotComeBackAfterIt)
{
    AppModel model(services);
    check(model, true, release("2.0.0"));
    model.installUpdate();
    ASSERT_EQ(lastInstaller, model.updateInstaller());

    // The installer reports on the model's thread; the sheet's Cancel follows before the next turn
    // of the event loop.
    lastInstaller->onStateChanged(UpdateInstallerState::downloading(0.4));
    lastInstaller->cancel();
    model.setUpdateInstallerState(UpdateInstallerState::idle());
    model.setShowingUpdateSheet(false);
    drainEvents();
    EXPECT_EQ(model.updateInstallerState(), UpdateInstallerState::idle());

    model.installUpdate(); // a cancelled download can be started again
    EXPECT_EQ(downloads.size(), 2);
    EXPECT_TRUE(model.showingUpdateSheet());
}

TEST_F(ModelUpdate, InstallerReportsAfterTheModelIsGoneAreIgnored)
{
    std::function<void(const UpdateInstallerState&)> callback;
    services.makeUpdateInstaller = [] { return std::make_unique<UpdateInstaller>(); };
    {
        AppModel model(services);
        check(model, true, release("2.0.0"));
        model.installUpdate();
        callback = model.updateInstaller()->onStateChanged;
    }
    callback(UpdateInstallerState::readyToInstall());
    drainEvents();
    SUCCEED();
}

} // namespace
