// The probes on this machine, against what the system's own tools report.

#include "core/status/LocalSystemStatus.h"
#include "platform/StatusSource.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::LocalSystemStatus;

namespace {

QStringList toolLines(const QString& tool, const QStringList& arguments)
{
    const auto output = runCommand(tool, arguments);
    return output ? output->split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

QStringList fields(const QString& line)
{
    return line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// name -> received and sent bytes from /proc/net/dev.
QHash<QString, QPair<quint64, quint64>> procNetDev()
{
    QHash<QString, QPair<quint64, quint64>> counters;
    QFile file(QStringLiteral("/proc/net/dev"));
    if (!file.open(QIODevice::ReadOnly))
        return counters;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QStringList values = fields(line.mid(colon + 1));
        if (values.size() >= 9)
            counters.insert(line.left(colon).trimmed(), {values[0].toULongLong(), values[8].toULongLong()});
    }
    return counters;
}

} // namespace

class LiveSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetStateForTesting();
        StatusSource::setCurrent(nullptr);
    }
    void TearDown() override { resetStateForTesting(); }
};

TEST_F(LiveSystem, MemoryAgreesWithFree)
{
    const QStringList lines = toolLines(QStringLiteral("/usr/bin/free"), {QStringLiteral("-b")});
    QStringList mem;
    QStringList swap;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("Mem:")))
            mem = fields(line);
        else if (line.startsWith(QLatin1String("Swap:")))
            swap = fields(line);
    }
    if (mem.size() < 7)
        GTEST_SKIP() << "free -b gave no memory line";
    const SystemReport::Memory memory = memorySnapshot();
    EXPECT_EQ(memory.total, mem[1].toLongLong());
    // Both read total - available; memory moves between the two readings, so allow 2 % of total.
    ASSERT_TRUE(memory.used.has_value());
    EXPECT_NEAR(double(*memory.used), mem[2].toDouble(), double(*memory.total) * 0.02);
    EXPECT_NEAR(double(memory.cached.value_or(0)), mem[5].toDouble(), double(*memory.total) * 0.02);
    ASSERT_GE(swap.size(), 3);
    EXPECT_EQ(memory.swapTotal, swap[1].toLongLong());
    EXPECT_NEAR(double(memory.swapUsed.value_or(-1)), swap[2].toDouble(), double(*memory.total) * 0.02);
    EXPECT_TRUE(memory.pressure.has_value());
}

TEST_F(LiveSystem, ProcessorCountsAgreeWithNproc)
{
    const auto online = runCommand(QStringLiteral("/usr/bin/nproc"), {});
    const auto all = runCommand(QStringLiteral("/usr/bin/nproc"), {QStringLiteral("--all")});
    ASSERT_TRUE(online && all);
    const SystemReport::CPU cpu = cpuSnapshot();
    ASSERT_TRUE(cpu.logicalCPU.has_value());
    // nproc counts the processors this process may use; the report counts those online.
    EXPECT_GE(*cpu.logicalCPU, online->toLongLong());
    EXPECT_LE(*cpu.logicalCPU, all->toLongLong());
    ASSERT_TRUE(cpu.perCore.has_value());
    EXPECT_EQ(cpu.perCore->size(), *cpu.logicalCPU);
    EXPECT_EQ(cpu.perCoreEstimated, false);
    ASSERT_TRUE(cpu.usage.has_value());
    EXPECT_GE(*cpu.usage, 0.0);
    EXPECT_LE(*cpu.usage, 100.0);
    if (cpu.coreCount) {
        EXPECT_LE(*cpu.coreCount, *cpu.logicalCPU);
    }
    EXPECT_EQ(cpu.loadAverage->size(), 3);
}

