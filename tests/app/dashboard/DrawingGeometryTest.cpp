#include "app/dashboard/cards/StatusCardData.h"
#include "tests/app/dashboard/DashboardFixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace roror;

namespace {
constexpr auto en = AppResolvedLanguage::english;
constexpr auto zh = AppResolvedLanguage::chinese;
const double notANumber = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(LoadColorRule, ThresholdsExplicitColourAndBarFraction)
{
    const std::pair<std::optional<double>, ThemeTone> tones[] = {
        {88.0, ThemeTone::danger},   {87.9, ThemeTone::amber},         {70.0, ThemeTone::amber},
        {69.99, ThemeTone::success}, {0.0, ThemeTone::success},        {120.0, ThemeTone::danger},
        {-5.0, ThemeTone::success},  {notANumber, ThemeTone::success}, {std::nullopt, ThemeTone::quiet},
    };
    for (const auto& [percent, tone] : tones)
        EXPECT_EQ(LoadColor::tone(percent), tone) << (percent ? *percent : -1);
    EXPECT_EQ(LoadColor::tone(95.0, ThemeTone::orbCool), ThemeTone::orbCool);
    EXPECT_EQ(LoadColor::tone(std::nullopt, ThemeTone::orbCool), ThemeTone::orbCool);

    const std::pair<double, double> fractions[] = {{50, 0.5}, {150, 1}, {-5, 0}, {0, 0}, {100, 1}, {notANumber, 0}};
    for (const auto& [percent, fraction] : fractions)
        EXPECT_DOUBLE_EQ(LoadColor::barFraction(percent), fraction) << percent;
}

TEST(MetricBarRowTest, ValueAndPercentageShowing)
{
    MetricBarRow row{"Usage", "12.0%", 150.0, std::nullopt, false};
    EXPECT_EQ(row.percentText(), QStringLiteral("150.0%"));
    EXPECT_EQ(row.resolvedColor(), ThemeTone::danger);
    EXPECT_DOUBLE_EQ(row.fraction(), 1.0);
    EXPECT_TRUE(row.showsValue());

    row.percent = -5;
    EXPECT_EQ(row.percentText(), QStringLiteral("-5.0%"));
    EXPECT_EQ(row.resolvedColor(), ThemeTone::success);
    EXPECT_DOUBLE_EQ(row.fraction(), 0.0);

    row.hideValueWhenPercent = true;
    EXPECT_FALSE(row.showsValue());
    row.percent.reset();
    EXPECT_TRUE(row.showsValue()); // no percent: the value shows as usual
    EXPECT_FALSE(row.hasPercent());
    EXPECT_EQ(row.percentText(), QString());

    const StatusCardRowData data{"Label", "Value", 95.0, ThemeTone::accent};
    const MetricBarRow line = MetricBarRow::forRow(data);
    EXPECT_EQ(line.resolvedColor(), ThemeTone::accent);
    EXPECT_TRUE(line.showsValue());
    EXPECT_EQ(data.id(), QStringLiteral("Label-Value"));
}

TEST(CPUDrawing, CoreCellFillAndCaption)
{
    const std::pair<double, double> heights[]
        = {{-3, 3}, {0, 3}, {5, 3}, {50, 17}, {100, 34}, {130, 34}, {notANumber, 3}};
    for (const auto& [value, height] : heights)
        EXPECT_DOUBLE_EQ(CoreCell::fillHeight(value), height) << value;
    EXPECT_EQ((CoreCell{0, 0}).caption(), QStringLiteral("C1"));
    EXPECT_EQ((CoreCell{11, 0}).caption(), QStringLiteral("C12"));
    EXPECT_EQ((CoreCell{0, 0}).percentText(), QStringLiteral("0.0%"));
    EXPECT_EQ((CoreCell{0, 0}).tone(), ThemeTone::success);
    EXPECT_EQ((CoreCell{0, 91}).tone(), ThemeTone::danger);
}

TEST(CPUDrawing, CoreGridRowsAndPlaceholders)
{
    struct Case {
        int count;
        int columns;
        QList<QList<int>> cells;
    };
    const Case cases[] = {
        {8, 4, {{0, 1, 2, 3}, {4, 5, 6, 7}}},
        {10, 4, {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, -1, -1}}},
        {1, 4, {{0, -1, -1, -1}}},
        {0, 4, {}},
        {3, 1, {{0}, {1}, {2}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CoreLoadGrid::cellIndexes(c.count, c.columns), c.cells) << c.count;
        EXPECT_EQ(CoreLoadGrid::rowCount(c.count, c.columns), c.cells.size());
    }
}

TEST(CPUDrawing, TotalToneFractionAndText)
{
    struct Case {
        std::optional<double> usage;
        double fraction;
        ThemeTone tone;
        QString english;
        QString chinese;
    };
    const Case cases[] = {
        {std::nullopt, 0, ThemeTone::quiet, "Unknown", "未知"},
        {88, 0.88, ThemeTone::danger, "88.0%", "88.0%"},
        {69.9, 0.699, ThemeTone::success, "69.9%", "69.9%"},
        {130, 1, ThemeTone::danger, "130.0%", "130.0%"},
    };
    for (const Case& c : cases) {
        CPUVisualBody body{c.usage, {}, false, QString(), 4, en};
        EXPECT_DOUBLE_EQ(body.fraction(), c.fraction);
        EXPECT_EQ(body.tone(), c.tone);
        EXPECT_EQ(body.percentText(), c.english);
        body.language = zh;
        EXPECT_EQ(body.percentText(), c.chinese);
        EXPECT_FALSE(body.showsGrid());
    }
    CPUVisualBody withCores{50.0, {10, 20, 30, 40, 50}, true, QString(), 4, en};
    const QVariantList rows = withCores.coreRows();
    ASSERT_EQ(rows.size(), 2);
    const QVariantList last = rows[1].toList();
    ASSERT_EQ(last.size(), 4);
    EXPECT_EQ(last[0].value<CoreCell>().caption(), QStringLiteral("C5"));
    EXPECT_TRUE(last[1].value<CoreCell>().isPlaceholder);
    // The same slots by position.
    EXPECT_EQ(withCores.coreCellCount(), 8);
    EXPECT_EQ(withCores.coreCell(4).caption(), QStringLiteral("C5"));
    EXPECT_TRUE(withCores.coreCell(5).isPlaceholder);
    EXPECT_FALSE(last[0].value<CoreCell>().isPlaceholder);
}

TEST(MemoryDrawing, StackedBarGeometry)
{
    struct Case {
        double used;
        std::optional<double> swap;
        double width;
        MemoryBarGeometry expected;
    };
    const Case cases[] = {
        {50, 100, 300, {150, true, 123, 27}},
        {10, 10, 300, {30, true, 24.6, 5.4}},
        {0, 100, 300, {0, false, 0, 0}},
        {5, 50, 300, {15, false, 0, 0}},  // used exactly 5 %: no mark
        {50, 5, 300, {150, false, 0, 0}}, // swap exactly 5 %: no mark
        {6, 5.1, 300, {18, true, 15, 3}}, // raised to 3 points
        {150, std::nullopt, 300, {300, false, 0, 0}},
        {2, 90, 10, {0.2, false, 0, 0}},
    };
    for (const Case& c : cases) {
        const MemoryBarGeometry g = MemoryStackedBar::geometry(c.used, c.swap, c.width);
        EXPECT_NEAR(g.usedWidth, c.expected.usedWidth, 1e-9) << c.used;
        EXPECT_EQ(g.showsSwapMark, c.expected.showsSwapMark) << c.used;
        EXPECT_NEAR(g.swapX, c.expected.swapX, 1e-9) << c.used;
        EXPECT_NEAR(g.swapWidth, c.expected.swapWidth, 1e-9) << c.used;
    }
}

TEST(MemoryDrawing, LegendLinesAndHeader)
{
    MemoryVisualBody body;
    body.usedPercent = 70;
    body.usedBytes = 5'600'000'000;
    body.totalBytes = 8'000'000'000;
    body.availBytes = 2'400'000'000;
    body.language = en;
    QList<MemoryStatRow> legend = body.legend();
    ASSERT_EQ(legend.size(), 2); // no swap size, no cache
    EXPECT_EQ(legend[0], (MemoryStatRow{ThemeTone::amber, 1.0, "Memory", "5.6 GB / 8 GB"}));
    EXPECT_EQ(legend[1], (MemoryStatRow{ThemeTone::line, 0.55, "Avail", "2.4 GB"}));
    EXPECT_EQ(body.percentText(), QStringLiteral("70.0%"));
    EXPECT_EQ(body.tone(), ThemeTone::amber);
    EXPECT_FALSE(body.hasPressure());

    body.usedPercent = 88;
    body.swapTotalBytes = 2'000'000'000;
    body.cachedBytes = 1'000'000'000;
    body.usedBytes.reset();
    body.pressure = QString();
    body.language = zh;
    legend = body.legend();
    ASSERT_EQ(legend.size(), 4);
    EXPECT_EQ(legend[0], (MemoryStatRow{ThemeTone::danger, 1.0, "内存", "未知 / 8 GB"}));
    EXPECT_EQ(legend[1], (MemoryStatRow{ThemeTone::danger, 0.72, "Swap", "未知 / 2 GB"}));
    EXPECT_EQ(legend[2].label, QStringLiteral("可用"));
    EXPECT_EQ(legend[3], (MemoryStatRow{ThemeTone::accent, 0.42, "缓存", "1 GB"}));
    EXPECT_FALSE(body.hasPressure()); // empty
    body.pressure = QStringLiteral("critical");
    EXPECT_TRUE(body.hasPressure());
}

TEST(DiskDrawing, FillRatesAndHint)
{
    const std::tuple<std::optional<double>, double, double> fills[]
        = {{std::nullopt, 200, 0}, {0.3, 200, 4}, {-5, 200, 4}, {140, 200, 200}, {50, 200, 100}};
    for (const auto& [percent, width, fill] : fills)
        EXPECT_DOUBLE_EQ(DiskCapsuleRow::fillWidth(percent, width), fill);

    const std::pair<std::optional<double>, QString> rates[]
        = {{std::nullopt, "0 MB/s"}, {0.009, "0 MB/s"},    {0.5, "512 KB/s"}, {0.9999, "1024 KB/s"},
           {1.0, "1.0 MB/s"},        {12.34, "12.3 MB/s"}, {-1, "0 MB/s"}};
    for (const auto& [rate, text] : rates)
        EXPECT_EQ(DiskIOPair::rateText(rate), text);

    struct HintCase {
        QList<std::optional<double>> percents;
        bool shows;
        bool critical;
    };
    const HintCase hints[] = {
        {{90.0}, true, false},
        {{95.0}, true, true},
        {{89.99}, false, false},
        {{std::nullopt, 50.0}, false, false},
        {{std::nullopt}, false, false},
        {{}, false, false},
        {{20.0, 96.0, std::nullopt}, true, true},
    };
    for (const HintCase& c : hints) {
        DiskVisualBody body;
        for (const auto& p : c.percents) {
            DiskVisualBody::Item item;
            item.percent = p;
            body.disks.append(item);
        }
        EXPECT_EQ(body.showsHint(), c.shows);
        EXPECT_EQ(body.hintIsCritical(), c.critical);
    }

    DiskVisualBody io;
    EXPECT_FALSE(io.showsIO());
    io.readRate = 0;
    io.writeRate = 0;
    EXPECT_FALSE(io.showsIO());
    io.readHistory = {0};
    EXPECT_TRUE(io.showsIO()); // rates 0 with a history: the line shows 0 MB/s twice
    EXPECT_EQ(io.readRateText(), QStringLiteral("0 MB/s"));
    io.readHistory.clear();
    io.writeRate = 0.1;
    EXPECT_TRUE(io.showsIO());

    DiskVisualBody::Item item;
    item.detail = std::nullopt;
    item.deviceText = QStringLiteral("/dev/sda1");
    EXPECT_FALSE(item.showsDevice()); // no detail line, no device
    item.detail = QStringLiteral("EXT4 · /");
    EXPECT_TRUE(item.showsDevice());
    item.deviceText = QString();
    EXPECT_FALSE(item.showsDevice());
    EXPECT_EQ(item.tone(), ThemeTone::quiet);
    EXPECT_EQ(item.percentText(), QString());
}

TEST(NetworkDrawing, RateTextPeakAndSparklinePoints)
{
    const std::pair<double, QString> rates[]
        = {{0.009, "0 MB/s"},     {-1, "0 MB/s"},  {0.01, "10 KB/s"},   {0.5, "512 KB/s"},
           {0.9999, "1024 KB/s"}, {1, "1.0 MB/s"}, {12.34, "12.3 MB/s"}};
    for (const auto& [rate, text] : rates)
        EXPECT_EQ(NetworkRateColumn::rateText(rate), text) << rate;

    EXPECT_DOUBLE_EQ((NetworkVisualBody{0, 0, {}, {}}).sharedPeak(), 0.01);
    EXPECT_DOUBLE_EQ((NetworkVisualBody{3, 5, {}, {}}).sharedPeak(), 5);
    EXPECT_DOUBLE_EQ((NetworkVisualBody{30, 50, {0, 5}, {10}}).sharedPeak(), 10); // histories win over rates
    EXPECT_DOUBLE_EQ((NetworkVisualBody{0, 0, {-2}, {}}).sharedPeak(), 0.01);

    const QSizeF size(100, 46);
    EXPECT_TRUE(NetworkSparkline::sparklinePoints({}, 1, size).isEmpty());
    EXPECT_TRUE(NetworkSparkline::sparklinePoints({3}, 1, size).isEmpty());
    const QList<QPointF> two = NetworkSparkline::sparklinePoints({0, 10}, 10, size);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0], QPointF(0, 44));
    EXPECT_EQ(two[1], QPointF(100, 2));
    const QList<QPointF> mid = NetworkSparkline::sparklinePoints({5, 20, -3}, 10, size);
    EXPECT_EQ(mid[0], QPointF(0, 23));   // half-way up the usable height
    EXPECT_EQ(mid[1], QPointF(50, 2));   // above the peak: the top margin
    EXPECT_EQ(mid[2], QPointF(100, 44)); // negative: the bottom margin
    // A peak of 0 divides by 0.0001.
    EXPECT_EQ(NetworkSparkline::sparklinePoints({0.001, 0}, 0, size)[0], QPointF(0, 2));

    QList<double> long_;
    for (int i = 0; i < 75; ++i)
        long_.append(i);
    const QList<double> drawn = NetworkSparkline::drawnSamples(long_);
    ASSERT_EQ(drawn.size(), 60);
    EXPECT_EQ(drawn.first(), 15);
    EXPECT_EQ(drawn.last(), 74);
}

