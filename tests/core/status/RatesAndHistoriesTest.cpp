// Measurements between two samples: CPU ticks, network and disk counters, the 60-value
// histories and the Trash cache.

#include "core/status/LocalSystemStatus.h"
#include "tests/core/status/FakeStatusSource.h"
#include "tests/support/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::LocalSystemStatus;
using roror::test::FakeStatusScope;
using Family = InterfaceEntry::Family;

namespace {

constexpr quint64 MiB = 1048576;

InterfaceEntry link(const QString& name, std::optional<quint64> rx, std::optional<quint64> tx)
{
    return InterfaceEntry{name, true, false, true, Family::link, rx, tx, std::nullopt};
}

InterfaceEntry address(const QString& name, Family family, const QString& text)
{
    return InterfaceEntry{name, true, false, true, family, std::nullopt, std::nullopt, text};
}

} // namespace

// CPU --------------------------------------------------------------------------------------------

TEST(CPUUsage, BetweenTwoSamples)
{
    // Core 0: 50 busy of 100; core 1: idle; core 2: every counter went back (contributes nothing).
    const QList<CPUTicks> first = {{100, 0, 100, 0}, {0, 0, 0, 0}, {500, 500, 500, 500}};
    const QList<CPUTicks> second = {{130, 10, 150, 10}, {0, 0, 100, 0}, {1, 1, 1, 1}};
    const auto usage = cpuUsageBetween(first, second);
    ASSERT_TRUE(usage.has_value());
    EXPECT_EQ(usage->perCore, (QList<double>{50.0, 0.0, 0.0}));
    EXPECT_DOUBLE_EQ(usage->usage, 25.0); // 50 busy of 200 over cores 0 and 1 alone

    // Counters past 2^31 are ordinary large values.
    const quint64 big = 3'000'000'000ULL;
    EXPECT_DOUBLE_EQ(cpuUsageBetween({{big, 0, big, 0}}, {{big + 75, 0, big + 25, 0}})->usage, 75.0);

    EXPECT_DOUBLE_EQ(cpuUsageBetween({{0, 0, 0, 0}}, {{0, 0, 40, 0}})->usage, 0.0); // all idle
    EXPECT_EQ(cpuUsageBetween({{1, 1, 1, 1}}, {{1, 1, 1, 1}}), std::nullopt);       // nothing moved
    EXPECT_EQ(cpuUsageBetween({{0, 0, 0, 0}}, {{0, 0, 1, 0}, {0, 0, 1, 0}}), std::nullopt);
    EXPECT_EQ(cpuUsageBetween({}, {}), std::nullopt);
}

TEST(CPUUsage, LoadAverageStandsInWithoutAMeasurement)
{
    FakeStatusScope scope;
    scope.source->logical = 8;
    scope.source->loads = {6.0, 5.0, 4.0};
    scope.source->ticksFirst = QList<CPUTickReading>{{0, 0, 0, 0}, {0, 0, 0, 0}};
    scope.source->ticksSecond = QList<CPUTickReading>{{0, 0, 1, 0}}; // core count changed
    SystemReport::CPU cpu = cpuSnapshot();
    EXPECT_EQ(cpu.usage, 75.0);
    EXPECT_EQ(cpu.perCore, std::nullopt);
    EXPECT_EQ(cpu.perCoreEstimated, true);
    EXPECT_EQ(cpu.loadAverage, (QList<double>{6.0, 5.0, 4.0}));
    EXPECT_EQ(cpu.pCoreCount, std::nullopt);

    scope.source->loads = {12.0};
    cpu = cpuSnapshot();
    EXPECT_EQ(cpu.usage, 100.0);
    EXPECT_EQ(cpu.load1, 12.0);
    EXPECT_EQ(cpu.load5, std::nullopt);
    EXPECT_EQ(cpu.loadAverage, QList<double>{12.0});

    scope.source->loads.clear();
    cpu = cpuSnapshot();
    EXPECT_EQ(cpu.usage, std::nullopt);
    ASSERT_TRUE(cpu.loadAverage.has_value());
    EXPECT_TRUE(cpu.loadAverage->isEmpty());
}

TEST(CPUUsage, MeasuredOverTheSamplingWindow)
{
    FakeStatusScope scope;
    scope.source->logical = 2;
    scope.source->physical = 1;
    scope.source->pCores = 1;
    scope.source->ticksFirst = QList<CPUTickReading>{{10, 0, 10, 0}, {10, 0, 10, 0}};
    scope.source->ticksSecond = QList<CPUTickReading>{{20, 0, 10, 0}, {10, 0, 20, 0}};
    const double before = scope.now;
    const SystemReport::CPU cpu = cpuSnapshot();
    EXPECT_NEAR(scope.now - before, 0.2, 1e-6); // the sampling window
    EXPECT_EQ(cpu.perCore, (QList<double>{100.0, 0.0}));
    EXPECT_EQ(cpu.usage, 50.0);
    EXPECT_EQ(cpu.perCoreEstimated, false);
    EXPECT_EQ(cpu.coreCount, 1);
    EXPECT_EQ(cpu.logicalCPU, 2);
    EXPECT_EQ(cpu.pCoreCount, 1);
}

