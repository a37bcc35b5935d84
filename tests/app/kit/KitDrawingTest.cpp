#include "app/kit/CapsuleBar.h"
#include "tests/support/PaintedImage.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

// Whatever passes the bar's rounded ends is cut off there: the corners stay clear while the
// middle of each end is painted.
TEST(CapsuleBarDrawing, SegmentsAreCutToTheBarsCapsule)
{
    struct Case {
        const char* what;
        qreal fillX, fillWidth, markX, markWidth;
        bool fades;
    };
    const Case cases[] = {
        {"a fill wider than the bar", -20, 260, 0, 0, false},
        {"a highlight entering at the left end", -10, 60, 0, 0, true},
        {"a mark running past the right end", 0, 0, 180, 40, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CapsuleBar bar;
        bar.setSize(QSizeF(200, 10));
        bar.setFillColor(Qt::red);
        bar.setFillX(c.fillX);
        bar.setFillWidth(c.fillWidth);
        bar.setFillFades(c.fades);
        bar.setMarkColor(Qt::blue);
        bar.setMarkX(c.markX);
        bar.setMarkWidth(c.markWidth);
        const QImage image = paintedImage(bar);
        const bool left = c.fillWidth > 0;
        const int edge = left ? 0 : 199;
        const int inner = left ? 6 : 193;
        EXPECT_EQ(qAlpha(image.pixel(edge, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(edge, 9)), 0);
        EXPECT_GT(qAlpha(image.pixel(inner, 5)), 0);
    }
}

TEST(CapsuleBarDrawing, TrackFillsTheCapsuleAndAnEmptyFillDrawsNothing)
{
    CapsuleBar bar;
    bar.setSize(QSizeF(100, 10));
    bar.setTrackColor(QColor(0, 0, 0, 60));
    bar.setFillColor(Qt::red);
    const QImage image = paintedImage(bar);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixelColor(50, 5), QColor(0, 0, 0, 60));
    EXPECT_EQ(image.pixelColor(3, 5).red(), 0);
}

} // namespace
} // namespace roror::test
