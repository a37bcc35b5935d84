#include "core/model/AnalysisReport.h"
#include "core/model/SystemReport.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace roror;

namespace {

using Battery = SystemReport::Battery;

SystemReport reportWith(QList<Battery> batteries, std::optional<Battery> battery)
{
    return SystemReport(QStringLiteral("mac"), QStringLiteral("darwin 23.0"), 90, QStringLiteral("Good"),
                        QStringLiteral("1d"), 86400, 300, SystemReport::Hardware{}, SystemReport::CPU(), {},
                        SystemReport::Memory{}, QList<SystemReport::Disk>{}, 0, false, SystemReport::DiskIO{},
                        SystemReport::DiskIOHistory{}, std::nullopt, std::nullopt, std::nullopt, std::move(batteries),
                        std::move(battery), SystemReport::Thermal{}, {});
}

Battery battery(double percent)
{
    return Battery{.percent = percent};
}

} // namespace

TEST(SystemReport, BatteryRuleOfTheConstructor)
{
    const Battery a = battery(10), b = battery(20), c = battery(30);
    const struct {
        const char* name;
        QList<Battery> batteries;
        std::optional<Battery> battery;
        QList<Battery> stored;
    } cases[] = {
        {"none", {}, std::nullopt, {}},
        {"single only", {}, b, {b}},
        {"list wins", {a, c}, b, {a, c}},
        {"list alone", {a}, std::nullopt, {a}},
    };
    for (const auto& t : cases) {
        const SystemReport report = reportWith(t.batteries, t.battery);
        EXPECT_EQ(report.batteries, t.stored) << t.name;
        EXPECT_EQ(report.battery(), t.stored.isEmpty() ? std::nullopt : std::optional(t.stored.first())) << t.name;
    }
    // The dropped single battery plays no part in equality.
    EXPECT_EQ(reportWith({a}, b), reportWith({a}, c));
    EXPECT_EQ(reportWith({a}, std::nullopt), reportWith({}, a));
    // Every other argument is stored as given.
    const SystemReport r = reportWith({}, std::nullopt);
    EXPECT_EQ(r.healthScore, 90);
    EXPECT_EQ(r.disks, QList<SystemReport::Disk>{});
    EXPECT_EQ(r.network, std::nullopt);
}

TEST(SystemReport, LoadAverageRuleOfTheCPUConstructor)
{
    const auto cpu = [](std::optional<double> l1, std::optional<double> l5, std::optional<double> l15,
                        std::optional<QList<double>> average) {
        return SystemReport::CPU(std::nullopt, std::nullopt, std::nullopt, l1, l5, l15, std::nullopt, std::nullopt,
                                 average, std::nullopt, std::nullopt);
    };
    EXPECT_EQ(cpu(1.5, std::nullopt, 0.5, std::nullopt).loadAverage, (QList<double>{1.5, 0.5}));
    EXPECT_EQ(cpu(std::nullopt, std::nullopt, std::nullopt, std::nullopt).loadAverage, QList<double>{});
    EXPECT_EQ(cpu(1, 2, 3, QList<double>{9.0}).loadAverage, QList<double>{9.0});
    EXPECT_EQ(cpu(1, 2, 3, QList<double>{}).loadAverage, QList<double>{});
    EXPECT_EQ(cpu(1, 2, 3, std::nullopt).loadAverage, (QList<double>{1, 2, 3}));
    // The field-by-field form leaves it absent.
    EXPECT_EQ(SystemReport::CPU().loadAverage, std::nullopt);
}

TEST(SystemReport, DiskConstructorTakesDeviceAfterUsedPercent)
{
    const SystemReport::Disk disk(QStringLiteral("Macintosh HD"), QStringLiteral("/"), 100, 40, 40.0,
                                  QStringLiteral("/dev/disk1"), QStringLiteral("apfs"), false);
    EXPECT_EQ(disk.name, QStringLiteral("Macintosh HD"));
    EXPECT_EQ(disk.mount, QStringLiteral("/"));
    EXPECT_EQ(disk.device, QStringLiteral("/dev/disk1"));
    EXPECT_EQ(disk.total, 100);
    EXPECT_EQ(disk.used, 40);
    EXPECT_EQ(disk.usedPercent, 40.0);
    EXPECT_EQ(disk.fstype, QStringLiteral("apfs"));
    EXPECT_EQ(disk.external, false);
}

