#include "app/dashboard/overview/DashboardView.h"
#include "tests/app/dashboard/DashboardFixtures.h"

#include <gtest/gtest.h>

using namespace roror;
using namespace roror::test;

namespace {

constexpr auto en = AppResolvedLanguage::english;
constexpr auto zh = AppResolvedLanguage::chinese;

QStringList titles(const QList<StatusCardData>& cards)
{
    QStringList list;
    for (const auto& card : cards)
        list.append(card.title);
    return list;
}

template <typename Body>
Body bodyOf(const StatusCardData& card)
{
    EXPECT_TRUE(std::holds_alternative<Body>(card.customBody)) << card.title.toStdString();
    return std::holds_alternative<Body>(card.customBody) ? std::get<Body>(card.customBody) : Body{};
}

} // namespace

TEST(StatusCards, OrderAndTheOptionalGPUCardInBothLanguages)
{
    const SystemReport full = recordedReport();
    EXPECT_EQ(titles(DashboardView::statusCards(full, {}, en)),
              (QStringList{"CPU", "Memory", "GPU", "Disk", "Power", "Network", "Processes"}));
    EXPECT_EQ(titles(DashboardView::statusCards(full, {}, zh)),
              (QStringList{"CPU", "内存", "GPU", "磁盘", "电源", "网络", "进程"}));

    SystemReport noGpu = full;
    noGpu.gpu.clear();
    EXPECT_EQ(titles(DashboardView::statusCards(noGpu, {}, en)),
              (QStringList{"CPU", "Memory", "Disk", "Power", "Network", "Processes"}));

    // A first GPU with nothing to show hides the card, whatever a second GPU has.
    SystemReport idleGpu = full;
    SystemReport::GPU empty;
    empty.name = QStringLiteral("llvmpipe");
    empty.memoryUsed = 0;
    empty.memoryTotal = 0;
    idleGpu.gpu = {empty, full.gpu.first()};
    EXPECT_EQ(DashboardView::statusCards(idleGpu, {}, en).size(), 6);

    // Memory figures alone are enough.
    SystemReport vramOnly = idleGpu;
    vramOnly.gpu.first().memoryTotal = 512;
    ASSERT_TRUE(DashboardView::gpuCard(vramOnly, en));
    EXPECT_EQ(DashboardView::gpuCard(vramOnly, en)->systemImage, QStringLiteral("cpu.fill"));

    EXPECT_TRUE(DashboardView::statusCards(std::nullopt, {}, en).isEmpty());
}

TEST(StatusCards, EverySnapshotFieldAbsentGivesTheFallbacks)
{
    const SystemReport bare;
    const QList<StatusCardData> cards = DashboardView::statusCards(bare, {}, en);
    ASSERT_EQ(titles(cards), (QStringList{"CPU", "Memory", "Disk", "Power", "Network", "Processes"}));

    const auto cpu = bodyOf<CPUVisualBody>(cards[0]);
    EXPECT_EQ(cpu.usage, std::nullopt);
    EXPECT_TRUE(cpu.cores.isEmpty());
    EXPECT_FALSE(cpu.coresEstimated);
    EXPECT_EQ(cpu.loadText, QStringLiteral("Core count unknown"));
    EXPECT_EQ(cpu.percentText(), QStringLiteral("Unknown"));
    EXPECT_EQ(cpu.columns, 4);

    const auto memory = bodyOf<MemoryVisualBody>(cards[1]);
    EXPECT_EQ(memory.usedPercent, 0.0);
    EXPECT_EQ(memory.swapPercent, std::nullopt);
    EXPECT_EQ(memory.availBytes, std::nullopt);

    EXPECT_FALSE(cards[2].hasCustomBody());
    ASSERT_EQ(cards[2].rows.size(), 1);
    EXPECT_EQ(cards[2].rows[0].label, QStringLiteral("Disk"));
    EXPECT_EQ(cards[2].rows[0].value, QStringLiteral("No data"));

    EXPECT_EQ(cards[3].systemImage, QStringLiteral("battery.100percent"));
    ASSERT_EQ(cards[3].rows.size(), 1);
    EXPECT_EQ(cards[3].rows[0].value, QStringLiteral("No battery"));

    const auto network = bodyOf<NetworkVisualBody>(cards[4]);
    EXPECT_EQ(network.downRate, 0.0);
    EXPECT_TRUE(network.rxHistory.isEmpty());
    EXPECT_TRUE(cards[4].rows.isEmpty());

    EXPECT_FALSE(cards[5].hasCustomBody());
    ASSERT_EQ(cards[5].rows.size(), 1);
    EXPECT_EQ(cards[5].rows[0].label, QStringLiteral("Status"));
    EXPECT_EQ(cards[5].rows[0].value, QStringLiteral("No data"));

    const auto chineseCards = DashboardView::statusCards(bare, {}, zh);
    EXPECT_EQ(bodyOf<CPUVisualBody>(chineseCards[0]).loadText, QStringLiteral("核心数未知"));
    EXPECT_EQ(chineseCards[2].rows[0].value, QStringLiteral("没有数据"));
    EXPECT_EQ(chineseCards[3].rows[0].label, QStringLiteral("状态"));
    EXPECT_EQ(chineseCards[3].rows[0].value, QStringLiteral("没有电池"));
}

