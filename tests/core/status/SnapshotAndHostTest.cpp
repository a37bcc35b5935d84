// The assembled snapshot, the health score, the host line and the hardware texts.

#include "core/status/LocalSystemStatus.h"
#include "tests/core/status/FakeStatusSource.h"
#include "tests/support/TestEnv.h"

#include <cmath>
#include <thread>
#include <vector>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::LocalSystemStatus;
using roror::test::FakeStatusScope;

namespace {

SystemReport::ProcessInfo proc(qint64 pid, std::optional<double> cpu)
{
    SystemReport::ProcessInfo p;
    p.pid = pid;
    p.name = QStringLiteral("p%1").arg(pid);
    p.command = *p.name;
    p.cpu = cpu;
    return p;
}

QList<qint64> pids(const QList<SystemReport::ProcessInfo>& list)
{
    QList<qint64> out;
    for (const auto& p : list)
        out.append(p.pid.value_or(-1));
    return out;
}

constexpr qint64 GiB = 1073741824;

} // namespace

// Health score -------------------------------------------------------------------------------

TEST(HealthScore, EdgeCases)
{
    struct Case {
        std::optional<double> cpu, memory, disk;
        qint64 score;
        const char* message;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, 100, "Good"},
        {100, 100, 100, 45, "High Pressure"},
        {30, 50, 47.5, 76, "Good"},   // 100 - 4.5 - 10 - 9.5
        {0, 50, 72.5, 76, "Good"},    // 75.5 rounds away from zero
        {100, 100, 97.5, 46, "Fair"}, // 45.5 likewise
        {0, 0, 125, 75, "Fair"},
        {nan, 10, std::nullopt, 98, "Good"}, // a term that is no number counts 0
        {-1000, 0, 0, 100, "Good"},          // clamped
        {1000, 0, 0, 0, "High Pressure"},
    };
    for (const Case& c : cases) {
        const qint64 score = healthScore(c.cpu, c.memory, c.disk);
        EXPECT_EQ(score, c.score);
        EXPECT_EQ(healthScoreMessage(score), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(healthScoreMessage(76), QStringLiteral("Good"));
    EXPECT_EQ(healthScoreMessage(75), QStringLiteral("Fair"));
    EXPECT_EQ(healthScoreMessage(46), QStringLiteral("Fair"));
    EXPECT_EQ(healthScoreMessage(45), QStringLiteral("High Pressure"));
}

// Snapshot -----------------------------------------------------------------------------------

TEST(Snapshot, AGivenProcessListIsUsedAsItIs)
{
    FakeStatusScope scope;
    scope.source->processList = QList<ProcessReading>{};

    SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.procs, 0);
    EXPECT_TRUE(report.topProcesses.isEmpty());

    // Not sorted again: the first five in the given order, the count of all.
    const ProcessList six = {proc(1, 0.5), proc(2, 9.0), proc(3, std::nullopt), proc(4, 50), proc(5, 1), proc(6, 99)};
    report = snapshot(six);
    EXPECT_EQ(report.procs, 6);
    EXPECT_EQ(pids(report.topProcesses), (QList<qint64>{1, 2, 3, 4, 5}));
    report = snapshot(six.mid(0, 5));
    EXPECT_EQ(pids(report.topProcesses), (QList<qint64>{1, 2, 3, 4, 5}));
    EXPECT_EQ(scope.source->processReads, 0);
}

TEST(Snapshot, WithoutAListTheTableIsReadAndSorted)
{
    FakeStatusScope scope;
    QList<ProcessReading> table;
    for (qint64 pid = 201; pid <= 207; ++pid)
        table.append(ProcessReading{pid, 1, QStringLiteral("n"), QStringLiteral("/bin/n"), double(pid % 4), 0.1, 5});
    scope.source->processList = table;
    const SystemReport report = snapshot();
    EXPECT_EQ(scope.source->processReads, 1);
    EXPECT_EQ(report.procs, 7);
    EXPECT_EQ(pids(report.topProcesses), (QList<qint64>{203, 207, 202, 206, 201}));

    scope.source->processList.reset();
    EXPECT_EQ(snapshot().procs, 0);
}

TEST(Snapshot, AnUptimeNoWholeCountOfSecondsHoldsIsLeftOut)
{
    FakeStatusScope scope;
    for (const double seconds : {1e90, 1e19, 9378446744073709551615.0, -1.0, std::nan("")}) {
        scope.source->uptime = seconds;
        const SystemReport report = snapshot(ProcessList{});
        EXPECT_EQ(report.uptime, std::nullopt) << seconds;
        EXPECT_EQ(report.uptimeSeconds, std::nullopt) << seconds;
    }
    scope.source->uptime = 93784.27;
    const SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.uptimeSeconds, 93784);
    EXPECT_TRUE(report.uptime.has_value());
}