TEST(SystemReport, ComputedIdentities)
{
    SystemReport::Disk disk;
    disk.name = QStringLiteral("Data");
    disk.device = QStringLiteral("/dev/disk3");
    EXPECT_EQ(disk.id(), QStringLiteral("/dev/disk3"));
    disk.mount = QStringLiteral("");
    EXPECT_EQ(disk.id(), QString()); // present though empty
    disk.mount.reset();
    disk.device.reset();
    EXPECT_EQ(disk.id(), QStringLiteral("Data"));
    EXPECT_NE(SystemReport::Disk().id(), SystemReport::Disk().id());
    EXPECT_FALSE(SystemReport::Disk().id().isEmpty());

    SystemReport::ProcessInfo process;
    EXPECT_EQ(process.id(), 0);
    process.name = QStringLiteral("launchd");
    EXPECT_EQ(process.id(), process.id());
    EXPECT_EQ(process.id(), static_cast<qint64>(qHash(QStringLiteral("launchd"))));
    process.pid = 42;
    EXPECT_EQ(process.id(), 42);
    process.name.reset();
    EXPECT_EQ(process.id(), 42);

    AnalysisReport::Entry entry{.name = QStringLiteral("a"), .path = QStringLiteral("/x/a")};
    EXPECT_EQ(entry.id(), QStringLiteral("/x/a"));
    entry.path.reset();
    EXPECT_EQ(entry.id(), QStringLiteral("a"));
    EXPECT_NE(AnalysisReport::Entry().id(), AnalysisReport::Entry().id());
}

TEST(SystemReport, EqualityRules)
{
    const QString composed = QStringLiteral("caf\u00e9");
    const QString decomposed = QStringLiteral("cafe\u0301");
    ASSERT_NE(composed, decomposed);

    SystemReport a;
    SystemReport b;
    EXPECT_EQ(a, b);

    // Texts under canonical equivalence, at any depth.
    a.host = composed;
    b.host = decomposed;
    EXPECT_EQ(a, b);
    a.topProcesses = {SystemReport::ProcessInfo{.name = composed}};
    b.topProcesses = {SystemReport::ProcessInfo{.name = decomposed}};
    EXPECT_EQ(a, b);
    b.topProcesses.first().name = QStringLiteral("Cafe\u0301");
    EXPECT_NE(a, b);
    b.topProcesses = a.topProcesses;

    // Floating-point numerically: 0.0 equals -0.0.
    a.cpu = SystemReport::CPU();
    b.cpu = SystemReport::CPU();
    a.cpu->usage = 0.0;
    b.cpu->usage = -0.0;
    a.cpu->perCore = QList<double>{0.0, 1.0};
    b.cpu->perCore = QList<double>{-0.0, 1.0};
    EXPECT_EQ(a, b);

    // Absent differs from present, an absent list from an empty one.
    a.disks = QList<SystemReport::Disk>{};
    EXPECT_NE(a, b);
    b.disks = QList<SystemReport::Disk>{};
    EXPECT_EQ(a, b);
    a.cpu->loadAverage = QList<double>{};
    EXPECT_NE(a, b);
    b.cpu->loadAverage = QList<double>{};
    a.hardware = SystemReport::Hardware{};
    EXPECT_NE(a, b);
    b.hardware = SystemReport::Hardware{.model = QString()};
    EXPECT_NE(a, b);
    a.hardware->model = QString();
    EXPECT_EQ(a, b);

    // Order in lists counts.
    a.gpu = {SystemReport::GPU{.name = QStringLiteral("x")}, SystemReport::GPU{.name = QStringLiteral("y")}};
    b.gpu = {SystemReport::GPU{.name = QStringLiteral("y")}, SystemReport::GPU{.name = QStringLiteral("x")}};
    EXPECT_NE(a, b);
}

TEST(AnalysisReport, EqualityAndFields)
{
    const AnalysisReport empty1{.path = QStringLiteral("/x"), .overview = false};
    const AnalysisReport empty2{.path = QStringLiteral("/x"), .overview = false};
    EXPECT_EQ(empty1, empty2);
    EXPECT_EQ(empty1.totalSize, std::nullopt);

    AnalysisReport a = empty1;
    a.entries = {AnalysisReport::Entry{.name = QStringLiteral("\u00c5"), .size = 1}};
    AnalysisReport b = empty1;
    b.entries = {AnalysisReport::Entry{.name = QStringLiteral("A\u030a"), .size = 1}};
    EXPECT_EQ(a, b);
    b.entries.first().isDirectory = false;
    EXPECT_NE(a, b);
    b = a;
    b.largeFiles = a.entries;
    EXPECT_NE(a, b);
}

TEST(ReportKeys, KeySetsInOrder)
{
    EXPECT_EQ(SystemReport::codingKeys().size(), 23);
    EXPECT_EQ(SystemReport::codingKeys().indexOf(QStringLiteral("battery")), 16);
    EXPECT_EQ(SystemReport::codingKeys().indexOf(QStringLiteral("batteries")), 17);
    EXPECT_EQ(SystemReport::codingKeys().indexOf(QStringLiteral("network")), 18);
    EXPECT_EQ(SystemReport::CPU::codingKeys().size(), 11);
    EXPECT_EQ(SystemReport::Disk::codingKeys().at(2), QStringLiteral("device"));
    EXPECT_EQ(AnalysisReport::codingKeys(),
              (QStringList{"path", "overview", "entries", "large_files", "total_size", "total_files"}));
    EXPECT_EQ(AnalysisReport::Entry::codingKeys(), (QStringList{"name", "path", "size", "is_dir"}));
}
