#include "app/dashboard/overview/DashboardPage.h"
#include "core/status/ProcessControl.h"
#include "tests/app/dashboard/DashboardFixtures.h"

#include <QQuickWindow>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

using ProcessList = QList<SystemReport::ProcessInfo>;

// A status source whose process table the test sets; every snapshot carries the recorded report.
struct FakeStatus {
    QMutex mutex;
    ProcessList table;
    std::atomic<int> snapshots{0};
    QList<std::pair<qint64, bool>> terminations;
    std::function<void(qint64, bool)> onTerminate;

    void setTable(const ProcessList& list)
    {
        QMutexLocker lock(&mutex);
        table = list;
    }
    void install(AppModelServices& s)
    {
        s.processSnapshot = [this] {
            QMutexLocker lock(&mutex);
            return table;
        };
        s.statusSnapshot = [this](const std::optional<ProcessList>& top) {
            ++snapshots;
            SystemReport report = recordedReport();
            report.topProcesses = top.value_or(ProcessList{});
            return report;
        };
        s.terminateProcess = [this](qint64 pid, bool force) {
            terminations.append({pid, force});
            if (onTerminate)
                onTerminate(pid, force);
        };
    }
};

class Page : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        status.install(services);
        services.liveStatusIntervalMs = 10;
        status.setTable({proc(300, QStringLiteral("editor"), 10.0, 40.0, QStringLiteral("/usr/bin/editor")),
                         proc(301, QStringLiteral("player"), 50.0, 5.0), proc(302, std::nullopt, 20.0, 10.0)});
        model = std::make_unique<AppModel>(services);
        page.setStartTimeSource([this] { return startTimes; });
        page.setModel(model.get());
    }
    void TearDown() override { useLanguage(AppLanguagePreference::english); }

    // A refresh, and the page brought up to date with it.
    void refresh()
    {
        ASSERT_TRUE(finish(model->refreshDashboardStatus(false)));
        drainEvents();
    }
    int rowOf(qint64 pid) const
    {
        for (int i = 0; i < page.processes()->rowCount(); ++i) {
            if (page.processes()->entry(i)->process.pid == pid)
                return i;
        }
        return -1;
    }
    QStringList cardTitles()
    {
        QStringList titles;
        for (const auto& card : page.cards()->rows())
            titles.append(card.title);
        return titles;
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    FakeStatus status;
    std::unique_ptr<AppModel> model;
    QHash<qint64, quint64> startTimes{{300, 1000}, {301, 1001}, {302, 1002}};
    DashboardPage page;
};

} // namespace

TEST_F(Page, BeforeTheFirstSnapshotOnlyTheSkeletonAndTheProcessSection)
{
    EXPECT_FALSE(page.hasReport());
    EXPECT_EQ(page.cards()->rowCount(), 0);
    EXPECT_EQ(page.skeletonCards().size(), 6);
    EXPECT_EQ(page.skeletonStatusText(), QStringLiteral("Waiting"));
    EXPECT_EQ(page.processes()->rowCount(), 0);
    EXPECT_FALSE(page.hero().hasScore());

    QSignalSpy has(&page, &DashboardPage::hasReportChanged);
    QSignalSpy checking(&page, &DashboardPage::skeletonStatusTextChanged);
    refresh();
    // Told while the refresh ran, until the first report replaced the skeleton; no later refresh
    // tells it (see RefreshesAfterTheFirstReportLeaveTheSkeletonLineAlone).
    EXPECT_GE(checking.size(), 1);
    EXPECT_EQ(has.size(), 1);
    EXPECT_TRUE(page.hasReport());
    EXPECT_EQ(cardTitles(), (QStringList{"CPU", "Memory", "GPU", "Disk", "Power", "Network", "Processes"}));
    EXPECT_EQ(page.hero().score, 82);
    EXPECT_EQ(page.hero().availableDiskText, QStringLiteral("Available 88 GB"));
    EXPECT_EQ(page.hero().hostSummary,
              QStringLiteral("ThinkPad X1 Carbon · Intel Core i7-1365U · 32 GB / 1 TB · Debian GNU/Linux 12"));
    EXPECT_FALSE(page.hero().isLive);
    EXPECT_EQ(page.processes()->rowCount(), 3);
}