TEST_F(LiveSystem, RootVolumeAgreesWithDf)
{
    const QList<SystemReport::Disk> disks = diskSnapshots();
    ASSERT_FALSE(disks.isEmpty());
    const auto root
        = std::find_if(disks.begin(), disks.end(), [](const auto& d) { return d.mount == QStringLiteral("/"); });
    if (root == disks.end() || !root->device)
        GTEST_SKIP() << "the root folder is no real disk here";
    const QStringList lines
        = toolLines(QStringLiteral("/usr/bin/df"),
                    {QStringLiteral("-B1"), QStringLiteral("--output=size,avail"), QStringLiteral("/")});
    ASSERT_EQ(lines.size(), 2);
    const QStringList values = fields(lines[1]);
    ASSERT_EQ(values.size(), 2);
    const double size = values[0].toDouble();
    const double available = values[1].toDouble();
    EXPECT_EQ(double(root->total.value_or(-1)), size);
    // used = size - available; other programs write meanwhile.
    EXPECT_NEAR(double(root->used.value_or(-1)), size - available, 1024.0 * 1024 * 1024);
    EXPECT_EQ(primaryDisk(disks).mount, QStringLiteral("/"));
    for (const auto& disk : disks) {
        EXPECT_TRUE(disk.device && disk.device->startsWith(QLatin1String("/dev/"))) << disk.mount->toStdString();
        EXPECT_FALSE(disk.device->startsWith(QLatin1String("/dev/loop")));
    }
}

TEST_F(LiveSystem, NetworkCountersAgreeWithProcNetDev)
{
    const auto before = procNetDev();
    const auto entries = StatusSource::current()->interfaceEntries();
    const auto after = procNetDev();
    ASSERT_TRUE(entries.has_value());
    int compared = 0;
    for (const InterfaceEntry& entry : *entries) {
        if (entry.family != InterfaceEntry::Family::link || !entry.rxBytes || !before.contains(entry.name))
            continue;
        EXPECT_GE(*entry.rxBytes, before[entry.name].first) << entry.name.toStdString();
        EXPECT_LE(*entry.rxBytes, after[entry.name].first) << entry.name.toStdString();
        EXPECT_GE(*entry.txBytes, before[entry.name].second) << entry.name.toStdString();
        EXPECT_LE(*entry.txBytes, after[entry.name].second) << entry.name.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 0);

    // Rates appear from the second snapshot on and are never negative.
    networkSnapshot();
    for (const SystemReport::Network& n : networkSnapshot()) {
        EXPECT_NE(n.name, QStringLiteral("lo"));
        if (n.down) {
            EXPECT_GE(*n.down, 0.0);
        }
    }
}

TEST_F(LiveSystem, WholeSnapshot)
{
    const SystemReport first = snapshot();
    const SystemReport report = snapshot();
    EXPECT_TRUE(report.host && !report.host->isEmpty());
    EXPECT_TRUE(report.platform && report.platform->startsWith(QLatin1String("linux")));
    ASSERT_TRUE(report.uptimeSeconds.has_value());
    QFile uptime(QStringLiteral("/proc/uptime"));
    ASSERT_TRUE(uptime.open(QIODevice::ReadOnly));
    EXPECT_NEAR(double(*report.uptimeSeconds), uptime.readAll().split(' ').first().toDouble(), 5.0);

    const QStringList ps = toolLines(QStringLiteral("/bin/ps"), {QStringLiteral("-axo"), QStringLiteral("pid=")});
    EXPECT_NEAR(double(report.procs.value_or(0)), double(ps.size()), std::max(20.0, ps.size() * 0.2));
    EXPECT_LE(report.topProcesses.size(), 5);
    for (int i = 1; i < report.topProcesses.size(); ++i)
        EXPECT_GE(report.topProcesses[i - 1].cpu.value_or(0), report.topProcesses[i].cpu.value_or(0));
    ASSERT_TRUE(report.diskIO.has_value());
    EXPECT_TRUE(report.diskIO->readRate.has_value());
    EXPECT_EQ(report.diskIOHistory->readHistory->size(), 2);
    EXPECT_EQ(report.networkHistory->rxHistory->size(), 2);
    EXPECT_EQ(report.healthScore,
              healthScore(report.cpu->usage, report.memory->usedPercent, primaryDisk(*report.disks).usedPercent));
    EXPECT_EQ(report.hardware->totalRAM, gigabyteText(report.memory->total));
    Q_UNUSED(first);
}