TEST(StatusCards, LoadLine)
{
    const auto make = [](std::optional<double> l1, std::optional<double> l5, std::optional<double> l15,
                         std::optional<QList<double>> average, std::optional<qint64> p, std::optional<qint64> e,
                         std::optional<qint64> logical) {
        SystemReport::CPU cpu;
        cpu.load1 = l1;
        cpu.load5 = l5;
        cpu.load15 = l15;
        cpu.loadAverage = average;
        cpu.pCoreCount = p;
        cpu.eCoreCount = e;
        cpu.logicalCPU = logical;
        return std::optional<SystemReport::CPU>(cpu);
    };
    struct Case {
        std::optional<SystemReport::CPU> cpu;
        QString english;
        QString chinese;
    };
    const Case cases[] = {
        {make(1.5, std::nullopt, 0.25, std::nullopt, std::nullopt, std::nullopt, 8), "1.50 / 0.25, 8 cores",
         "1.50 / 0.25, 8 个核心"},
        {make(std::nullopt, std::nullopt, std::nullopt, QList<double>{1, 2, 3}, std::nullopt, std::nullopt,
              std::nullopt),
         "1.00 / 2.00 / 3.00, Core count unknown", "1.00 / 2.00 / 3.00, 核心数未知"},
        // The load fields win over the list.
        {make(0.5, std::nullopt, std::nullopt, QList<double>{9, 9, 9}, 8, 4, 12), "0.50, 8P+4E", "0.50, 8P+4E"},
        {make(std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0, 0, 8), "8 cores", "8 个核心"},
        {make(std::nullopt, std::nullopt, std::nullopt, std::nullopt, 8, std::nullopt, 12), "12 cores", "12 个核心"},
        {make(std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0, 4, std::nullopt), "0P+4E", "0P+4E"},
        {make(std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt),
         "Core count unknown", "核心数未知"},
        {std::nullopt, "Core count unknown", "核心数未知"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DashboardView::loadText(c.cpu, en), c.english);
        EXPECT_EQ(DashboardView::loadText(c.cpu, zh), c.chinese);
    }
}

TEST(StatusCards, MemoryCardFigures)
{
    SystemReport r;
    SystemReport::Memory m;
    m.total = 8'000'000'000;
    m.used = 9'000'000'000; // more than total: no negative free space
    m.usedPercent = 112.5;
    m.swapTotal = 2'000'000'000;
    m.cached = 0;
    m.pressure = QStringLiteral("warn");
    r.memory = m;
    auto body = bodyOf<MemoryVisualBody>(DashboardView::memoryCard(r, en));
    EXPECT_EQ(body.usedPercent, 112.5);
    EXPECT_EQ(body.swapPercent, 0.0); // swap used absent counts 0
    EXPECT_EQ(body.availBytes, 0);
    EXPECT_EQ(body.pressure, QStringLiteral("warn"));

    r.memory->swapUsed = 500'000'000;
    EXPECT_EQ(bodyOf<MemoryVisualBody>(DashboardView::memoryCard(r, en)).swapPercent, 25.0);
    r.memory->swapTotal = 0;
    EXPECT_EQ(bodyOf<MemoryVisualBody>(DashboardView::memoryCard(r, en)).swapPercent, std::nullopt);
    EXPECT_EQ(DashboardView::memoryCard(r, zh).title, QStringLiteral("内存"));
}

