#include "app/kit/GlassBackdropRegion.h"
#include "app/kit/GlassSource.h"
#include "tests/support/ViewFixture.h"

#include <QImage>
#include <QtQml/qqml.h>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class CountingGlass : public GlassBackdropRegion {
public:
    void paint(QPainter* painter) override
    {
        ++paints;
        GlassBackdropRegion::paint(painter);
    }
    int paints = 0;
};

class GlassRegionPlace : public ViewTest {
protected:
    void SetUp() override
    {
        qmlRegisterType<CountingGlass>("RororTest.Glass", 1, 0, "CountingGlass");
        QImage backdrop(1180, 780, QImage::Format_ARGB32_Premultiplied);
        backdrop.fill(Qt::gray);
        GlassSource::shared().setBackdropImage(backdrop, QSizeF(1180, 780));
    }
    // A frame passes: the glass checks its place after the animations of a frame, and paints in
    // the next one.
    void frame()
    {
        view().settle();
        view().grab();
        view().grab();
    }
    void TearDown() override
    {
        GlassSource::shared().clear();
        ViewTest::TearDown();
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
        CountingGlass { objectName: "glass"; width: 200; height: 50; radius: 10 }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    QQuickItem* mover = view().find(QStringLiteral("mover"));
    auto* glass = static_cast<CountingGlass*>(view().find(QStringLiteral("glass")));
    frame();
    ASSERT_GT(glass->paints, 0);

    int before = glass->paints;
    mover->setY(100);
    frame();
    EXPECT_GT(glass->paints, before) << "moved within the window";

    mover->setY(900);
    frame();
    before = glass->paints;
    for (const qreal y : {950.0, 1000.0, 1200.0}) {
        mover->setY(y);
        frame();
    }
    EXPECT_EQ(glass->paints, before) << "moved below the window";

    mover->setY(300);
    frame();
    EXPECT_GT(glass->paints, before) << "back in view";
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
            CountingGlass { objectName: "glass"; width: 200; height: 50 }
        }
    }
}
)");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    QQuickItem* mover = view().find(QStringLiteral("mover"));
    auto* glass = static_cast<CountingGlass*>(view().find(QStringLiteral("glass")));
    mover->setY(250);
    frame();
    const int before = glass->paints;
    mover->setY(300);
    frame();
    EXPECT_EQ(glass->paints, before) << "moved below the list's edge, inside the window";
    mover->setY(120);
    frame();
    EXPECT_GT(glass->paints, before) << "partly inside the list again";
}

} // namespace
} // namespace roror::test