TEST(Snapshot, AlwaysPresentFieldsOnAnEmptyMachine)
{
    FakeStatusScope scope; // a source that can read nothing at all
    scope.source->os = OSVersionReading{QStringLiteral("linux"), QStringLiteral("Linux"), std::nullopt};
    const SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.healthScore, 100);
    EXPECT_EQ(report.healthScoreMsg, QStringLiteral("Good"));
    EXPECT_TRUE(report.hardware.has_value());
    ASSERT_TRUE(report.cpu.has_value());
    EXPECT_EQ(report.cpu->perCoreEstimated, true);
    EXPECT_EQ(report.cpu->logicalCPU, 1);
    EXPECT_EQ(report.cpu->loadAverage, QList<double>{});
    ASSERT_TRUE(report.memory.has_value());
    EXPECT_EQ(report.memory->total, 0);
    EXPECT_EQ(report.memory->pressure, std::nullopt);
    ASSERT_TRUE(report.disks.has_value());
    ASSERT_EQ(report.disks->size(), 1); // the made-up home volume
    EXPECT_EQ(report.disks->first().mount, QStringLiteral("/"));
    EXPECT_EQ(report.trashApprox, false);
    EXPECT_EQ(report.trashSize, std::nullopt);
    EXPECT_EQ(report.platform, QStringLiteral("linux"));
    EXPECT_EQ(report.uptime, std::nullopt);
    EXPECT_EQ(report.diskIO, std::nullopt);
    EXPECT_EQ(report.diskIOHistory, std::nullopt);
    EXPECT_EQ(report.proxy, std::nullopt);
    EXPECT_TRUE(report.gpu.isEmpty());
}

TEST(Snapshot, NoInterfaceStillGrowsTheNetworkHistory)
{
    FakeStatusScope scope;
    scope.source->interfaces = QList<InterfaceEntry>{
        InterfaceEntry{QStringLiteral("lo"), true, true, true, InterfaceEntry::Family::link, 10, 10, std::nullopt}};
    SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.network, std::nullopt);
    EXPECT_EQ(report.networkHistory, (SystemReport::NetworkHistory{QList<double>{0.0}, QList<double>{0.0}}));
    report = snapshot(ProcessList{});
    EXPECT_EQ(report.networkHistory->rxHistory->size(), 2);
}

TEST(Snapshot, BatteryAndThermalFromTheOnceReadFacts)
{
    FakeStatusScope scope;
    scope.source->facts = BatteryFactsReading{QStringLiteral("Good"), 312, 88, 30.5};
    SystemReport report = snapshot(ProcessList{});
    EXPECT_TRUE(report.batteries.isEmpty());
    ASSERT_TRUE(report.thermal.has_value());
    EXPECT_EQ(report.thermal->batteryTemp, 30.5);
    EXPECT_EQ(report.thermal->cpuTemp, std::nullopt);

    scope.source->batteryReading = BatteryReading{57, QStringLiteral("discharging"), QStringLiteral("2:30")};
    scope.source->facts.cycleCount = 999; // read once per process: not seen any more
    report = snapshot(ProcessList{});
    ASSERT_EQ(report.batteries.size(), 1);
    SystemReport::Battery expected;
    expected.percent = 57;
    expected.charging = false;
    expected.status = QStringLiteral("discharging");
    expected.timeLeft = QStringLiteral("2:30");
    expected.health = QStringLiteral("Good");
    expected.cycleCount = 312;
    expected.capacity = 88;
    EXPECT_EQ(report.batteries.first(), expected);
    EXPECT_EQ(scope.source->factsReads, 1);
}

TEST(Snapshot, ThermalAbsentWithoutTemperature)
{
    FakeStatusScope scope;
    EXPECT_EQ(snapshot(ProcessList{}).thermal, std::nullopt);
}

TEST(Snapshot, HostFallbackFollowsTheLanguage)
{
    test::TestEnv env;
    FakeStatusScope scope;
    scope.source->os.version.reset();
    env.setLanguagePreference(QStringLiteral("chinese"));
    EXPECT_EQ(snapshot(ProcessList{}).host, QStringLiteral("这台 Mac"));
    env.setLanguagePreference(QStringLiteral("english"));
    EXPECT_EQ(snapshot(ProcessList{}).host, QStringLiteral("This Mac"));
    scope.source->host = QStringLiteral("studio");
    EXPECT_EQ(snapshot(ProcessList{}).host, QStringLiteral("studio"));
}

