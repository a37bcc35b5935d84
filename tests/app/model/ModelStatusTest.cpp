#include "core/status/ProcessControl.h"
#include "tests/app/model/ModelTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using ProcessList = QList<SystemReport::ProcessInfo>;

// Probes that count their calls and can be held on their pool thread until the test lets go.
struct Probes {
    std::atomic<int> snapshots{0};
    std::atomic<int> tables{0};
    std::atomic<bool> hold{false};
    QSemaphore released;
    QMutex mutex;
    QList<std::optional<ProcessList>> snapshotArguments;

    void install(AppModelServices& s)
    {
        s.processSnapshot = [this] {
            const int n = ++tables;
            return ProcessList{process(n, QStringLiteral("table%1").arg(n))};
        };
        s.statusSnapshot = [this](const std::optional<ProcessList>& list) {
            {
                QMutexLocker lock(&mutex);
                snapshotArguments.append(list);
            }
            const int n = ++snapshots;
            if (hold)
                released.acquire();
            SystemReport report;
            report.healthScore = n;
            return report;
        };
    }
};

class ModelStatus : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        probes.install(services);
        services.liveStatusIntervalMs = 10;
    }
    void TearDown() override { probes.released.release(100); }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    Probes probes;
};

TEST_F(ModelStatus, FirstRefreshPrimesThenTakesOneTableForTheSnapshot)
{
    AppModel model(services);
    ASSERT_TRUE(finish(model.refreshDashboardStatus(false)));
    EXPECT_EQ(probes.snapshots, 2);
    EXPECT_EQ(probes.tables, 2);
    ASSERT_EQ(probes.snapshotArguments.size(), 2);
    EXPECT_EQ(probes.snapshotArguments[0], std::nullopt);
    // The refresh hands the snapshot the very table it stores.
    EXPECT_EQ(probes.snapshotArguments[1], std::optional<ProcessList>(model.processUsage()));
    EXPECT_EQ(model.statusReport()->healthScore, 2);
    EXPECT_EQ(model.processUsage().first().name, QStringLiteral("table2"));
    EXPECT_FALSE(model.isRefreshingStatus());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪")); // not announced

    // Both present: priming does nothing.
    ASSERT_TRUE(finish(model.primeDashboardSnapshotIfNeeded()));
    EXPECT_EQ(probes.snapshots, 2);
}

TEST_F(ModelStatus, AnnouncedRefreshWritesTheBannerInBothLanguages)
{
    for (const auto language : {AppLanguagePreference::english, AppLanguagePreference::chinese}) {
        useLanguage(language);
        AppModel model(services);
        ASSERT_TRUE(finish(model.refreshDashboardStatus(true)));
        if (language == AppLanguagePreference::english) {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("Status Updated"));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("Current system status has been refreshed."));
        } else {
            EXPECT_EQ(model.statusTitle(), QStringLiteral("状态已更新"));
            EXPECT_EQ(model.statusDetail(), QStringLiteral("电脑当前状态已经刷新。"));
        }
    }
}

TEST_F(ModelStatus, ARefreshInFlightMakesAnotherOneDoNothing)
{
    AppModel model(services);
    ASSERT_TRUE(finish(model.primeDashboardSnapshotIfNeeded()));
    probes.hold = true;
    const auto first = model.refreshDashboardStatus(false);
    ASSERT_TRUE(spinUntil([&] { return model.isRefreshingStatus() && probes.snapshots == 2; }));
    const auto second = model.refreshDashboardStatus(true);
    EXPECT_TRUE(second.isFinished());
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪"));

    // The dispatcher's status action skipped the same way leaves its own title and working text.
    const auto action = model.execute(AppAction{QUuid::createUuid(),
                                                QStringLiteral("Status"),
                                                QString(),
                                                {QStringLiteral("status"), QStringLiteral("--json")},
                                                false,
                                                false});
    ASSERT_TRUE(finish(action));
    EXPECT_EQ(model.statusTitle(), QStringLiteral("Status"));
    EXPECT_EQ(model.statusDetail(), QStringLiteral("Working, please wait."));

    probes.hold = false;
    probes.released.release();
    ASSERT_TRUE(finish(first));
    EXPECT_EQ(probes.snapshots, 2);
    EXPECT_FALSE(model.isRefreshingStatus());
}

