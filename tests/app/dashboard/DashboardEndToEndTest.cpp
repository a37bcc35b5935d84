#include "app/dashboard/overview/DashboardPage.h"
#include "core/model/SizeText.h"
#include "tests/app/dashboard/DashboardFixtures.h"

#include <QFile>
#include <csignal>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <sys/statvfs.h>

using namespace roror;
using namespace roror::test;

namespace {

int cpuCountFromProc()
{
    QFile file(QStringLiteral("/proc/cpuinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("(?m)^processor\\s*:"))));
}

qint64 memTotalFromProc()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const auto match
        = QRegularExpression(QStringLiteral("(?m)^MemTotal:\\s+(\\d+) kB")).match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() * 1024 : -1;
}

qint64 rootSize()
{
    struct statvfs info { };
    if (::statvfs("/", &info) != 0)
        return -1;
    return static_cast<qint64>(info.f_blocks) * static_cast<qint64>(info.f_frsize ? info.f_frsize : info.f_bsize);
}

// A sleeping child of the test, ended by the test if still running.
struct Child {
    QProcess process;
    Child()
    {
        process.start(QStringLiteral("/bin/sleep"), {QStringLiteral("600")});
        process.waitForStarted();
    }
    ~Child()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    qint64 pid() const { return process.processId(); }
};

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        useLanguage(AppLanguagePreference::english);
        const AppModelServices real = AppModelServices::real();
        services.processSnapshot = real.processSnapshot;
        services.statusSnapshot = real.statusSnapshot;
        services.terminateProcess = real.terminateProcess;
        services.liveStatusIntervalMs = 300;
        model = std::make_unique<AppModel>(services);
        page.setModel(model.get());
    }

    int rowOf(qint64 pid) const
    {
        for (int i = 0; i < page.processes()->rowCount(); ++i) {
            if (page.processes()->entry(i)->process.pid == pid)
                return i;
        }
        return -1;
    }

    template <typename Body>
    Body body(const QString& title) const
    {
        for (const auto& card : page.cards()->rows()) {
            if (card.title == title && std::holds_alternative<Body>(card.customBody))
                return std::get<Body>(card.customBody);
        }
        ADD_FAILURE() << "no card " << title.toStdString();
        return Body{};
    }

    TestEnv env;
    AppModelServices services = fakeServices(env);
    std::unique_ptr<AppModel> model;
    DashboardPage page;
};

} // namespace

TEST_F(EndToEnd, TheCardsShowThisMachine)
{
    page.setLive(true);
    ASSERT_TRUE(spinUntil([&] { return page.hasReport(); }, 30000));

    const int cpus = cpuCountFromProc();
    ASSERT_GT(cpus, 0);
    const CPUVisualBody cpu = body<CPUVisualBody>(QStringLiteral("CPU"));
    EXPECT_EQ(cpu.cores.size(), cpus);
    EXPECT_TRUE(cpu.loadText.endsWith(QString::number(cpus) + QStringLiteral(" cores"))) << cpu.loadText.toStdString();

    const MemoryVisualBody memory = body<MemoryVisualBody>(QStringLiteral("Memory"));
    EXPECT_EQ(memory.totalBytes, memTotalFromProc());
    EXPECT_TRUE(memory.legend().first().value.endsWith(QStringLiteral(" / ") + SizeText::bytes(memTotalFromProc())));

    const DiskVisualBody disks = body<DiskVisualBody>(QStringLiteral("Disk"));
    const auto root = std::find_if(disks.disks.cbegin(), disks.disks.cend(), [](const DiskVisualBody::Item& item) {
        return item.id.endsWith(QStringLiteral("-/"));
    });
    ASSERT_NE(root, disks.disks.cend());
    EXPECT_EQ(root->totalText, SizeText::bytes(rootSize()));
    page.setLive(false);
}

TEST_F(EndToEnd, ChildrenAppearAndExactlyTheChosenOnesEnd)
{
    page.setLive(true);
    ASSERT_TRUE(spinUntil([&] { return page.hasReport(); }, 30000));

    Child toQuit;
    Child toForceQuit;
    Child bystander;
    ASSERT_GT(toQuit.pid(), 0);
    QSignalSpy refreshes(model.get(), &AppModel::processUsageChanged);
    ASSERT_TRUE(spinUntil(
        [&] { return rowOf(toQuit.pid()) >= 0 && rowOf(toForceQuit.pid()) >= 0 && rowOf(bystander.pid()) >= 0; },
        30000));
    EXPECT_LE(refreshes.size(), 2);

    const int quitRow = rowOf(toQuit.pid());
    EXPECT_TRUE(
        page.processes()->data(page.processes()->index(quitRow), ProcessUsageListModel::CanTerminateRole).toBool());
    page.quit(quitRow);
    ASSERT_TRUE(toQuit.process.waitForFinished(10000));
    EXPECT_EQ(toQuit.process.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(toQuit.process.exitCode(), SIGTERM);

    page.requestForceQuit(rowOf(toForceQuit.pid()));
    ASSERT_TRUE(page.forceQuitPending());
    // A few refreshes while the question is open.
    const int seen = static_cast<int>(refreshes.size());
    ASSERT_TRUE(spinUntil([&] { return refreshes.size() >= seen + 2; }, 30000));
    EXPECT_EQ(toForceQuit.process.state(), QProcess::Running);
    page.confirmForceQuit();
    ASSERT_TRUE(toForceQuit.process.waitForFinished(10000));
    EXPECT_EQ(toForceQuit.process.exitCode(), SIGKILL);

    EXPECT_EQ(bystander.process.state(), QProcess::Running);
    EXPECT_EQ(model->alertMessage(), std::nullopt);
    page.setLive(false);
}

TEST_F(EndToEnd, AChildThatEndedMeanwhileIsReportedNotSignalled)
{
    page.setLive(true);
    ASSERT_TRUE(spinUntil([&] { return page.hasReport(); }, 30000));
    Child child;
    ASSERT_TRUE(spinUntil([&] { return rowOf(child.pid()) >= 0; }, 30000));
    page.requestForceQuit(rowOf(child.pid()));
    child.process.kill();
    child.process.waitForFinished();
    QSignalSpy refreshes(model.get(), &AppModel::processUsageChanged);
    ASSERT_TRUE(spinUntil([&] { return refreshes.size() >= 1; }, 30000));
    page.confirmForceQuit();
    EXPECT_EQ(model->alertMessage(), QStringLiteral("Process no longer exists."));
    page.setLive(false);
}

TEST_F(EndToEnd, LeavingThePageStopsTheRefresh)
{
    page.setLive(true);
    ASSERT_TRUE(spinUntil([&] { return page.hasReport(); }, 30000));
    page.setLive(false);
    ASSERT_TRUE(spinUntil([&] { return !model->isLiveStatusActive() && !model->isRefreshingStatus(); }, 30000));
    QSignalSpy snapshots(model.get(), &AppModel::statusReportChanged);
    // Several refresh intervals with another page showing.
    QDeadlineTimer wait(1500);
    while (!wait.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(snapshots.size(), 0);
}