TEST(Snapshot, HealthScoreUsesCPUMemoryAndPrimaryDisk)
{
    FakeStatusScope scope;
    // CPU 30 % busy over the sampling window, memory 50 %, the data volume 47.5 % full.
    scope.source->ticksFirst = QList<CPUTickReading>{{0, 0, 0, 0}};
    scope.source->ticksSecond = QList<CPUTickReading>{{30, 0, 70, 0}};
    scope.source->memoryReading = MemoryReading{1000, 500, 100, std::nullopt, std::nullopt};
    scope.source->volumeList = {VolumeReading{QStringLiteral("/"), QStringLiteral("Root"), 1000, 1000, false, {}, {}},
                                VolumeReading{QStringLiteral("/System/Volumes/Data"), {}, 1000, 525, false, {}, {}}};
    const SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.healthScore, 76);
    EXPECT_EQ(report.healthScoreMsg, QStringLiteral("Good"));
    EXPECT_EQ(report.disks->size(), 1); // the data volume stands in for "/"
}

// Host line and hardware texts -------------------------------------------------------------

TEST(HostLine, Slots)
{
    FakeStatusScope scope;
    LocalSystemOverview overview;
    overview.modelName = QStringLiteral("MacBook Pro");
    overview.chipName = QStringLiteral("Apple M2 Pro");
    overview.gpuCoreCount = 19;
    overview.displayRefreshRate = 120;
    overview.osVersion = QStringLiteral("14.4.1");
    SystemReport::Memory memory;
    memory.total = 32 * GiB;
    SystemReport::Disk disk;
    disk.total = 994706432410; // 926.4 GB by the 2^30 rule

    EXPECT_EQ(decoratedHost(QStringLiteral("Anna's Mac"), memory, disk, overview),
              QStringLiteral("MacBook Pro · Apple M2 Pro, 19GPU · 32.0 GB/926.4 GB · 120Hz · macOS 14.4.1"));
    EXPECT_EQ(decoratedHost(QStringLiteral("a · b"), memory, disk, overview), QStringLiteral("a · b"));

    // Without a model name the computer's name leads; without a memory total the physical
    // memory stands in.
    overview.modelName.reset();
    overview.gpuCoreCount.reset();
    overview.displayRefreshRate.reset();
    scope.source->physicalBytes = 16 * GiB;
    EXPECT_EQ(decoratedHost(QStringLiteral(" studio "), SystemReport::Memory{}, std::nullopt, overview),
              QStringLiteral("studio · Apple M2 Pro · 16.0 GB · macOS 14.4.1"));

    // No facts at all: the base unchanged.
    scope.source->physicalBytes.reset();
    EXPECT_EQ(decoratedHost(QStringLiteral("  "), std::nullopt, std::nullopt, LocalSystemOverview{}),
              QStringLiteral("  "));
}

TEST(HostLine, LinuxOperatingSystemName)
{
    LocalSystemOverview overview;
    overview.osVersion = QStringLiteral(" 12 ");
    overview.osName = QStringLiteral("Debian GNU/Linux");
    EXPECT_EQ(osText(overview), QStringLiteral("Debian GNU/Linux 12"));
    overview.osVersion = QStringLiteral(" ");
    EXPECT_EQ(osText(overview), std::nullopt);
}

TEST(HostLine, ChipDescriptionFallbacks)
{
    FakeStatusScope scope;
    scope.source->brand = QStringLiteral(" Intel(R) Core(TM) i7 ");
    EXPECT_EQ(chipDescription(), QStringLiteral("Intel(R) Core(TM) i7"));
    scope.source->brand = QStringLiteral(" ");
    scope.source->machine = QStringLiteral("arm64");
    EXPECT_EQ(chipDescription(), QStringLiteral("Apple Silicon"));
    scope.source->machine = QStringLiteral("x86_64");
    EXPECT_EQ(chipDescription(), QStringLiteral("x86_64"));
    scope.source->machine.reset();
    EXPECT_EQ(chipDescription(), std::nullopt);
}