// Memory -------------------------------------------------------------------------------------

TEST(MemoryProbe, PressureThresholdsAndMissingStatistics)
{
    EXPECT_EQ(memoryPressure(81.9), QStringLiteral("normal"));
    EXPECT_EQ(memoryPressure(82.0), QStringLiteral("warn"));
    EXPECT_EQ(memoryPressure(95.0), QStringLiteral("critical"));

    FakeStatusScope scope;
    scope.source->memoryReading = MemoryReading{std::nullopt, std::nullopt, std::nullopt, 10, 20};
    scope.source->physicalBytes = 4096;
    const SystemReport::Memory memory = memorySnapshot();
    EXPECT_EQ(memory.total, 4096);
    EXPECT_EQ(memory.used, std::nullopt);
    EXPECT_EQ(memory.usedPercent, std::nullopt);
    EXPECT_EQ(memory.pressure, std::nullopt);
    EXPECT_EQ(memory.swapUsed, 10);
    EXPECT_EQ(memory.swapTotal, 20);
}

// Network --------------------------------------------------------------------------------------

TEST(NetworkInterfaces, WalkFiltersAndOrders)
{
    const QList<InterfaceEntry> entries = {
        InterfaceEntry{QStringLiteral("lo"), true, true, true, Family::link, 5, 5, std::nullopt},
        link(QStringLiteral("en0"), 100, 200),
        link(QStringLiteral("en1"), 1, 2),
        address(QStringLiteral("en1"), Family::ipv6, QStringLiteral("fe80::1%en1")),
        address(QStringLiteral("en1"), Family::ipv4, QStringLiteral("192.168.1.5")),
        address(QStringLiteral("en1"), Family::ipv6, QStringLiteral("fe80::2%en1")),
        address(QStringLiteral("utun2"), Family::ipv6, QStringLiteral("fd00::1")),
        address(QStringLiteral("utun2"), Family::ipv6, QStringLiteral("fd00::2")),
        InterfaceEntry{QStringLiteral("en5"), false, false, true, Family::link, 9, 9, std::nullopt}, // down
        InterfaceEntry{QStringLiteral("en6"), true, false, false, Family::link, 9, 9, std::nullopt}, // no address
        address(QStringLiteral("en7"), Family::ipv4, QString()), // conversion failed
        InterfaceEntry{QStringLiteral("en8"), true, false, true, Family::other, 9, 9, QStringLiteral("x")},
    };
    const QList<LocalNetworkInterface> expected = {
        {QStringLiteral("en1"), 1, 2, QStringLiteral("192.168.1.5")},
        {QStringLiteral("utun2"), std::nullopt, std::nullopt, QStringLiteral("fd00::1")},
        {QStringLiteral("en0"), 100, 200, std::nullopt},
    };
    EXPECT_EQ(collectInterfaces(entries), expected);
}

TEST(NetworkInterfaces, RatesBetweenTwoSnapshots)
{
    QHash<QString, NetworkSample> samples;
    const QList<LocalNetworkInterface> first = {{QStringLiteral("en0"), 1000, 5000, QStringLiteral("10.0.0.2")}};
    auto records = networkRates(first, 100.0, samples);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].down, std::nullopt); // no previous sample
    EXPECT_EQ(records[0].name, QStringLiteral("en0"));
    EXPECT_EQ(records[0].ip, QStringLiteral("10.0.0.2"));

    // 2 MiB received over 2 s; the send counter went back (reset): no send rate this time.
    const QList<LocalNetworkInterface> second
        = {{QStringLiteral("en0"), 1000 + 2 * MiB, 10, QStringLiteral("10.0.0.2")}};
    records = networkRates(second, 102.0, samples);
    EXPECT_EQ(records[0].down, 1.0);
    EXPECT_EQ(records[0].rxRateMBs, 1.0);
    EXPECT_EQ(records[0].up, std::nullopt);
    EXPECT_EQ(records[0].txRateMBs, std::nullopt);

    // The next snapshot measures from the reset value; the same time stamp gives no rate.
    const QList<LocalNetworkInterface> third = {{QStringLiteral("en0"), 1000 + 2 * MiB, 10 + MiB, std::nullopt}};
    records = networkRates(third, 102.0, samples);
    EXPECT_EQ(records[0].down, std::nullopt);
    records = networkRates(third, 103.0, samples);
    EXPECT_EQ(records[0].down, 0.0);
    EXPECT_EQ(records[0].up, 0.0);

    // An interface that vanished is forgotten and starts again without a rate.
    networkRates({}, 104.0, samples);
    EXPECT_TRUE(samples.isEmpty());
    records = networkRates(third, 105.0, samples);
    EXPECT_EQ(records[0].down, std::nullopt);
}

