// Readers of the kernel's text files, on the recorded copies under tests/fixtures/status/linux-root.

#include "platform/linux/LinuxProcfs.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace roror;
using namespace roror::LinuxProcfs;

namespace {

QByteArray rootFile(const QString& relative)
{
    QFile file(test::fixturePath(QStringLiteral("status/linux-root/") + relative));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << relative.toStdString();
    return file.readAll();
}

std::string_view view(const QByteArray& data)
{
    return {data.constData(), static_cast<size_t>(data.size())};
}

constexpr qint64 KiB = 1024;

} // namespace

TEST(LinuxProcfs, ProcStatPerCoreTicks)
{
    const QByteArray text = rootFile(QStringLiteral("proc/stat"));
    const auto cores = parseProcStat(view(text));
    ASSERT_TRUE(cores.has_value());
    ASSERT_EQ(cores->size(), 4);
    // user, system + irq + softirq + steal, idle + iowait, nice
    EXPECT_EQ(cores->at(0), (CPUTickReading{1393280, 572056 + 17875, 13343292 + 6130, 32966}));
    EXPECT_EQ(cores->at(2), (CPUTickReading{1371290, 567318 + 4237 + 10, 13381223 + 6143, 30851}));
    EXPECT_EQ(parseProcStat("cpu  1 2 3 4\nintr 5\n"), std::nullopt);
    EXPECT_EQ(parseProcStat("cpu0 1 2 3\n"), std::nullopt); // too few counters
}

TEST(LinuxProcfs, Meminfo)
{
    const QByteArray text = rootFile(QStringLiteral("proc/meminfo"));
    const MemoryReading m = parseMeminfo(view(text));
    EXPECT_EQ(m.total, 16303428 * KiB);
    EXPECT_EQ(m.used, (16303428 - 9840220) * KiB);          // total - available
    EXPECT_EQ(m.cached, (7964952 + 301044 + 512344) * KiB); // Cached + Buffers + SReclaimable
    EXPECT_EQ(m.swapTotal, 2097148 * KiB);
    EXPECT_EQ(m.swapUsed, (2097148 - 1572860) * KiB);

    const MemoryReading old = parseMeminfo("MemTotal: 1000 kB\nCached: 10 kB\n");
    EXPECT_EQ(old.total, 1000 * KiB);
    EXPECT_EQ(old.used, std::nullopt); // no MemAvailable: no use figure
    EXPECT_EQ(old.cached, 10 * KiB);
    EXPECT_EQ(old.swapUsed, std::nullopt);
}