TEST(HostLine, OverviewAndHardwareRecord)
{
    FakeStatusScope scope;
    scope.source->hardwareReading.modelIdentifier = QStringLiteral("Mac14,9");
    scope.source->hardwareReading.chipsetModel = QStringLiteral("Apple M2 Pro");
    scope.source->hardwareReading.gpuCoreCount = 19;
    LocalSystemOverview overview = makeSystemOverview();
    EXPECT_EQ(overview.chipName, QStringLiteral("Apple M2 Pro")); // the displays profile stands in for "Chip"
    EXPECT_EQ(overview.osVersion, QStringLiteral("14.4.1"));

    SystemReport::Memory memory; // no total: no RAM text in the record
    SystemReport::Disk disk;
    disk.total = 500 * GiB;
    const SystemReport::Hardware hardware = hardwareSnapshot(overview, memory, disk);
    EXPECT_EQ(hardware.model, QStringLiteral("Mac14,9"));
    EXPECT_EQ(hardware.cpuModel, QStringLiteral("Apple M2 Pro"));
    EXPECT_EQ(hardware.totalRAM, std::nullopt);
    EXPECT_EQ(hardware.diskSize, QStringLiteral("500.0 GB"));
    EXPECT_EQ(hardware.osVersion, QStringLiteral("macOS 14.4.1"));
    EXPECT_EQ(hardware.refreshRate, std::nullopt);

    // Neither profile names a chip: the processor brand.
    scope.source->hardwareReading = HardwareReading{};
    scope.source->brand = QStringLiteral("Intel(R) Xeon(R)");
    EXPECT_EQ(makeSystemOverview().chipName, QStringLiteral("Intel(R) Xeon(R)"));
}

TEST(HostLine, GigabyteText)
{
    EXPECT_EQ(gigabyteText(17179869184), QStringLiteral("16.0 GB"));
    EXPECT_EQ(gigabyteText(0), std::nullopt);
    EXPECT_EQ(gigabyteText(std::nullopt), std::nullopt);
}

TEST(HostLine, GraphicsList)
{
    LocalSystemOverview chip;
    chip.chipName = QStringLiteral("Apple M2");
    SystemReport::GPU named;
    named.name = QStringLiteral("Apple M2 GPU");
    EXPECT_EQ(gpuSnapshot(chip), QList<SystemReport::GPU>{named});

    LocalSystemOverview cores;
    cores.gpuCoreCount = 10;
    SystemReport::GPU unnamed;
    unnamed.coreCount = 10;
    EXPECT_EQ(gpuSnapshot(cores), QList<SystemReport::GPU>{unnamed});
    EXPECT_TRUE(gpuSnapshot(LocalSystemOverview{}).isEmpty());

    // A PC's processor is no graphics chip: only an adapter of its own is listed.
    LocalSystemOverview pc;
    pc.chipName = QStringLiteral("AMD EPYC");
    pc.graphicsOnChip = false;
    EXPECT_TRUE(gpuSnapshot(pc).isEmpty());
    pc.gpuName = QStringLiteral("Intel Corporation UHD Graphics 620");
    SystemReport::GPU adapter;
    adapter.name = pc.gpuName;
    EXPECT_EQ(gpuSnapshot(pc), QList<SystemReport::GPU>{adapter});
}

TEST(HostLine, UptimeText)
{
    test::TestEnv env;
    const struct {
        double seconds;
        const char* english;
        const char* chinese;
    } cases[] = {
        {59, "0m", "0 分钟"},
        {3599, "59m", "59 分钟"},
        {3600, "1h 0m", "1 小时 0 分钟"},
        {86399, "23h 59m", "23 小时 59 分钟"},
        {86400, "1d 0h", "1 天 0 小时"},
        {90061, "1d 1h", "1 天 1 小时"},
    };
    for (const auto& c : cases) {
        env.setLanguagePreference(QStringLiteral("english"));
        EXPECT_EQ(uptimeText(c.seconds), QString::fromUtf8(c.english));
        env.setLanguagePreference(QStringLiteral("chinese"));
        EXPECT_EQ(uptimeText(c.seconds), QString::fromUtf8(c.chinese));
    }
}

// Concurrent snapshots -----------------------------------------------------------------------

TEST(Snapshot, ConcurrentSnapshotsShareOneOverviewAndConsistentHistories)
{
    FakeStatusScope scope;
    LocalSystemStatus::setClockForTesting({}, {}); // real clock and sleep: several threads use them
    scope.source->interfaces = QList<InterfaceEntry>{
        InterfaceEntry{QStringLiteral("en0"), true, false, true, InterfaceEntry::Family::link, 10, 10, std::nullopt}};
    scope.source->disks = QHash<QString, DiskByteReading>{{QStringLiteral("disk0"), {1, 1}}};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([] { snapshot(ProcessList{}); });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(scope.source->hardwareReads, 1);
    EXPECT_EQ(scope.source->factsReads, 1);
    const SystemReport report = snapshot(ProcessList{});
    EXPECT_EQ(report.networkHistory->rxHistory->size(), 9);
    EXPECT_EQ(report.networkHistory->txHistory->size(), 9);
    EXPECT_EQ(report.diskIOHistory->readHistory->size(), 9);
    EXPECT_EQ(report.diskIOHistory->writeHistory->size(), 9);
}