TEST(PowerDrawing, ToneGlyphFlowAndChipRows)
{
    const std::pair<std::optional<double>, ThemeTone> tones[]
        = {{10, ThemeTone::danger},    {10.5, ThemeTone::amber},  {20, ThemeTone::amber},
           {20.1, ThemeTone::success}, {150, ThemeTone::success}, {std::nullopt, ThemeTone::quiet}};
    for (const auto& [percent, tone] : tones) {
        PowerVisualBody body;
        body.percent = percent;
        EXPECT_EQ(body.tone(), tone);
    }
    PowerVisualBody unknown;
    EXPECT_EQ(unknown.percentText(), QStringLiteral("—"));
    EXPECT_DOUBLE_EQ(unknown.fraction(), 0);
    PowerVisualBody over;
    over.percent = 150;
    EXPECT_EQ(over.percentText(), QStringLiteral("150.0%"));
    EXPECT_DOUBLE_EQ(over.fraction(), 1);

    const std::pair<double, double> fills[] = {{0, 0}, {0.01, 4}, {0.5, 28}, {1, 56}};
    for (const auto& [normalized, fill] : fills)
        EXPECT_DOUBLE_EQ(BatteryGlyph::fillWidth(normalized, 60), fill) << normalized;

    PowerVisualBody flow;
    flow.adapterPower = 0;
    flow.batteryPower = -12;
    EXPECT_FALSE(flow.hasPowerFlow());
    flow.adapterPower = 30;
    EXPECT_TRUE(flow.hasPowerFlow());
    QList<PowerWattChip> chips = PowerFlowRow::chips(30, std::nullopt, -12, false, en);
    ASSERT_EQ(chips.size(), 2);
    EXPECT_EQ(chips[0], (PowerWattChip{"powerplug", "Adapter", 30, ThemeTone::accent}));
    EXPECT_EQ(chips[0].wattText(), QStringLiteral("30.0W"));
    EXPECT_EQ(chips[1], (PowerWattChip{"arrow.up.right", "Drain", 12, ThemeTone::amber}));
    chips = PowerFlowRow::chips(std::nullopt, 0.04, -12, true, zh);
    ASSERT_EQ(chips.size(), 2);
    EXPECT_EQ(chips[0].label, QStringLiteral("系统"));
    EXPECT_EQ(chips[0].wattText(), QStringLiteral("0.0W"));
    EXPECT_EQ(chips[1], (PowerWattChip{"arrow.down.to.line", "充入", 12, ThemeTone::success}));

    QList<PowerVisualBody::Chip> five;
    for (int i = 0; i < 5; ++i)
        five.append({QStringLiteral("fan"), QString::number(i), ThemeTone::muted});
    const auto rows = FlowChipRow::rows(five);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].size(), 2);
    EXPECT_EQ(rows[2].size(), 1);
    EXPECT_TRUE(FlowChipRow::rows({}).isEmpty());
}

