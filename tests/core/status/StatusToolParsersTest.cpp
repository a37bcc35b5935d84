// Readers of the system tools' output, on recorded samples under tests/fixtures/status.

#include "core/status/LocalSystemStatus.h"
#include "tests/support/TestEnv.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace roror;
using namespace roror::LocalSystemStatus;
using Info = SystemReport::ProcessInfo;

namespace {

QString fixture(const QString& name)
{
    QFile file(test::fixturePath(QStringLiteral("status/") + name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

Info process(qint64 pid, std::optional<qint64> ppid, double cpu, double memory, const QString& name,
             const QString& command)
{
    Info info;
    info.pid = pid;
    info.ppid = ppid;
    info.cpu = cpu;
    info.memory = memory;
    info.name = name;
    info.command = command;
    return info;
}

} // namespace

// Process table ------------------------------------------------------------------------------

TEST(ProcessTableParser, RecordedOutputSkipsBadLinesAndKeepsCommandsWhole)
{
    const ProcessList parsed = parseProcessSnapshot(fixture(QStringLiteral("ps-axo.txt")));
    const QString mail = QStringLiteral("/Applications/Mail App.app/Contents/MacOS/Mail App");
    const ProcessList expected = {
        process(1, 0, 0.0, 0.1, QStringLiteral("launchd"), QStringLiteral("/sbin/launchd")),
        process(312, 1, 12.5, 1.2, QStringLiteral("logd"), QStringLiteral("/usr/libexec/logd")),
        process(401, 1, 3.0, 0.4, QStringLiteral("Mail App"), mail),
        process(515, 1, 12.5, 2.0, QStringLiteral("cfprefsd"), QStringLiteral("/usr/sbin/cfprefsd")),
    };
    EXPECT_EQ(parsed, expected);

    // Busiest first; equal CPU keeps the tool's order.
    ProcessList sorted = parsed;
    sortByCPU(sorted);
    QList<qint64> pids;
    for (const Info& p : sorted)
        pids.append(*p.pid);
    EXPECT_EQ(pids, (QList<qint64>{312, 515, 401, 1}));
}

TEST(ProcessTableParser, SingleLines)
{
    struct Case {
        const char* line;
        std::optional<Info> expected;
    };
    const Case cases[] = {
        {"123 1.5 2.5 /usr/local/bin/tool",
         process(123, std::nullopt, 1.5, 2.5, QStringLiteral("tool"), QStringLiteral("/usr/local/bin/tool"))},
        {"1 0 x y cmd", std::nullopt},
        {"abc 1 1.0 1.0 /bin/cmd", std::nullopt},
        {"\t5 1 0.0 0.0 /bin/tabbed", std::nullopt}, // only the space separates
        {"7 1 0.0 0.0 /opt/tool/", process(7, 1, 0.0, 0.0, QStringLiteral("tool"), QStringLiteral("/opt/tool/"))},
        {"8 1 150.0 0.0    two  words  ",
         process(8, 1, 150.0, 0.0, QStringLiteral("two  words"), QStringLiteral("two  words"))},
        {"9 1", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(parseProcessLine(QString::fromUtf8(c.line)), c.expected);
    }
}

TEST(ProcessTableParser, SortPutsAbsentAndNonNumbersLast)
{
    ProcessList list = {process(1, 0, 0.0, 0, QStringLiteral("a"), QStringLiteral("a")),
                        process(2, 0, 0.1, 0, QStringLiteral("b"), QStringLiteral("b")),
                        process(3, 0, std::nan(""), 0, QStringLiteral("c"), QStringLiteral("c")),
                        process(4, 0, 7.0, 0, QStringLiteral("d"), QStringLiteral("d"))};
    list[0].cpu.reset();
    sortByCPU(list);
    QList<qint64> pids;
    for (const Info& p : list)
        pids.append(*p.pid);
    EXPECT_EQ(pids, (QList<qint64>{4, 2, 1, 3}));
}

// Command runner -------------------------------------------------------------------------------

TEST(CommandRunner, OutputIsTrimmedTextOrNothing)
{
    const QString sh = QStringLiteral("/bin/sh");
    auto run = [&](const char* script) { return runCommand(sh, {QStringLiteral("-c"), QString::fromUtf8(script)}); };
    EXPECT_EQ(runCommand(QStringLiteral("/no/such/tool"), {}), std::nullopt);
    EXPECT_EQ(run("echo text; exit 1"), std::nullopt);
    EXPECT_EQ(run("kill -TERM $$"), std::nullopt);
    EXPECT_EQ(run("printf ' \\n\\t \\n'"), std::nullopt);
    EXPECT_EQ(run("printf '\\377\\376 bad'"), std::nullopt);
    EXPECT_EQ(run("printf '  a  b \\n'"), QStringLiteral("a  b"));
    // A tool that fills the error pipe before it writes its output still completes.
    EXPECT_EQ(run("head -c 300000 /dev/zero >&2; echo done"), QStringLiteral("done"));
}

TEST(CommandRunner, AHungToolIsEndedByTheTimeOut)
{
    EXPECT_EQ(commandTimeoutMs, 10000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(runCommand(QStringLiteral("/bin/sleep"), {QStringLiteral("30")}, 200), std::nullopt);
    EXPECT_LT(timer.elapsed(), 20000); // ended long before the tool would have
}

// Swap and mounts ----------------------------------------------------------------------------

TEST(SwapUsageParser, RecordedOutputAndUnits)
{
    EXPECT_EQ(parseSwapUsage(fixture(QStringLiteral("sysctl-swapusage.txt"))), (SwapUsage{1074266112, 2147483648}));
    // Another unit letter gives nothing for that value only.
    EXPECT_EQ(parseSwapUsage(QStringLiteral("vm.swapusage: total = 2.00G  used = 3M  free = 1M")),
              (SwapUsage{3145728, std::nullopt}));
    EXPECT_EQ(parseSwapUsage(QString()), (SwapUsage{}));
}

TEST(MountTableParser, RecordedOutput)
{
    const QMap<QString, MountInfo> table = parseMounts(fixture(QStringLiteral("mount.txt")));
    EXPECT_EQ(table.value(QStringLiteral("/")), (MountInfo{QStringLiteral("/dev/disk3s1s1"), QStringLiteral("apfs")}));
    EXPECT_EQ(table.value(QStringLiteral("/System/Volumes/Data")),
              (MountInfo{QStringLiteral("/dev/disk3s5"), QStringLiteral("apfs")}));
    EXPECT_EQ(table.value(QStringLiteral("/Volumes/Backup Disk")),
              (MountInfo{QStringLiteral("/dev/disk5s1"), QStringLiteral("hfs")}));
    EXPECT_EQ(table.value(QStringLiteral("/System/Volumes/Data/home")),
              (MountInfo{QStringLiteral("map auto_home"), QStringLiteral("autofs")}));
    // An empty option list gives no file-system type.
    EXPECT_EQ(table.value(QStringLiteral("/Volumes/Empty")), (MountInfo{QStringLiteral("/dev/disk6s1"), std::nullopt}));
    // No " (", or not ending in ")": ignored.
    EXPECT_FALSE(table.contains(QStringLiteral("/Volumes/NoOptions")));
    EXPECT_FALSE(table.contains(QStringLiteral("/Volumes/Odd")));
    EXPECT_EQ(table.size(), 8);
}

TEST(MountTableParser, CutAtTheFirstParenthesisAndLaterLinesWin)
{
    const auto table = parseMounts(QStringLiteral("/dev/disk9 on /Volumes/My (Disk) (apfs, local)\n"
                                                  "/dev/a on /x (apfs)\n/dev/b on /x ( hfs , local)\n"));
    EXPECT_EQ(table.value(QStringLiteral("/Volumes/My")),
              (MountInfo{QStringLiteral("/dev/disk9"), QStringLiteral("Disk) (apfs")}));
    EXPECT_EQ(table.value(QStringLiteral("/x")), (MountInfo{QStringLiteral("/dev/b"), QStringLiteral("hfs")}));
}

// Disk counters ------------------------------------------------------------------------------

TEST(DiskCounterParser, SumsEveryDriver)
{
    EXPECT_EQ(parseDiskByteCounters(fixture(QStringLiteral("ioreg-blockstorage.txt"))), (DiskByteCounters{350, 10}));
    EXPECT_EQ(parseDiskByteCounters(QStringLiteral("\"Bytes (Write)\"=5")), (DiskByteCounters{0, 5}));
    EXPECT_EQ(parseDiskByteCounters(QStringLiteral("\"Operations (Read)\"=5")), std::nullopt);
    // A counter beyond 64 bits is skipped; the others still count.
    EXPECT_EQ(parseDiskByteCounters(QStringLiteral("\"Bytes (Read)\"=99999999999999999999999 \"Bytes (Read)\"=4")),
              (DiskByteCounters{4, 0}));
}

TEST(DiskCounterParser, TransferRate)
{
    EXPECT_DOUBLE_EQ(*diskTransferRateMBs(10485760 + 1000, 1000, 2.0), 5.0);
    EXPECT_EQ(diskTransferRateMBs(2000, 1000, 0.0), std::nullopt);
    EXPECT_EQ(diskTransferRateMBs(2000, 1000, -1.0), std::nullopt);
    EXPECT_EQ(diskTransferRateMBs(2000, 1000, std::nan("")), std::nullopt);
    EXPECT_EQ(diskTransferRateMBs(999, 1000, 1.0), std::nullopt);
}

// Battery ----------------------------------------------------------------------------------------

TEST(BatteryLineParser, RecordedOutputs)
{
    SystemReport::Battery charging;
    charging.percent = 87;
    charging.charging = true;
    charging.status = QStringLiteral("charging");
    charging.timeLeft = QStringLiteral("1:05");
    EXPECT_EQ(parseBatterySnapshot(fixture(QStringLiteral("pmset-batt.txt"))), charging);

    SystemReport::Battery discharging;
    discharging.percent = 99.5;
    discharging.charging = false;
    discharging.status = QStringLiteral("discharging");
    discharging.timeLeft = QStringLiteral("(no estimate)"); // only the bare words mean no estimate
    EXPECT_EQ(parseBatterySnapshot(fixture(QStringLiteral("pmset-batt-discharging.txt"))), discharging);

    EXPECT_EQ(parseBatterySnapshot(fixture(QStringLiteral("pmset-batt-desktop.txt"))), std::nullopt);
}

TEST(BatteryLineParser, Pieces)
{
    struct Case {
        const char* line;
        std::optional<double> percent;
        std::optional<QString> status;
        std::optional<bool> charging;
        std::optional<QString> timeLeft;
    };
    const Case cases[] = {
        {"-InternalBattery-0 (id=1)\t80%", 80.0, std::nullopt, std::nullopt, std::nullopt},
        {"-InternalBattery-0\tx%; charged", std::nullopt, QStringLiteral("charged"), true, std::nullopt},
        {"50%; charging; no estimate", 50.0, QStringLiteral("charging"), true, std::nullopt},
        {"50%; AC\tattached; 0:00 remaining present: true; extra", 50.0, QStringLiteral("AC attached"), false,
         QStringLiteral("0:00")},
        {"50%;  ; 2:10 remaining present: false", 50.0, std::nullopt, std::nullopt, QStringLiteral("2:10")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto battery
            = parseBatterySnapshot(QStringLiteral("Now drawing from 'AC Power'\n") + QString::fromUtf8(c.line));
        ASSERT_TRUE(battery.has_value());
        EXPECT_EQ(battery->percent, c.percent);
        EXPECT_EQ(battery->status, c.status);
        EXPECT_EQ(battery->charging, c.charging);
        EXPECT_EQ(battery->timeLeft, c.timeLeft);
        EXPECT_FALSE(battery->health || battery->cycleCount || battery->capacity);
    }
}

// Sound behaviour: the charge state is compared as a whole, so "discharging" and "not charging"
// (which contain "charging") do not show the battery as charging.
TEST(BatteryLineParser, ChargingIsTheWholeStatus)
{
    const std::pair<const char*, bool> cases[] = {
        {"charging", true},      {"Charging", true},      {"charged", true},           {"discharging", false},
        {"not charging", false}, {"Not Charging", false}, {"finishing charge", false}, {"AC attached", false},
    };
    for (const auto& [status, expected] : cases) {
        SCOPED_TRACE(status);
        EXPECT_EQ(chargingFromStatus(QString::fromUtf8(status)), expected);
    }
    EXPECT_EQ(chargingFromStatus(std::nullopt), std::nullopt);
}

TEST(BatteryDetailsParser, ProfileRegistryAndMerge)
{
    const BatteryDetails profile = parseBatteryDetails(fixture(QStringLiteral("profiler-power.txt")));
    EXPECT_EQ(profile, (BatteryDetails{QStringLiteral("Normal"), 312, 87, std::nullopt}));
    const BatteryDetails registry = parseBatteryDetails(fixture(QStringLiteral("ioreg-smartbattery.txt")));
    EXPECT_EQ(registry, (BatteryDetails{std::nullopt, 320, std::nullopt, 30.12}));

    // Profile first for condition, cycles and capacity; the registry's temperature wins.
    const BatteryDetails profileWithTemperature{QStringLiteral("Normal"), 312, 87, 25.0};
    EXPECT_EQ(mergedBatteryDetails(profileWithTemperature, registry),
              (BatteryDetails{QStringLiteral("Normal"), 312, 87, 30.12}));
    // Without the profile, cycles come from the registry's key; capacity and condition stay absent.
    EXPECT_EQ(mergedBatteryDetails(std::nullopt, registry), registry);
    EXPECT_EQ(mergedBatteryDetails(std::nullopt, std::nullopt), BatteryDetails{});

    // A cycle count too large for 64 bits falls back to the registry key.
    EXPECT_EQ(parseBatteryDetails(QStringLiteral("Cycle Count: 99999999999999999999\n\"CycleCount\" = 7")).cycleCount,
              7);
}

// Hardware profiles --------------------------------------------------------------------------

TEST(ProfilerParser, FirstValueOfAKeyWins)
{
    const auto hardware = parseProfilerValues(fixture(QStringLiteral("profiler-hardware.txt")));
    EXPECT_EQ(hardware.value(QStringLiteral("Model Name")), QStringLiteral("MacBook Pro"));
    EXPECT_EQ(hardware.value(QStringLiteral("Model Identifier")), QStringLiteral("Mac14,9"));
    EXPECT_EQ(hardware.value(QStringLiteral("Chip")), QStringLiteral("Apple M2 Pro"));
    EXPECT_FALSE(hardware.contains(QStringLiteral("Hardware"))); // headings have no value
    EXPECT_EQ(intValue(hardware.value(QStringLiteral("Total Number of Cores"))), 10);

    const auto displays = parseProfilerValues(fixture(QStringLiteral("profiler-displays.txt")));
    EXPECT_EQ(displays.value(QStringLiteral("Chipset Model")), QStringLiteral("Apple M2 Pro"));
    EXPECT_EQ(intValue(displays.value(QStringLiteral("Total Number of Cores"))), 19);

    EXPECT_EQ(parseProfilerValues(QStringLiteral("Boot Time: 12:30:00")).value(QStringLiteral("Boot Time")),
              QStringLiteral("12:30:00"));
}

TEST(ProfilerParser, LeadingInteger)
{
    const std::pair<std::optional<QString>, std::optional<qint64>> cases[] = {
        {QStringLiteral("16"), 16},
        {QStringLiteral("10 (8 performance and 2 efficiency)"), 10},
        {QStringLiteral("x16"), std::nullopt},
        {QString(), std::nullopt},
        {std::nullopt, std::nullopt},
        {QStringLiteral("\u0663"), std::nullopt}, // a numeric character that is no ASCII digit
        {QStringLiteral("99999999999999999999"), std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(intValue(text), expected) << text.value_or(QStringLiteral("<absent>")).toStdString();
}

TEST(ProfilerParser, OperatingSystemVersionDropsAZeroPatch)
{
    EXPECT_EQ(operatingSystemVersionText(14, 4, 0), QStringLiteral("14.4"));
    EXPECT_EQ(operatingSystemVersionText(14, 4, 1), QStringLiteral("14.4.1"));
}

// Proxy --------------------------------------------------------------------------------------

TEST(ProxyParser, FirstEnabledKindWins)
{
    SystemReport::Proxy https;
    https.enabled = true;
    https.type = QStringLiteral("HTTPS");
    https.host = QStringLiteral("secure.example.test");
    EXPECT_EQ(parseProxy(fixture(QStringLiteral("scutil-proxy.txt"))), https);

    const auto socks
        = parseProxy(QStringLiteral("HTTPEnable : 1\nHTTPSEnable : 1\nSOCKSEnable : 1\nSOCKSProxy : 10.0.0.1\n"));
    EXPECT_EQ(socks.type, QStringLiteral("SOCKS"));
    EXPECT_EQ(socks.host, QStringLiteral("10.0.0.1"));

    SystemReport::Proxy off;
    off.enabled = false;
    EXPECT_EQ(parseProxy(QStringLiteral("HTTPEnable : 0\nHTTPSEnable : 0\nSOCKSEnable : 0\n")), off);

    const auto noHost = parseProxy(QStringLiteral("HTTPEnable : 1\n"));
    EXPECT_EQ(noHost.enabled, true);
    EXPECT_EQ(noHost.type, QStringLiteral("HTTP"));
    EXPECT_EQ(noHost.host, std::nullopt);
}