TEST(StatusCards, GPUCardTakesTheFirstGPUAndTheGPUTemperature)
{
    SystemReport r;
    SystemReport::GPU g;
    g.name = QStringLiteral("Radeon");
    g.usage = 12;
    g.coreCount = 16;
    g.note = QStringLiteral("estimated");
    r.gpu = {g};
    SystemReport::Thermal t;
    t.gpuTemp = 51.25;
    r.thermal = t;
    const auto card = DashboardView::gpuCard(r, en);
    ASSERT_TRUE(card);
    const auto body = bodyOf<GPUVisualBody>(*card);
    EXPECT_EQ(body.name, QStringLiteral("Radeon"));
    EXPECT_EQ(body.temperature, 51.25);
    EXPECT_EQ(body.coreCount, 16);
    EXPECT_EQ(body.note, QStringLiteral("estimated"));
    EXPECT_EQ(body.headerLine(), QStringLiteral("Radeon · 16 cores · 51.2°C"));
    EXPECT_TRUE(card->rows.isEmpty());
}

TEST(StatusCards, DiskItemsInternalFirstWithTheirTexts)
{
    SystemReport r;
    SystemReport::Disk a = disk(QStringLiteral("/"), QStringLiteral("/"), 500'000'000'000, 200'000'000'000, 40.0);
    a.fstype = QStringLiteral("ext4");
    a.device = QStringLiteral("/dev/sda2");
    SystemReport::Disk ext
        = disk(QStringLiteral("USB"), QStringLiteral("/media/usb"), std::nullopt, 1'000'000'000, std::nullopt, true);
    SystemReport::Disk b = disk(QString(), QStringLiteral("/data"), 100'000'000'000, 150'000'000'000, 150.0);
    r.disks = QList<SystemReport::Disk>{a, ext, b};
    r.diskIO = SystemReport::DiskIO{std::nullopt, 3.0};

    const StatusCardData card = DashboardView::diskCard(r, en);
    EXPECT_EQ(card.systemImage, QStringLiteral("internaldrive"));
    EXPECT_TRUE(card.rows.isEmpty());
    const auto body = bodyOf<DiskVisualBody>(card);
    ASSERT_EQ(body.disks.size(), 3);
    const auto& i0 = body.disks[0];
    const auto& i1 = body.disks[1];
    const auto& e0 = body.disks[2];
    EXPECT_EQ(i0.id, QStringLiteral("INTR-0-/"));
    EXPECT_EQ(i1.id, QStringLiteral("INTR-1-/data"));
    EXPECT_EQ(e0.id, QStringLiteral("EXTR-0-/media/usb"));
    EXPECT_EQ(i0.label, QStringLiteral("INTR1"));
    EXPECT_EQ(i1.label, QStringLiteral("INTR2"));
    EXPECT_EQ(e0.label, QStringLiteral("EXTR"));
    EXPECT_EQ(i0.volumeName, std::nullopt); // equal to its mount point
    EXPECT_EQ(i0.displayName(), QStringLiteral("INTR1"));
    EXPECT_EQ(i1.volumeName, std::nullopt); // empty
    EXPECT_EQ(e0.volumeName, QStringLiteral("USB"));
    EXPECT_EQ(i0.usedText, QStringLiteral("200 GB"));
    EXPECT_EQ(i0.freeText, QStringLiteral("300 GB"));
    EXPECT_EQ(i0.totalText, QStringLiteral("500 GB"));
    EXPECT_EQ(i0.detail, QStringLiteral("EXT4 · /"));
    EXPECT_EQ(i0.deviceText, QStringLiteral("/dev/sda2"));
    EXPECT_EQ(i1.freeText, QStringLiteral("0 KB")); // used beyond total
    EXPECT_EQ(i1.detail, QStringLiteral("/data"));
    EXPECT_EQ(e0.totalText, std::nullopt);
    EXPECT_EQ(e0.freeText, QStringLiteral("Unknown"));
    EXPECT_TRUE(e0.isExternal);
    EXPECT_FALSE(i0.isExternal);
    EXPECT_EQ(e0.percent, std::nullopt);
    EXPECT_EQ(body.readRate, std::nullopt);
    EXPECT_EQ(body.writeRate, 3.0);
    EXPECT_TRUE(body.readHistory.isEmpty());

    const auto chinese = bodyOf<DiskVisualBody>(DashboardView::diskCard(r, zh));
    EXPECT_EQ(chinese.disks[2].freeText, QStringLiteral("未知"));

    SystemReport noDetail;
    noDetail.disks = QList<SystemReport::Disk>{disk(std::nullopt, std::nullopt, 1000, 10, 1.0)};
    const auto lone = DashboardView::mapDiskItems(QStringLiteral("INTR"), *noDetail.disks, en);
    EXPECT_EQ(lone[0].id, QStringLiteral("INTR-0-"));
    EXPECT_EQ(lone[0].label, QStringLiteral("INTR"));
    EXPECT_EQ(lone[0].detail, std::nullopt);
}

TEST(StatusCards, PowerCardChipsAndTexts)
{
    struct Case {
        qint64 capacity;
        QString health;
        ThemeTone tint;
    };
    const Case cases[] = {
        {59, "Poor", ThemeTone::danger},  {60, "Poor", ThemeTone::amber},   {69, "Poor", ThemeTone::amber},
        {70, "Fair", ThemeTone::amber},   {75, "Fair", ThemeTone::amber},   {79, "Fair", ThemeTone::amber},
        {80, "Fair", ThemeTone::success}, {82, "Fair", ThemeTone::success}, {84, "Fair", ThemeTone::success},
        {85, "Good", ThemeTone::success},
    };
    for (const Case& c : cases) {
        SystemReport r;
        SystemReport::Battery b;
        b.capacity = c.capacity;
        r.batteries = {b};
        const auto body = bodyOf<PowerVisualBody>(DashboardView::powerCard(r, en));
        ASSERT_EQ(body.chips.size(), 1) << c.capacity;
        EXPECT_EQ(body.chips[0].icon, QStringLiteral("heart.fill"));
        EXPECT_EQ(body.chips[0].text, c.health + QStringLiteral(" · ") + QString::number(c.capacity) + "%");
        EXPECT_EQ(body.chips[0].tint, c.tint) << c.capacity;
    }

    SystemReport r;
    SystemReport::Battery b;
    b.health = QStringLiteral("Normal");
    b.cycleCount = 0;
    b.percent = 12.0;
    b.charging = true;
    r.batteries = {b};
    SystemReport::Thermal t;
    t.batteryTemp = 30.25;
    t.fanSpeed = 2400;
    t.systemPower = 12.46;
    t.adapterPower = 30;
    t.batteryPower = -12;
    r.thermal = t;
    const StatusCardData card = DashboardView::powerCard(r, en);
    EXPECT_EQ(card.systemImage, QStringLiteral("bolt.batteryblock"));
    EXPECT_TRUE(card.rows.isEmpty());
    const auto body = bodyOf<PowerVisualBody>(card);
    ASSERT_EQ(body.chips.size(), 4);
    EXPECT_EQ(body.chips[0], (PowerVisualBody::Chip{"heart.fill", "Normal", ThemeTone::muted}));
    EXPECT_EQ(body.chips[1], (PowerVisualBody::Chip{"arrow.triangle.2.circlepath", "0 cycles", ThemeTone::muted}));
    EXPECT_EQ(body.chips[2], (PowerVisualBody::Chip{"thermometer.medium", "30.2°C", ThemeTone::muted}));
    EXPECT_EQ(body.chips[3], (PowerVisualBody::Chip{"fan", "2400 RPM", ThemeTone::muted}));
    EXPECT_EQ(body.statusText, QStringLiteral("Charging · 12.5W"));
    EXPECT_TRUE(body.isCharging);
    EXPECT_EQ(body.percent, 12.0);
    EXPECT_EQ(body.adapterPower, 30.0);
    EXPECT_EQ(body.batteryPower, -12.0);

    const auto chinese = bodyOf<PowerVisualBody>(DashboardView::powerCard(r, zh));
    EXPECT_EQ(chinese.chips[1].text, QStringLiteral("0 次"));
    EXPECT_EQ(chinese.statusText, QStringLiteral("充电中 · 12.5W"));
}

TEST(StatusCards, BatteryStatusAndHealthTexts)
{
    SystemReport::Battery b;
    EXPECT_EQ(DashboardView::batteryStatusText(b, std::nullopt, en), QStringLiteral("Unknown"));
    EXPECT_EQ(DashboardView::batteryStatusText(b, std::nullopt, zh), QStringLiteral("未知"));
    EXPECT_EQ(DashboardView::batteryHealthText(b, en), std::nullopt);

    b.status = QStringLiteral("Discharging");
    b.charging = true; // the reported status wins
    b.timeLeft = QStringLiteral("2:10 remaining");
    SystemReport::Thermal t;
    t.systemPower = 0; // not greater than 0: left out
    EXPECT_EQ(DashboardView::batteryStatusText(b, t, en), QStringLiteral("Discharging · 2:10 remaining"));

    b.status = QString();
    b.timeLeft = QString();
    t.systemPower = 7.05;
    EXPECT_EQ(DashboardView::batteryStatusText(b, t, en), QStringLiteral("Charging · 7.0W"));

    b.capacity = 90;
    b.health = QStringLiteral("ignored once a capacity is known");
    EXPECT_EQ(DashboardView::batteryHealthText(b, zh), QStringLiteral("良好"));
    b.capacity = 84;
    EXPECT_EQ(DashboardView::batteryHealthText(b, zh), QStringLiteral("一般"));
    b.capacity = 10;
    EXPECT_EQ(DashboardView::batteryHealthText(b, zh), QStringLiteral("较差"));
}

TEST(StatusCards, NetworkRatesAddressAndProxy)
{
    SystemReport r;
    SystemReport::Network lo;
    lo.down = 0.5; // no per-second rate: the plain figure counts
    lo.up = 0.25;
    SystemReport::Network eth;
    eth.name = QStringLiteral("eth0");
    eth.rxRateMBs = 2.0;
    eth.down = 100; // the rate wins
    eth.ip = QStringLiteral("10.0.0.2");
    SystemReport::Network wlan;
    wlan.ip = QStringLiteral("10.0.0.3");
    r.network = QList<SystemReport::Network>{lo, eth, wlan};
    r.networkHistory = SystemReport::NetworkHistory{QList<double>{1, 2}, std::nullopt};

    StatusCardData card = DashboardView::networkCard(r, en);
    const auto body = bodyOf<NetworkVisualBody>(card);
    EXPECT_EQ(body.downRate, 2.5);
    EXPECT_EQ(body.upRate, 0.25);
    EXPECT_EQ(body.rxHistory, (QList<double>{1, 2}));
    EXPECT_TRUE(body.txHistory.isEmpty());
    ASSERT_EQ(card.rows.size(), 1);
    EXPECT_EQ(card.rows[0].label, QStringLiteral("eth0"));
    EXPECT_EQ(card.rows[0].value, QStringLiteral("10.0.0.2"));
    EXPECT_EQ(card.rows[0].percent, std::nullopt);

    r.network = QList<SystemReport::Network>{wlan};
    r.proxy = SystemReport::Proxy{true, QStringLiteral("SOCKS"), QStringLiteral("127.0.0.1:1080")};
    card = DashboardView::networkCard(r, zh);
    EXPECT_EQ(card.title, QStringLiteral("网络"));
    ASSERT_EQ(card.rows.size(), 2);
    EXPECT_EQ(card.rows[0].label, QStringLiteral("Proxy"));
    EXPECT_EQ(card.rows[0].value, QStringLiteral("SOCKS · 127.0.0.1:1080"));
    EXPECT_EQ(card.rows[1].label, QStringLiteral("IP"));

    struct ProxyCase {
        std::optional<SystemReport::Proxy> proxy;
        std::optional<QString> text;
    };
    const ProxyCase proxies[] = {
        {std::nullopt, std::nullopt},
        {SystemReport::Proxy{std::nullopt, QStringLiteral("HTTP"), QStringLiteral("h")}, std::nullopt},
        {SystemReport::Proxy{false, QStringLiteral("HTTP"), QStringLiteral("h")}, std::nullopt},
        {SystemReport::Proxy{true, std::nullopt, QString()}, QString()},
        {SystemReport::Proxy{true, QString(), QStringLiteral("h:1")}, QStringLiteral("h:1")},
    };
    for (const ProxyCase& c : proxies) {
        SystemReport report;
        report.proxy = c.proxy;
        EXPECT_EQ(DashboardView::proxyText(report), c.text);
    }
    // An enabled proxy with nothing to say gives no row.
    SystemReport silent;
    silent.proxy = SystemReport::Proxy{true, std::nullopt, std::nullopt};
    EXPECT_TRUE(DashboardView::networkCard(silent, en).rows.isEmpty());
}

TEST(StatusCards, ProcessesCardTakesTheTopThreeByCPU)
{
    SystemReport r;
    r.procs = 7;
    r.topProcesses = {proc(1, QStringLiteral("ignored while the model has a list"), 99.0)};
    const QList<SystemReport::ProcessInfo> usage{
        proc(10, QStringLiteral("a"), 5.0), proc(11, QStringLiteral("b"), 20.0), proc(12, QStringLiteral("c"), 5.0),
        proc(13, QStringLiteral("d"), 5.0), proc(14, std::nullopt, 50.0)};

    StatusCardData card = DashboardView::processCard(r, usage, en);
    EXPECT_EQ(card.systemImage, QStringLiteral("list.bullet.rectangle"));
    ASSERT_EQ(card.rows.size(), 1);
    EXPECT_EQ(card.rows[0].label, QStringLiteral("Total"));
    EXPECT_EQ(card.rows[0].value, QStringLiteral("7"));
    auto body = bodyOf<ProcessVisualBody>(card);
    ASSERT_EQ(body.rows.size(), 3);
    EXPECT_EQ(body.rows[0].label, QStringLiteral("Process"));
    EXPECT_EQ(body.rows[0].value, QStringLiteral("50.0%"));
    EXPECT_EQ(body.rows[1].label, QStringLiteral("b"));
    EXPECT_EQ(body.rows[2].label, QStringLiteral("a")); // equal figures keep their order
    EXPECT_EQ(body.rows[2].percent, 5.0);

    // Without the model's list the report's top processes count; one without a CPU figure is a
    // plain row reading Unknown.
    r.topProcesses = {proc(1, QStringLiteral("x")), proc(2, QStringLiteral("y"), 1.0)};
    card = DashboardView::processCard(r, {}, zh);
    EXPECT_EQ(card.title, QStringLiteral("进程"));
    ASSERT_EQ(card.rows.size(), 2);
    EXPECT_EQ(card.rows[0].label, QStringLiteral("总数"));
    EXPECT_EQ(card.rows[1].label, QStringLiteral("x"));
    EXPECT_EQ(card.rows[1].value, QStringLiteral("未知"));
    body = bodyOf<ProcessVisualBody>(card);
    ASSERT_EQ(body.rows.size(), 1);
    EXPECT_EQ(body.rows[0].label, QStringLiteral("y"));

    // A known total and no processes: the Total row under an empty drawing.
    r.topProcesses.clear();
    card = DashboardView::processCard(r, {}, en);
    ASSERT_EQ(card.rows.size(), 1);
    EXPECT_TRUE(card.hasCustomBody());
    EXPECT_TRUE(bodyOf<ProcessVisualBody>(card).rows.isEmpty());
}

TEST(StatusCards, HostSummaryAndFreeDiskText)
{
    const SystemReport full = recordedReport();
    EXPECT_EQ(DashboardView::hostSummary(full, en, "ignored"),
              QStringLiteral("ThinkPad X1 Carbon · Intel Core i7-1365U · 32 GB / 1 TB · Debian GNU/Linux 12"));
    EXPECT_EQ(DashboardView::availableDiskText(full, en), QStringLiteral("Available 88 GB"));
    EXPECT_EQ(DashboardView::availableDiskText(full, zh), QStringLiteral("可用 88 GB"));

    struct Case {
        std::optional<SystemReport> report;
        QString english;
        QString chinese;
    };
    SystemReport hostOnly;
    hostOnly.host = QStringLiteral("box");
    SystemReport figures;
    SystemReport::Memory m;
    m.total = 16'000'000'000;
    figures.memory = m;
    SystemReport::Hardware emptyModel;
    emptyModel.model = QString(); // present though empty: it still wins over the host
    emptyModel.cpuModel = QStringLiteral("Ryzen 7");
    emptyModel.osVersion = QString();
    SystemReport modelled;
    modelled.host = QStringLiteral("box");
    modelled.hardware = emptyModel;
    SystemReport::GPU gpu;
    gpu.coreCount = 8;
    modelled.gpu = {gpu};
    modelled.disks = QList<SystemReport::Disk>{disk(std::nullopt, QStringLiteral("/"), 256'000'000'000, 1, 0.0)};
    const Case cases[] = {
        {std::nullopt, "laptop", "laptop"},
        {hostOnly, "box", "box"},
        {SystemReport(), "This Mac", "这台 Mac"},
        {figures, "This Mac · 16 GB / Unknown", "这台 Mac · 16 GB / 未知"},
        {modelled, " · Ryzen 7, 8GPU · Unknown / 256 GB", " · Ryzen 7, 8GPU · 未知 / 256 GB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DashboardView::hostSummary(c.report, en, "laptop"), c.english);
        EXPECT_EQ(DashboardView::hostSummary(c.report, zh, "laptop"), c.chinese);
    }
    EXPECT_EQ(DashboardView::hostSummary(std::nullopt, zh, QString()), QStringLiteral("这台 Mac"));

    // The probes' decorated host: its own name only, the rest is said once.
    SystemReport decorated = modelled;
    decorated.hardware->model.reset();
    decorated.host = QStringLiteral("vm · Ryzen 7 · 32 GB/256 GB · Debian GNU/Linux 12");
    EXPECT_EQ(DashboardView::hostSummary(decorated, en, "laptop"),
              QStringLiteral("vm · Ryzen 7, 8GPU · Unknown / 256 GB"));

    SystemReport noUsed;
    noUsed.disks = QList<SystemReport::Disk>{disk(std::nullopt, QStringLiteral("/"), 100, std::nullopt, std::nullopt)};
    EXPECT_EQ(DashboardView::availableDiskText(noUsed, en), std::nullopt);
    EXPECT_EQ(DashboardView::availableDiskText(SystemReport(), en), std::nullopt);
    EXPECT_EQ(DashboardView::availableDiskText(std::nullopt, en), std::nullopt);
    SystemReport overfull;
    overfull.disks = QList<SystemReport::Disk>{disk(std::nullopt, QStringLiteral("/"), 100, 200, 200.0)};
    EXPECT_EQ(DashboardView::availableDiskText(overfull, en), QStringLiteral("Available 0 KB"));
}

TEST(StatusCards, HardwareChipText)
{
    SystemReport r;
    EXPECT_EQ(DashboardView::hardwareChipText(r), std::nullopt);
    SystemReport::Hardware hw;
    hw.cpuModel = QString();
    r.hardware = hw;
    EXPECT_EQ(DashboardView::hardwareChipText(r), std::nullopt);
    r.hardware->cpuModel = QStringLiteral("Xeon");
    EXPECT_EQ(DashboardView::hardwareChipText(r), QStringLiteral("Xeon"));
    SystemReport::GPU g;
    g.coreCount = 0;
    r.gpu = {g};
    EXPECT_EQ(DashboardView::hardwareChipText(r), QStringLiteral("Xeon"));
    r.gpu[0].coreCount = 10;
    EXPECT_EQ(DashboardView::hardwareChipText(r), QStringLiteral("Xeon, 10GPU"));
}

TEST(StatusCards, ForceQuitMessage)
{
    EXPECT_EQ(DashboardView::forceQuitMessage(QStringLiteral("Editor"), en),
              QStringLiteral("Editor will be ended immediately. Any unsaved work will be lost."));
    EXPECT_EQ(DashboardView::forceQuitMessage(QStringLiteral("Editor"), zh),
              QStringLiteral("将立即结束 Editor。未保存的内容会丢失。"));
    EXPECT_EQ(DashboardView::forceQuitMessage(std::nullopt, en),
              QStringLiteral("this process will be ended immediately. Any unsaved work will be lost."));
    EXPECT_EQ(DashboardView::forceQuitMessage(std::nullopt, zh),
              QStringLiteral("将立即结束 这个进程。未保存的内容会丢失。"));
}

TEST(StatusCards, GridColumns)
{
    const std::pair<double, int> cases[] = {{0, 1}, {247, 1}, {507, 1}, {508, 2}, {767, 2}, {768, 3}, {1028, 4}};
    for (const auto& [width, columns] : cases)
        EXPECT_EQ(DashboardView::gridColumnCount(width), columns) << width;
}