// Start-up: a snapshot taken while the window is still being made brings the cards before the
// window's first frame, which then builds and draws all of them; the refresh waits for that frame.
// QML may set `live` before `window` while it makes the page: that order waits too.
TEST_F(Page, InAWindowTheLiveRefreshStartsWithTheWindowsFirstFrame)
{
    for (const bool liveFirstAsQmlSetsIt : {false, true}) {
        SCOPED_TRACE(liveFirstAsQmlSetsIt ? "live set before window, while made by QML" : "window set first");
        QQuickWindow window;
        DashboardPage shown;
        if (liveFirstAsQmlSetsIt) {
            shown.classBegin();
            shown.setModel(model.get());
            shown.setLive(true);
            shown.setWindow(&window);
            shown.componentComplete();
        } else {
            shown.setWindow(&window);
            shown.setModel(model.get());
            shown.setLive(true);
        }
        drainEvents();
        EXPECT_FALSE(model->isLiveStatusActive());
        EXPECT_EQ(status.snapshots, 0);

        emit window.frameSwapped();
        drainEvents();
        EXPECT_TRUE(model->isLiveStatusActive());
        ASSERT_TRUE(spinUntil([&] { return shown.hasReport(); }));
        shown.setLive(false);
        ASSERT_TRUE(spinUntil([&] { return !model->isLiveStatusActive(); }));
        status.snapshots = 0;
    }
}

// Once the cards show, the hidden skeleton's line is not told of each refresh: a hidden text that
// changes twice a refresh is laid out and drawn twice a refresh.
TEST_F(Page, RefreshesAfterTheFirstReportLeaveTheSkeletonLineAlone)
{
    refresh();
    ASSERT_TRUE(page.hasReport());
    QSignalSpy checking(&page, &DashboardPage::skeletonStatusTextChanged);
    refresh();
    refresh();
    EXPECT_EQ(checking.size(), 0);
}

TEST_F(Page, LiveRefreshRunsExactlyWhileThePageIsShown)
{
    page.setLive(true);
    EXPECT_TRUE(model->isLiveStatusActive());
    ASSERT_TRUE(spinUntil([&] { return status.snapshots >= 4 && page.hero().isLive; }));

    page.setLive(false);
    ASSERT_TRUE(spinUntil([&] { return !model->isLiveStatusActive(); }));
    drainEvents();
    EXPECT_FALSE(page.hero().isLive);
    const int taken = status.snapshots;
    // Many intervals pass with the page away: no snapshot is taken.
    for (int i = 0; i < 30; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    EXPECT_EQ(status.snapshots, taken);

    // Shown again: an immediate refresh and the loop runs again; a page that goes away ends it.
    {
        DashboardPage again;
        again.setModel(model.get());
        again.setLive(true);
        ASSERT_TRUE(spinUntil([&] { return status.snapshots > taken; }));
        EXPECT_TRUE(model->isLiveStatusActive());
    }
    ASSERT_TRUE(spinUntil([&] { return !model->isLiveStatusActive(); }));
}

TEST_F(Page, SortOrdersAndTheirResetWhenThePageIsShownAnew)
{
    refresh();
    const auto pids = [&] {
        QList<qint64> list;
        for (const auto& e : page.processes()->rows())
            list.append(*e.process.pid);
        return list;
    };
    EXPECT_EQ(page.processSort(), ProcessUsageSort::cpu);
    EXPECT_EQ(pids(), (QList<qint64>{301, 302, 300}));
    page.setProcessSortRaw(QStringLiteral("memory"));
    EXPECT_EQ(pids(), (QList<qint64>{300, 302, 301}));
    page.setProcessSortRaw(QStringLiteral("bogus"));
    EXPECT_EQ(page.processSortRaw(), QStringLiteral("memory"));

    page.requestForceQuit(0);
    ASSERT_TRUE(page.forceQuitPending());
    page.setLive(true);
    EXPECT_EQ(page.processSort(), ProcessUsageSort::cpu);
    EXPECT_FALSE(page.forceQuitPending());
    page.setLive(false);
}

TEST_F(Page, QuitActsAtOnceAndForceQuitOnlyAfterConfirmation)
{
    refresh();
    page.quit(rowOf(300));
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0], (std::pair<qint64, bool>{300, false}));
    // The model dropped the process; the list follows.
    drainEvents();
    EXPECT_EQ(rowOf(300), -1);
    EXPECT_FALSE(page.forceQuitPending());

    page.requestForceQuit(rowOf(301));
    EXPECT_TRUE(page.forceQuitPending());
    EXPECT_EQ(page.forceQuitMessage(),
              QStringLiteral("player will be ended immediately. Any unsaved work will be lost."));
    EXPECT_EQ(status.terminations.size(), 1);
    page.cancelForceQuit();
    EXPECT_FALSE(page.forceQuitPending());
    EXPECT_EQ(status.terminations.size(), 1);

    page.requestForceQuit(rowOf(302));
    EXPECT_EQ(page.forceQuitMessage(),
              QStringLiteral("this process will be ended immediately. Any unsaved work will be lost."));
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(page.forceQuitMessage(), QStringLiteral("将立即结束 这个进程。未保存的内容会丢失。"));
    page.confirmForceQuit();
    EXPECT_FALSE(page.forceQuitPending());
    ASSERT_EQ(status.terminations.size(), 2);
    EXPECT_EQ(status.terminations[1], (std::pair<qint64, bool>{302, true}));

    // A failing request: the model's message, and the question is closed all the same.
    status.onTerminate = [](qint64, bool) { throw ProcessControl::Failure::notPermitted(); };
    page.requestForceQuit(rowOf(301));
    page.confirmForceQuit();
    EXPECT_FALSE(page.forceQuitPending());
    EXPECT_EQ(model->alertMessage(), QStringLiteral("权限不足,无法结束这个进程。"));

    page.quit(99); // no such row
    page.requestForceQuit(-1);
    EXPECT_FALSE(page.forceQuitPending());
    EXPECT_EQ(status.terminations.size(), 3);
}