TEST(LinuxProcfs, MeminfoRefusesFiguresNoMachineHas)
{
    const qint64 maxKB = std::numeric_limits<qint64>::max() / KiB;
    struct Case {
        const char* name;
        std::string text;
        MemoryReading expected;
    };
    const Case cases[] = {
        {"kB figure past the byte range",
         "MemTotal: 1000 kB\nCached:23372036854775808 kB\n",
         {1000 * KiB, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {"negative available",
         "MemTotal: 9007199254740991 kB\nMemAvailable: -5 kB\n",
         {9007199254740991 * KiB, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {"cache sum past the range",
         "Cached: " + std::to_string(maxKB) + " kB\nBuffers: " + std::to_string(maxKB) + " kB\n",
         {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        {"negative free swap",
         "SwapTotal: 100 kB\nSwapFree: -100 kB\n",
         {std::nullopt, std::nullopt, std::nullopt, std::nullopt, 100 * KiB}},
        {"largest figure",
         "MemTotal: " + std::to_string(maxKB) + " kB\nMemAvailable: 0 kB\n",
         {maxKB * KiB, maxKB * KiB, std::nullopt, std::nullopt, std::nullopt}},
        {"a bad line spoils an earlier good one", "MemTotal: 1000 kB\nMemTotal: -1 kB\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseMeminfo(c.text), c.expected) << c.name;
}

TEST(LinuxProcfs, BatteryFiguresNoBatteryHas)
{
    EXPECT_EQ(parseCounter("42\n"), 42);
    EXPECT_EQ(parseCounter("-5"), std::nullopt);
    EXPECT_EQ(parseCounter("12a"), std::nullopt);

    // 28.5 Wh left at 11.4 W, then the same with figures a driver should never give.
    BatteryFiles good;
    good.capacity = 57;
    good.status = QStringLiteral("Discharging");
    good.energyNow = 28500000;
    good.energyFull = 50000000;
    good.powerNow = 11400000;
    EXPECT_EQ(batteryReading(good), (BatteryReading{57, QStringLiteral("discharging"), QStringLiteral("2:30")}));

    BatteryFiles trickle = good;
    trickle.powerNow = 1; // 28.5 Wh at one microwatt: three thousand years
    EXPECT_EQ(batteryReading(trickle).timeLeft, std::nullopt);
    BatteryFiles negative = good;
    negative.energyNow = parseCounter("-9223372036854775807");
    negative.status = QStringLiteral("Charging");
    negative.capacity = std::nullopt;
    EXPECT_EQ(batteryReading(negative), (BatteryReading{std::nullopt, QStringLiteral("charging"), std::nullopt}));
    BatteryFiles overfull = good;
    overfull.capacity = 250;
    EXPECT_EQ(batteryReading(overfull).percent, 100.0);
    BatteryFiles longTime = good;
    longTime.timeToEmpty = 9223372036854775807;
    EXPECT_EQ(batteryReading(longTime).timeLeft, std::nullopt);

    struct Capacity {
        std::optional<qint64> full;
        std::optional<qint64> design;
        std::optional<qint64> expected;
    };
    const Capacity capacities[] = {
        {44000000, 50000000, 88}, {9223372036854775807, 1, std::nullopt},
        {100, 0, std::nullopt},   {-100, 50, std::nullopt},
        {103, 100, 103},          {std::nullopt, 100, std::nullopt},
    };
    for (const Capacity& c : capacities)
        EXPECT_EQ(batteryCapacityPercent(c.full, c.design), c.expected);
}

TEST(LinuxProcfs, MountsDiskstatsAndOsRelease)
{
    const QByteArray mounts = rootFile(QStringLiteral("proc/self/mounts"));
    const QList<MountEntry> entries = parseProcMounts(view(mounts));
    ASSERT_EQ(entries.size(), 12);
    EXPECT_EQ(entries[3],
              (MountEntry{QStringLiteral("/dev/sda2"), QStringLiteral("/"), QStringLiteral("ext4"),
                          QStringLiteral("rw,relatime,errors=remount-ro")}));
    EXPECT_EQ(entries[10].mountPath, QStringLiteral("/media/usb stick")); // \040 decoded

    const QByteArray stats = rootFile(QStringLiteral("proc/diskstats"));
    const auto disks = parseDiskstats(view(stats));
    EXPECT_EQ(disks.size(), 8);
    EXPECT_EQ(disks.value(QStringLiteral("sda")), (DiskByteReading{14212706ULL * 512, 19484386ULL * 512}));
    EXPECT_TRUE(parseDiskstats("8 0 sda 1 2 3\n").isEmpty());

    const QByteArray release = rootFile(QStringLiteral("etc/os-release"));
    const auto values = parseOsRelease(view(release));
    EXPECT_EQ(values.value(QStringLiteral("NAME")), QStringLiteral("Debian GNU/Linux"));
    EXPECT_EQ(values.value(QStringLiteral("VERSION_ID")), QStringLiteral("12"));
    EXPECT_EQ(values.value(QStringLiteral("ID")), QStringLiteral("debian"));
    EXPECT_EQ(parseOsRelease("# comment\nNAME='Some OS'\nX=\"a \\\"b\\\"\"\n").value(QStringLiteral("X")),
              QStringLiteral("a \"b\""));
}

TEST(LinuxProcfs, SmallFiles)
{
    const std::pair<const char*, std::optional<QSet<int>>> lists[] = {
        {"0-3,6,8-9\n", QSet<int>{0, 1, 2, 3, 6, 8, 9}},
        {"0\n", QSet<int>{0}},
        {"", QSet<int>{}},
        {"3-1", std::nullopt},
        {"a", std::nullopt},
        // Numbers no CPU has: the range loop must never reach the end of the integer range.
        {"2147483647", std::nullopt},
        {"2147483600-2147483647", std::nullopt},
        {"65536", std::nullopt},
        {"65535", QSet<int>{65535}},
        {"-1", std::nullopt},
        {"0-65535,0-1", std::nullopt},
    };
    for (const auto& [text, expected] : lists)
        EXPECT_EQ(parseCPUList(text), expected) << text;

    const QByteArray cpuinfo = rootFile(QStringLiteral("proc/cpuinfo"));
    EXPECT_EQ(parseCpuinfoModelName(view(cpuinfo)), QStringLiteral("Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz"));
    EXPECT_EQ(parseCpuinfoModelName("processor : 0\nHardware : BCM2835\n"), std::nullopt);

    EXPECT_EQ(parseUptime("93784.27 350712.49\n"), 93784.27);
    EXPECT_EQ(parseUptime("x"), std::nullopt);
    // Not a number of seconds (the snapshot turns the uptime into a whole count).
    EXPECT_EQ(parseUptime("inf 1.0\n"), std::nullopt);
    EXPECT_EQ(parseUptime("nan 1.0\n"), std::nullopt);
    // Beyond any whole count of seconds in 64 bits.
    for (const char* huge : {"1e90 1\n", "1e19 1\n", "9378446744073709551615 1\n", "9223372036854775808 1\n"})
        EXPECT_EQ(parseUptime(huge), std::nullopt) << huge;
    EXPECT_EQ(parseUptime("9223372036854774784 1\n"), 9223372036854774784.0);
    EXPECT_EQ(parseLoadavg("0.5 nan 0.7 1/467 5029\n"), QList<double>{0.5});
    EXPECT_EQ(parseLoadavg("0.52 0.58 0.59 1/467 5029\n"), (QList<double>{0.52, 0.58, 0.59}));
    EXPECT_EQ(parseLoadavg(""), QList<double>{});
}

TEST(LinuxProcfs, ProcessStat)
{
    const QByteArray text = rootFile(QStringLiteral("proc/202/stat"));
    const auto stat = parseProcessStat(view(text));
    ASSERT_TRUE(stat.has_value());
    EXPECT_EQ(stat->pid, 202);
    EXPECT_EQ(stat->comm, QStringLiteral("bash"));
    EXPECT_EQ(stat->ppid, 101);
    EXPECT_EQ(stat->utime, 7u);
    EXPECT_EQ(stat->stime, 3u);
    EXPECT_EQ(stat->startTime, 16543u);
    EXPECT_EQ(stat->residentPages, 1401u);

    // A name may hold spaces and parentheses: it ends at the last ")".
    const auto odd = parseProcessStat("77 (a) b (c)) S 1 1 1 0 -1 0 0 0 0 0 5 6 0 0 20 0 1 0 99 0 3");
    ASSERT_TRUE(odd.has_value());
    EXPECT_EQ(odd->comm, QStringLiteral("a) b (c)"));
    EXPECT_EQ(odd->startTime, 99u);
    EXPECT_EQ(parseProcessStat("77 (x) S 1 1"), std::nullopt);
    EXPECT_EQ(parseProcessStat("garbage"), std::nullopt);
}

TEST(LinuxProcfs, ProcessNames)
{
    struct Case {
        QByteArray cmdline;
        const char* comm;
        const char* name;
        const char* command;
    };
    const Case cases[] = {
        {QByteArray("/usr/bin/bash\0--login\0", 22), "bash", "bash", "/usr/bin/bash"},
        // A title rewritten by the program: the kernel's name is the true one.
        {QByteArray("sshd: alice@pts/0\0", 18), "sshd", "sshd", "sshd: alice@pts/0"},
        {QByteArray("/usr/lib/firefox/firefox\0-contentproc\0", 38), "Web Content", "Web Content",
         "/usr/lib/firefox/firefox"},
        // The kernel cuts its name at 15 characters; the full program name is kept.
        {QByteArray("/opt/app/very-long-program-name\0", 32), "very-long-progr", "very-long-program-name",
         "/opt/app/very-long-program-name"},
        // Kernel threads have no arguments; their names keep their slashes.
        {QByteArray(), "kworker/0:1-events", "kworker/0:1-events", "kworker/0:1-events"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.comm);
        EXPECT_EQ(processName(c.cmdline, QString::fromUtf8(c.comm)), QString::fromUtf8(c.name));
        EXPECT_EQ(processCommand(c.cmdline, QString::fromUtf8(c.comm)), QString::fromUtf8(c.command));
    }
    EXPECT_EQ(decodeUdevEscapes(QStringLiteral("USB\\x20STICK")), QStringLiteral("USB STICK"));
}
