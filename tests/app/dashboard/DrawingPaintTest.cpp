#include "app/dashboard/drawings/NetworkChart.h"
#include "tests/support/PaintedImage.h"

#include <gtest/gtest.h>

using namespace roror;
using roror::test::paintedImage;

TEST(NetworkChartDrawing, DashedMidlineUnderAFlatLineWithoutHistory)
{
    NetworkChart chart;
    chart.setSize(QSizeF(200, 46));
    chart.setBody(NetworkVisualBody{0, 0, {}, {}});
    chart.setMidlineColor(Qt::black);
    const QImage image = paintedImage(chart);
    const auto midline = [&](int x) { return std::max(qAlpha(image.pixel(x, 22)), qAlpha(image.pixel(x, 23))); };
    // Dashes of 2 and gaps of 3 from the left edge.
    EXPECT_GT(midline(10), 0);
    EXPECT_EQ(midline(13), 0);
    EXPECT_GT(midline(15), 0);
    EXPECT_EQ(midline(18), 0);
    // The flat line 1 point above the bottom, and nothing between it and the midline.
    EXPECT_GT(qAlpha(image.pixel(100, 45)), 0);
    EXPECT_EQ(qAlpha(image.pixel(100, 34)), 0);
}

TEST(NetworkChartDrawing, AreaIsCutToRoundedCorners)
{
    NetworkChart chart;
    chart.setSize(QSizeF(200, 46));
    // Full-height series: the areas reach every corner of the chart.
    chart.setBody(NetworkVisualBody{1, 1, {10, 10, 10}, {10, 10, 10}});
    const QImage image = paintedImage(chart);
    for (const QPoint corner : {QPoint(0, 45), QPoint(199, 45), QPoint(0, 0), QPoint(199, 0)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_GT(qAlpha(image.pixel(100, 44)), 0);
    EXPECT_GT(qAlpha(image.pixel(6, 44)), 0);
}