TEST_F(Page, ARefreshDoesNotRetargetTheConfirmation)
{
    refresh();
    const int row = rowOf(300);
    page.requestForceQuit(row);
    // The next table reorders everything: another process now sits in that row.
    status.setTable({proc(300, QStringLiteral("editor"), 95.0, 40.0), proc(303, QStringLiteral("newcomer"), 90.0, 1.0),
                     proc(301, QStringLiteral("player"), 60.0, 5.0)});
    startTimes.insert(303, 1003);
    refresh();
    EXPECT_NE(rowOf(300), row);
    ASSERT_TRUE(page.forceQuitPending());
    EXPECT_EQ(page.forceQuitTarget()->process.pid, 300);
    EXPECT_EQ(page.forceQuitMessage(),
              QStringLiteral("editor will be ended immediately. Any unsaved work will be lost."));
    page.confirmForceQuit();
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0], (std::pair<qint64, bool>{300, true}));
}

TEST_F(Page, AProcessThatEndedOrWasReplacedIsNeverSignalled)
{
    refresh();
    // The confirmation is about editor (pid 300, started at 1000).
    page.requestForceQuit(rowOf(300));
    // Meanwhile editor ended and its pid went to a new process.
    startTimes.insert(300, 5000);
    refresh();
    page.confirmForceQuit();
    EXPECT_TRUE(status.terminations.isEmpty());
    EXPECT_EQ(model->alertMessage(), QStringLiteral("Process no longer exists."));
    EXPECT_FALSE(page.forceQuitPending());

    // A row whose process left the newest table: the quit button says so too.
    model->setAlertMessage(std::nullopt);
    const int row = rowOf(301);
    startTimes.remove(301);
    page.quit(row);
    EXPECT_TRUE(status.terminations.isEmpty());
    EXPECT_EQ(model->alertMessage(), QStringLiteral("Process no longer exists."));

    // Unchanged start time: the request goes out.
    page.quit(rowOf(302));
    ASSERT_EQ(status.terminations.size(), 1);
    EXPECT_EQ(status.terminations[0].first, 302);
}

TEST_F(Page, LanguageSwitchRebuildsTheTexts)
{
    refresh();
    useLanguage(AppLanguagePreference::chinese);
    EXPECT_EQ(cardTitles(), (QStringList{"CPU", "内存", "GPU", "磁盘", "电源", "网络", "进程"}));
    EXPECT_EQ(page.hero().healthLabel(), QStringLiteral("良好"));
    EXPECT_EQ(page.hero().availableDiskText, QStringLiteral("可用 88 GB"));
    EXPECT_EQ(page.skeletonStatusText(), QStringLiteral("等待检查"));
    EXPECT_EQ(page.processes()->data(page.processes()->index(rowOf(302)), ProcessUsageListModel::NameRole).toString(),
              QStringLiteral("进程"));
    useLanguage(AppLanguagePreference::english);
    EXPECT_EQ(cardTitles()[1], QStringLiteral("Memory"));
}

TEST_F(Page, RevealHandsTheExecutablePathOver)
{
    QStringList revealed;
    page.setRevealer([&](const QString& path) { revealed.append(path); });
    refresh();
    page.reveal(rowOf(300));
    page.reveal(rowOf(301)); // no command: nothing happens
    EXPECT_EQ(revealed, (QStringList{"/usr/bin/editor"}));
    EXPECT_FALSE(page.canReveal(rowOf(301)));
}

TEST_F(Page, AModelThatGoesAwayLeavesAnEmptyPage)
{
    refresh();
    model.reset();
    EXPECT_EQ(page.model(), nullptr);
    EXPECT_FALSE(page.hasReport());
    EXPECT_EQ(page.processes()->rowCount(), 0);
}