TEST(GPUDrawing, HeaderMemoryAndUsageRows)
{
    const std::pair<double, QString> sizes[]
        = {{512, "512 MB"}, {1023.6, "1024 MB"}, {1024, "1.0 GB"}, {16384, "16.0 GB"}};
    for (const auto& [mb, text] : sizes)
        EXPECT_EQ(GPUVisualBody::formatGB(mb), text);

    GPUVisualBody body;
    body.name = QString();
    body.coreCount = 0;
    body.temperature = 0;
    EXPECT_EQ(body.headerLine(), std::nullopt);
    body.name = QStringLiteral("M-Series");
    body.coreCount = 10;
    EXPECT_EQ(body.headerLine(), QStringLiteral("M-Series · 10 cores"));
    body.language = zh;
    EXPECT_EQ(body.headerLine(), QStringLiteral("M-Series · 10 核"));
    GPUVisualBody warm;
    warm.temperature = 45;
    EXPECT_EQ(warm.headerLine(), QStringLiteral("45.0°C"));
    warm.temperature = -3;
    EXPECT_EQ(warm.headerLine(), std::nullopt);

    GPUVisualBody vram;
    vram.memoryUsed = 2048;
    vram.memoryTotal = 8192;
    auto row = vram.vramRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->label, QStringLiteral("VRAM"));
    EXPECT_EQ(row->value, QStringLiteral("2.0 GB / 8.0 GB"));
    EXPECT_DOUBLE_EQ(row->fraction(), 0.25);
    EXPECT_EQ(row->resolvedColor(), ThemeTone::orbCool);
    vram.memoryUsed = 9000;
    EXPECT_DOUBLE_EQ(vram.vramRow()->fraction(), 1.0);
    EXPECT_EQ(vram.vramRow()->percent, 100.0);
    vram.memoryUsed.reset();
    EXPECT_EQ(vram.vramRow()->value, QStringLiteral("—"));
    EXPECT_FALSE(vram.vramRow()->hasPercent());
    vram.memoryTotal = 0;
    EXPECT_FALSE(vram.vramRow());
    vram.memoryTotal.reset();
    EXPECT_FALSE(vram.vramRow());

    const MetricBarRow usage = vram.usageRow();
    EXPECT_EQ(usage.label, QStringLiteral("Usage"));
    EXPECT_EQ(usage.value, QStringLiteral("Unknown"));
    EXPECT_FALSE(usage.hasPercent());
    EXPECT_TRUE(usage.showsValue());
    vram.usage = 91;
    EXPECT_FALSE(vram.usageRow().showsValue());
    EXPECT_EQ(vram.usageRow().resolvedColor(), ThemeTone::danger);
}

TEST(ProcessDrawing, MetricRows)
{
    const std::tuple<std::optional<double>, ThemeTone, QString, double> cases[] = {
        {87.9, ThemeTone::amber, "87.9%", 0.879},
        {88, ThemeTone::danger, "88.0%", 0.88},
        {69.9, ThemeTone::success, "69.9%", 0.699},
        {250, ThemeTone::danger, "250.0%", 1},
    };
    for (const auto& [percent, tone, text, fraction] : cases) {
        const ProcessMetricRow row{QStringLiteral("p"), percent};
        EXPECT_EQ(row.tone(), tone);
        EXPECT_EQ(row.percentText(), text);
        EXPECT_DOUBLE_EQ(row.fraction(), fraction);
    }
    const ProcessMetricRow bare{QStringLiteral("p"), std::nullopt};
    EXPECT_FALSE(bare.hasPercent());
    EXPECT_TRUE(ProcessVisualBody{}.metricRows().isEmpty());
}
