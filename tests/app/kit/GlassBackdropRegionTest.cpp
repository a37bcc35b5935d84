#include "app/kit/GlassBackdropRegion.h"
#include "app/kit/GlassSource.h"
#include "tests/support/ViewFixture.h"

#include <QColor>
#include <QImage>
#include <QtQml/qqml.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace roror::test {
namespace {

// The window's backdrop, red on the left half and blue on the right.
class GlassOverBackdrop : public ViewTest {
protected:
    void SetUp() override
    {
        qmlRegisterType<GlassBackdropRegion>("RororTest.Glass", 1, 0, "Glass");
        QImage backdrop(1180, 780, QImage::Format_ARGB32_Premultiplied);
        backdrop.fill(Qt::blue);
        for (int y = 0; y < backdrop.height(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(backdrop.scanLine(y)), backdrop.width() / 2, qRgb(255, 0, 0));
        GlassSource::shared().setBackdropImage(backdrop, QSizeF(1180, 780));
    }
    void TearDown() override
    {
        GlassSource::shared().clear();
        ViewTest::TearDown();
    }
};

class GlassRegionPlace : public GlassOverBackdrop {
protected:
    // A frame passes: a painted glass checks its place after the animations of a frame, and
    // paints in the next one.
    void frame()
    {
        view().settle();
        view().grab();
        view().grab();
    }
};

// A live page moves rows that lie below the window's lower edge on every refresh; painting them
// there would cost a repaint per frame for nothing on screen.
TEST_F(GlassRegionPlace, RepaintsWhenMovedInViewOnlyAndCatchesUpWhenItComesIntoView)
{
    QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Glass
Item {
    Item {
        objectName: "mover"
        Glass { objectName: "glass"; width: 200; height: 50; radius: 10 }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    QQuickItem* mover = view().find(QStringLiteral("mover"));
    auto* glass = static_cast<GlassBackdropRegion*>(view().find(QStringLiteral("glass")));
    frame();
    ASSERT_GT(glass->paints(), 0);

    int before = glass->paints();
    mover->setY(100);
    frame();
    EXPECT_GT(glass->paints(), before) << "moved within the window";

    mover->setY(900);
    frame();
    before = glass->paints();
    for (const qreal y : {950.0, 1000.0, 1200.0}) {
        mover->setY(y);
        frame();
    }
    EXPECT_EQ(glass->paints(), before) << "moved below the window";

    mover->setY(300);
    frame();
    EXPECT_GT(glass->paints(), before) << "back in view";
}

TEST_F(GlassRegionPlace, RowsBeyondAClippingListEdgeDoNotRepaint)
{
    QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Glass
Item {
    Item {
        objectName: "list"
        width: 400; height: 200
        clip: true
        Item {
            objectName: "mover"
            Glass { objectName: "glass"; width: 200; height: 50 }
        }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    QQuickItem* mover = view().find(QStringLiteral("mover"));
    auto* glass = static_cast<GlassBackdropRegion*>(view().find(QStringLiteral("glass")));
    mover->setY(250);
    frame();
    const int before = glass->paints();
    mover->setY(300);
    frame();
    EXPECT_EQ(glass->paints(), before) << "moved below the list's edge, inside the window";
    mover->setY(120);
    frame();
    EXPECT_GT(glass->paints(), before) << "partly inside the list again";
}

// Under a green page, a glass surface shows the part of the backdrop under it, with its corners
// cut round, drawn straight into the window by the software renderer.
using GlassRegionPixels = GlassOverBackdrop;

// Each channel within 2 of `expected`: the blurred copy is drawn scaled up and smoothed.
::testing::AssertionResult near(QRgb actual, QRgb expected)
{
    for (const int shift : {16, 8, 0}) {
        if (std::abs(int((actual >> shift) & 0xff) - int((expected >> shift) & 0xff)) > 2)
            return ::testing::AssertionFailure()
                << QColor(actual).name().toStdString() << " instead of " << QColor(expected).name().toStdString();
    }
    return ::testing::AssertionSuccess();
}

TEST_F(GlassRegionPixels, ShowsTheBackdropUnderItsPlaceWithRoundCornersAndFollowsAMove)
{
    // 400 x 200 across the middle of the window (x 590), far wider than the blur's reach.
    QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Glass
Rectangle {
    color: "#00ff00"
    Glass { objectName: "glass"; x: 390; y: 100; width: 400; height: 200; radius: 24 }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    view().settle();
    QImage shot = view().grab().convertToFormat(QImage::Format_RGB32);
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    EXPECT_TRUE(near(shot.pixel(420, 200), red)) << "left part";
    EXPECT_TRUE(near(shot.pixel(760, 200), blue)) << "right part";
    EXPECT_TRUE(near(shot.pixel(420, 102), red)) << "top edge, clear of the corners";
    // Pixels inside the bounding rectangle but outside the round corners.
    for (const QPoint corner : {QPoint(391, 101), QPoint(788, 101), QPoint(391, 298), QPoint(788, 298)})
        EXPECT_TRUE(near(shot.pixel(corner), green)) << "corner at " << corner.x() << "," << corner.y();
    EXPECT_TRUE(near(shot.pixel(380, 200), green)) << "outside the surface";

    // Moved right by 300 px: its left part now lies over the blue half.
    view().find(QStringLiteral("glass"))->setX(690);
    view().settle();
    shot = view().grab().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(near(shot.pixel(760, 200), blue)) << "left part after the move";
    EXPECT_TRUE(near(shot.pixel(420, 200), green)) << "where it was";
}

// A row half beyond a list's edge: only the part inside the list shows.
TEST_F(GlassRegionPixels, StaysInsideAClippingParent)
{
    QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Glass
Rectangle {
    color: "#00ff00"
    Item {
        x: 100; y: 100; width: 300; height: 100
        clip: true
        Glass { y: 50; width: 300; height: 200; radius: 24 }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    view().settle();
    const QImage shot = view().grab().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(near(shot.pixel(250, 190), qRgb(255, 0, 0))) << "inside the list";
    EXPECT_TRUE(near(shot.pixel(250, 210), qRgb(0, 255, 0))) << "beyond the list's edge";
}

TEST_F(GlassRegionPixels, FollowsTheInheritedOpacity)
{
    QQuickItem* root = view().loadText(R"(
import QtQuick
import RororTest.Glass
Rectangle {
    color: "#00ff00"
    Item {
        opacity: 0.5
        Glass { x: 100; y: 100; width: 300; height: 200; radius: 24 }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    view().settle();
    const QImage shot = view().grab().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(near(shot.pixel(250, 200), qRgb(128, 128, 0)));
}

} // namespace
} // namespace roror::test
