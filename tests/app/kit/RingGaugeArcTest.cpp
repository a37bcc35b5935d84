#include "app/kit/RingGaugeArc.h"
#include "tests/support/ViewFixture.h"

#include <QImage>
#include <QtQml/qqml.h>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class CountingArc : public RingGaugeArc {
public:
    void paint(QPainter* painter) override
    {
        ++paints;
        RingGaugeArc::paint(painter);
    }
    int paints = 0;
};

class RingSweep : public ViewTest {
protected:
    void SetUp() override { qmlRegisterType<CountingArc>("RororTest.Ring", 1, 0, "CountingArc"); }
    CountingArc* load()
    {
        QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Ring
Item {
    CountingArc { objectName: "arc"; width: 100; height: 100; lineWidth: 10; color: "#ff0000"; trackColor: "#20000000" }
}
)");
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return static_cast<CountingArc*>(view().find(QStringLiteral("arc")));
    }
    // Steps the arc as an animation would, one frame per step.
    void sweep(CountingArc* arc, qreal from, qreal to, int steps)
    {
        arc->setTargetProgress(to);
        for (int i = 1; i <= steps; ++i) {
            arc->setProgress(from + (to - from) * i / steps);
            view().grab();
        }
    }
};

} // namespace

// A live figure sweeps the ring over about thirty frames at every refresh; steps that move the
// arc by less than a pixel are not drawn, and the sweep's end always is.
TEST_F(RingSweep, DrawsAboutOnceAPixelAndAlwaysTheEnd)
{
    CountingArc* arc = load();
    ASSERT_NE(arc, nullptr);
    sweep(arc, 0, 0.5, 1);
    view().grab();

    // 2 % of a 100-pixel ring is about 6 pixels along it, in 33 steps.
    const int before = arc->paints;
    sweep(arc, 0.5, 0.52, 33);
    EXPECT_LE(arc->paints - before, 8);
    EXPECT_GE(arc->paints - before, 5);

    // A sweep smaller than a pixel still ends on its value, drawn.
    const int beforeSmall = arc->paints;
    sweep(arc, 0.52, 0.521, 3);
    EXPECT_EQ(arc->paints - beforeSmall, 1);
}

// The track is copied from a picture drawn once: the ring looks as when both were stroked anew.
TEST_F(RingSweep, TrackAndArcLookTheSameAfterManySteps)
{
    CountingArc* arc = load();
    ASSERT_NE(arc, nullptr);
    sweep(arc, 0, 0.3, 1);
    const QImage direct = view().grab();
    sweep(arc, 0.3, 0.9, 40);
    sweep(arc, 0.9, 0.3, 40);
    EXPECT_EQ(view().grab(), direct);
}

} // namespace roror::test