TEST_F(ModelStatus, LiveLoopRefreshesUntilStoppedAndStopsAtOnceWhileWaiting)
{
    AppModel model(services);
    QSignalSpy active(&model, &AppModel::isLiveStatusActiveChanged);
    model.runDashboardLiveStatus();
    EXPECT_TRUE(model.isLiveStatusActive());
    ASSERT_TRUE(spinUntil([&] { return probes.snapshots >= 5; }));
    ASSERT_TRUE(spinUntil([&] { return !model.isRefreshingStatus(); }));
    model.stopDashboardLiveStatus();
    EXPECT_FALSE(model.isLiveStatusActive());
    const int after = probes.snapshots;
    for (int i = 0; i < 10; ++i)
        drainEvents();
    EXPECT_EQ(probes.snapshots, after);
    EXPECT_EQ(model.statusTitle(), QStringLiteral("准备就绪")); // ticks never announce
}

TEST_F(ModelStatus, TicksAreSkippedWhileAnotherRefreshRuns)
{
    AppModel model(services);
    ASSERT_TRUE(finish(model.primeDashboardSnapshotIfNeeded()));
    probes.hold = true;
    const auto outside = model.refreshDashboardStatus(true);
    ASSERT_TRUE(spinUntil([&] { return probes.snapshots == 2; }));

    model.runDashboardLiveStatus();
    for (int i = 0; i < 10; ++i)
        drainEvents();
    // Neither the loop's first refresh nor any tick started a second refresh.
    EXPECT_EQ(probes.snapshots, 2);
    EXPECT_TRUE(model.isLiveStatusActive());

    probes.hold = false;
    probes.released.release();
    ASSERT_TRUE(finish(outside));
    ASSERT_TRUE(spinUntil([&] { return probes.snapshots >= 4; })); // the loop goes on
    model.stopDashboardLiveStatus();
}

TEST_F(ModelStatus, StoppingDuringARefreshKeepsItsResultsAndEndsTheLoopAfterIt)
{
    AppModel model(services);
    ASSERT_TRUE(finish(model.primeDashboardSnapshotIfNeeded()));
    model.runDashboardLiveStatus();
    ASSERT_TRUE(spinUntil([&] { return probes.snapshots >= 3; }));
    probes.hold = true;
    const int before = probes.snapshots;
    ASSERT_TRUE(spinUntil([&] { return probes.snapshots == before + 1; }));
    ASSERT_TRUE(spinUntil([&] { return model.isRefreshingStatus(); }));

    model.stopDashboardLiveStatus();
    EXPECT_TRUE(model.isLiveStatusActive()); // still finishing its refresh
    probes.hold = false;
    probes.released.release();
    ASSERT_TRUE(spinUntil([&] { return !model.isLiveStatusActive(); }));
    EXPECT_FALSE(model.isRefreshingStatus());
    EXPECT_EQ(model.statusReport()->healthScore, before + 1);
    for (int i = 0; i < 10; ++i)
        drainEvents();
    EXPECT_EQ(probes.snapshots, before + 1);
}

TEST_F(ModelStatus, AnEmptyProcessTableIsReadAgainByEveryPriming)
{
    services.processSnapshot = [this] {
        ++probes.tables;
        return ProcessList{};
    };
    AppModel model(services);
    ASSERT_TRUE(finish(model.refreshDashboardStatus(false)));
    EXPECT_EQ(probes.tables, 2);
    ASSERT_TRUE(finish(model.refreshDashboardStatus(false)));
    EXPECT_EQ(probes.tables, 4);
    EXPECT_TRUE(model.processUsage().isEmpty());
}

// ---- Process termination ---------------------------------------------------------------------

class ModelTerminate : public ModelStatus {
protected:
    std::unique_ptr<AppModel> modelWithProcesses(const ProcessList& list)
    {
        services.processSnapshot = [list] { return list; };
        services.statusSnapshot = [list](const std::optional<ProcessList>&) {
            SystemReport r;
            r.topProcesses = list;
            return r;
        };
        auto model = std::make_unique<AppModel>(services);
        EXPECT_TRUE(finish(model->refreshDashboardStatus(false)));
        return model;
    }
};