// Sound behaviour: a counter needs its own previous reading. A counter that was not read last
// time is no zero to measure from, so its lifetime total never shows up as one interval's rate.
TEST(NetworkInterfaces, ACounterNewThisTickGivesNoRate)
{
    QHash<QString, NetworkSample> samples;
    networkRates({{QStringLiteral("en0"), std::nullopt, std::nullopt, QStringLiteral("10.0.0.2")}}, 100.0, samples);
    const auto records
        = networkRates({{QStringLiteral("en0"), 50'000'000'000ULL, 7, QStringLiteral("10.0.0.2")}}, 102.0, samples);
    EXPECT_EQ(records[0].down, std::nullopt);
    EXPECT_EQ(records[0].up, std::nullopt);
    EXPECT_EQ(networkRateMBs(5, std::nullopt, 1.0), std::nullopt);
    EXPECT_EQ(networkRateMBs(std::nullopt, 5, 1.0), std::nullopt);
}

TEST(NetworkInterfaces, SnapshotKeepsTheSamplesAndHistory)
{
    FakeStatusScope scope;
    scope.source->interfaces
        = QList<InterfaceEntry>{link(QStringLiteral("en0"), 0, 0), link(QStringLiteral("en1"), 0, 0)};
    EXPECT_EQ(networkSnapshot().size(), 2);
    scope.now += 2.0;
    scope.source->interfaces
        = QList<InterfaceEntry>{link(QStringLiteral("en0"), 2 * MiB, 4 * MiB), link(QStringLiteral("en1"), 6 * MiB, 0)};
    const QList<SystemReport::Network> network = networkSnapshot();
    ASSERT_EQ(network.size(), 2);
    EXPECT_EQ(network[0].down, 1.0);
    EXPECT_EQ(network[1].down, 3.0);

    const SystemReport::NetworkHistory history = networkHistorySnapshot(network);
    EXPECT_EQ(history.rxHistory, QList<double>{4.0});
    EXPECT_EQ(history.txHistory, QList<double>{2.0});
}

TEST(Histories, KeepTheLast60Values)
{
    FakeStatusScope scope;
    SystemReport::Network n;
    for (int i = 1; i <= 61; ++i) {
        n.rxRateMBs = i;
        n.down = 1000; // rxRateMBs wins over down
        n.up = -i;     // up stands in for an absent txRateMBs
        networkHistorySnapshot({n});
    }
    const SystemReport::NetworkHistory history = networkHistorySnapshot({});
    ASSERT_EQ(history.rxHistory->size(), 60);
    EXPECT_EQ(history.rxHistory->first(), 3.0); // 1 and 2 were pushed out
    EXPECT_EQ(history.rxHistory->at(58), 61.0);
    EXPECT_EQ(history.rxHistory->last(), 0.0);
    EXPECT_EQ(history.txHistory->first(), -3.0);
    EXPECT_EQ(history.txHistory->size(), history.rxHistory->size());

    for (int i = 1; i <= 61; ++i)
        diskIOHistorySnapshot(SystemReport::DiskIO{double(i), std::nullopt});
    const auto disk = diskIOHistorySnapshot(std::nullopt); // no transfer result: unchanged, none
    EXPECT_EQ(disk, std::nullopt);
    const auto last = diskIOHistorySnapshot(SystemReport::DiskIO{62.0, 1.0});
    ASSERT_EQ(last->readHistory->size(), 60);
    EXPECT_EQ(last->readHistory->first(), 3.0);
    EXPECT_EQ(last->readHistory->last(), 62.0);
    EXPECT_EQ(last->writeHistory->first(), 0.0);
    EXPECT_EQ(last->writeHistory->last(), 1.0);
}

// Disk I/O ---------------------------------------------------------------------------------------

TEST(DiskIO, RatesFromTheDisksInBothReadings)
{
    const QHash<QString, DiskByteReading> first = {{QStringLiteral("sda"), {1000, 1000}}};
    EXPECT_EQ(diskIORates(first, 100.0, std::nullopt), SystemReport::DiskIO{});

    const DiskSample previous{first, 100.0};
    const QHash<QString, DiskByteReading> second = {{QStringLiteral("sda"), {1000 + 10 * MiB, 500}}};
    const SystemReport::DiskIO io = diskIORates(second, 102.0, previous);
    EXPECT_EQ(io.readRate, 5.0);
    EXPECT_EQ(io.writeRate, std::nullopt);                                  // went back
    EXPECT_EQ(diskIORates(second, 100.0, previous).readRate, std::nullopt); // no time passed
}

// Sound behaviour: a disk attached between two samples brings its lifetime total; only the
// disks present in both samples count, so no spike reaches the history.
TEST(DiskIO, ADiskNewThisTickAddsNothing)
{
    const DiskSample previous{{{QStringLiteral("sda"), {1000, 1000}}}, 100.0};
    const QHash<QString, DiskByteReading> now = {{QStringLiteral("sda"), {1000 + 2 * MiB, 1000}},
                                                 {QStringLiteral("sdb"), {900'000'000'000ULL, 400'000'000'000ULL}}};
    const SystemReport::DiskIO io = diskIORates(now, 102.0, previous);
    EXPECT_EQ(io.readRate, 1.0);
    EXPECT_EQ(io.writeRate, 0.0);

    // No disk in common: no rate at all.
    const QHash<QString, DiskByteReading> swapped = {{QStringLiteral("sdb"), {5, 5}}};
    EXPECT_EQ(diskIORates(swapped, 102.0, previous), SystemReport::DiskIO{});
}

TEST(DiskIO, SnapshotKeepsTheLastSuccessfulSample)
{
    FakeStatusScope scope;
    EXPECT_EQ(diskIOSnapshot(), std::nullopt); // counters unreadable
    scope.source->disks = QHash<QString, DiskByteReading>{{QStringLiteral("sda"), {0, 0}}};
    EXPECT_EQ(diskIOSnapshot(), SystemReport::DiskIO{}); // first reading: record without rates
    EXPECT_EQ(diskIOHistorySnapshot(SystemReport::DiskIO{}),
              (SystemReport::DiskIOHistory{QList<double>{0.0}, QList<double>{0.0}}));

    scope.now += 1.0;
    scope.source->disks.reset();
    EXPECT_EQ(diskIOSnapshot(), std::nullopt); // failed read keeps the older sample
    scope.now += 1.0;
    scope.source->disks = QHash<QString, DiskByteReading>{{QStringLiteral("sda"), {4 * MiB, 2 * MiB}}};
    EXPECT_EQ(diskIOSnapshot(), (SystemReport::DiskIO{2.0, 1.0}));
}

// Trash --------------------------------------------------------------------------------------------

TEST(TrashSize, AllocatedSizeLeavesOutHiddenItemsAndPackageContents)
{
    test::TestEnv env;
    const QString trash = env.home() + QStringLiteral("/.local/share/Trash/files");
    EXPECT_EQ(directoryAllocatedSize(trash), std::nullopt);
    env.makeDir(trash);
    EXPECT_EQ(directoryAllocatedSize(trash), 0);

    env.writeFile(trash + QStringLiteral("/a.bin"), QByteArray(10000, 'a'));
    env.writeFile(trash + QStringLiteral("/folder/b.bin"), QByteArray(5000, 'b'));
    const qint64 visible = *directoryAllocatedSize(trash);
    EXPECT_GE(visible, 15000);
    env.writeFile(trash + QStringLiteral("/.hidden"), QByteArray(50000, 'h'));
    env.writeFile(trash + QStringLiteral("/Old.app/Contents/MacOS/Old"), QByteArray(50000, 'x'));
    EXPECT_EQ(directoryAllocatedSize(trash), visible);
}

TEST(TrashSize, MeasuredAtMostEvery30Seconds)
{
    test::TestEnv env;
    FakeStatusScope scope;
    const QString trash = env.home() + QStringLiteral("/.local/share/Trash/files");
    scope.source->trash = trash;
    EXPECT_EQ(trashSizeSnapshot(), std::nullopt); // missing: never cached, measured again next time
    env.writeFile(trash + QStringLiteral("/a.bin"), QByteArray(10000, 'a'));
    const auto first = trashSizeSnapshot();
    ASSERT_TRUE(first.has_value());

    env.writeFile(trash + QStringLiteral("/b.bin"), QByteArray(100000, 'b'));
    scope.now += 10;
    EXPECT_EQ(trashSizeSnapshot(), first); // cached
    scope.now -= 100;
    EXPECT_EQ(trashSizeSnapshot(), first); // a date in the future counts as fresh
    scope.now += 120;
    EXPECT_GT(*trashSizeSnapshot(), *first); // 30 s after the walk: measured again
}