TEST_F(ModelTerminate, SuccessRemovesEveryRowOfThePidAndSaysWhatWasDone)
{
    QList<std::pair<qint64, bool>> calls;
    services.terminateProcess = [&calls](qint64 pid, bool force) { calls.append({pid, force}); };
    const ProcessList list{process(42, QStringLiteral("Editor")), process(7, QStringLiteral("shell")),
                           process(42, QStringLiteral("Editor Helper")),
                           process(std::nullopt, QStringLiteral("ghost"))};
    const struct {
        AppLanguagePreference language;
        bool force;
        std::optional<QString> name;
        const char* title;
        const char* detail;
    } cases[] = {
        {AppLanguagePreference::english, false, QStringLiteral("Editor"), "Termination Requested",
         "Asked Editor to quit."},
        {AppLanguagePreference::english, true, QStringLiteral("Editor"), "Force Quit", "Force-quit Editor."},
        {AppLanguagePreference::chinese, false, QStringLiteral("Editor"), "已请求退出", "已请求 Editor 退出。"},
        {AppLanguagePreference::chinese, true, QStringLiteral("Editor"), "已强制结束", "已强制结束 Editor。"},
        {AppLanguagePreference::english, false, std::nullopt, "Termination Requested", "Asked the process to quit."},
        {AppLanguagePreference::chinese, false, std::nullopt, "已请求退出", "已请求 进程 退出。"},
    };
    for (const auto& c : cases) {
        useLanguage(c.language);
        auto model = modelWithProcesses(list);
        calls.clear();
        model->terminateProcess(process(42, c.name), c.force);
        EXPECT_EQ(calls, (QList<std::pair<qint64, bool>>{{42, c.force}}));
        const ProcessList expected{process(7, QStringLiteral("shell")), process(std::nullopt, QStringLiteral("ghost"))};
        EXPECT_EQ(model->processUsage(), expected);
        EXPECT_EQ(model->statusReport()->topProcesses, expected);
        EXPECT_EQ(model->statusTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(model->statusDetail(), QString::fromUtf8(c.detail));
        EXPECT_FALSE(model->alertMessage());
    }
}

TEST_F(ModelTerminate, WithoutSnapshotOnlyTheListAndBannerChange)
{
    services.terminateProcess = [](qint64, bool) {};
    services.processSnapshot = [] { return ProcessList{process(5, QStringLiteral("a"))}; };
    // A snapshot that fails leaves only the process list primed.
    services.statusSnapshot
        = [](const std::optional<ProcessList>&) -> SystemReport { throw std::runtime_error("no probe"); };
    AppModel bare(services);
    ASSERT_TRUE(finish(bare.primeDashboardSnapshotIfNeeded()));
    ASSERT_FALSE(bare.statusReport());
    ASSERT_EQ(bare.processUsage().size(), 1);
    bare.terminateProcess(process(5, QStringLiteral("a")), false);
    EXPECT_TRUE(bare.processUsage().isEmpty());
    EXPECT_FALSE(bare.statusReport());
    EXPECT_EQ(bare.statusTitle(), QStringLiteral("Termination Requested"));
}

TEST_F(ModelTerminate, FailureOnlyAlertsAndAMissingPidDoesNothing)
{
    int calls = 0;
    services.terminateProcess = [&calls](qint64, bool) {
        ++calls;
        throw ProcessControl::Failure::noSuchProcess();
    };
    auto model = modelWithProcesses({process(42, QStringLiteral("Editor"))});
    const auto usage = model->processUsage();
    const auto report = model->statusReport();
    model->terminateProcess(process(42, QStringLiteral("Editor")), true);
    EXPECT_EQ(model->alertMessage(), ProcessControl::Failure::noSuchProcess().errorDescription());
    EXPECT_EQ(model->processUsage(), usage);
    EXPECT_EQ(model->statusReport(), report);
    EXPECT_EQ(model->statusTitle(), QStringLiteral("准备就绪"));

    model->setAlertMessage(std::nullopt);
    model->terminateProcess(process(std::nullopt, QStringLiteral("ghost")), false);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(model->alertMessage());
}

} // namespace
