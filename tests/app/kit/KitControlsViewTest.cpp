#include "app/kit/GlassSource.h"
#include "tests/support/ViewFixture.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class KitControls : public ViewTest {
protected:
    void TearDown() override
    {
        GlassSource::shared().clear();
        GlassSource::shared().setHasCustomWindowBackground(false);
        ViewTest::TearDown();
    }
    QQuickItem* load(const QByteArray& body)
    {
        QQuickItem* root = view().loadText("import QtQuick\nimport QtQuick.Layouts\nimport Roror.Kit\nimport "
                                           "Roror.Pages.Common\nimport Roror.Pages.Installer\n"
                                           + body);
        EXPECT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
        return root;
    }
    QQuickItem* find(const char* name)
    {
        QQuickItem* item = view().find(QString::fromLatin1(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }
};

TEST_F(KitControls, FlowWrapsOnlyWhenAChildsRightEdgePassesTheWidth)
{
    load(R"(Item {
        property alias flowWidth: flow.width
        FlowLayout { id: flow; objectName: "flow"; spacing: 8
            Rectangle { objectName: "c0"; width: 50; height: 20 }
            Rectangle { objectName: "c1"; width: 50; height: 30 }
            Rectangle { objectName: "c2"; width: 50; height: 20 } } })");
    struct Case {
        qreal width;
        QPointF third;
        qreal reportedWidth;
        qreal reportedHeight;
    };
    const Case cases[] = {
        {158, {0, 38}, 108, 58},  // two fit (right edges 50 and 108); the third starts below the taller one
        {166, {116, 0}, 166, 30}, // a right edge exactly on the width stays in the row
        {0, {0, 66}, 50, 86},     // every child on a row of its own
        {30, {0, 66}, 50, 86},    // each child wider than the width stands alone and overflows
    };
    for (const Case& c : cases) {
        view().root()->setProperty("flowWidth", c.width);
        view().grab(); // positioners place their children when a frame is prepared
        QQuickItem* flow = find("flow");
        EXPECT_EQ(find("c2")->position(), c.third) << c.width;
        EXPECT_EQ(find("c0")->position(), QPointF(0, 0)) << c.width;
        EXPECT_EQ(flow->implicitWidth(), c.reportedWidth) << c.width;
        EXPECT_EQ(flow->implicitHeight(), c.reportedHeight) << c.width;
    }
}

TEST_F(KitControls, ActionButtonHasItsMinimumWidthsGrowsWithItsTitleAndRunsItsAction)
{
    load(R"(Row {
        property int primaryRuns: 0
        ToolbarActionButton { objectName: "primary"; title: "Go"; systemImage: "sparkles"; isPrimary: true; onAction: parent.primaryRuns += 1 }
        ToolbarActionButton { objectName: "plain"; title: "Go"; systemImage: "eye" }
        ToolbarActionButton { objectName: "long"; title: "A rather long button title for a header"; systemImage: "eye" } })");
    EXPECT_EQ(find("primary")->width(), 82);
    EXPECT_EQ(find("plain")->width(), 98);
    EXPECT_GT(find("long")->width(), 98);
    for (const char* name : {"primary", "plain", "long"})
        EXPECT_EQ(find(name)->height(), 30) << name;
    EXPECT_EQ(view().findAll(QStringLiteral("toolbarActionButtonSymbol")).value(0)->property("systemName").toString(),
              QStringLiteral("sparkles"));

    view().click(find("primary"));
    EXPECT_EQ(view().root()->property("primaryRuns").toInt(), 1);
    find("primary")->forceActiveFocus();
    QTest::keyClick(&view().window(), Qt::Key_Space);
    view().settle();
    EXPECT_EQ(view().root()->property("primaryRuns").toInt(), 2);
}

TEST_F(KitControls, GlassTintIsTheExplicitOneElseTheCustomBackgroundTintElseNone)
{
    load(R"(Row {
        LiquidGlassSurface { objectName: "plain"; width: 50; height: 50 }
        LiquidGlassSurface { objectName: "tinted"; width: 50; height: 50; tint: "#336699" } })");
    auto tint = [&](const char* name) { return find(name)->property("appliedTint").value<QColor>(); };
    EXPECT_EQ(tint("plain").alpha(), 0);
    EXPECT_EQ(tint("tinted"), QColor("#336699"));
    GlassSource::shared().setHasCustomWindowBackground(true);
    view().settle();
    EXPECT_NEAR(tint("plain").alphaF(), 0.07, 0.01);
    EXPECT_EQ(tint("tinted"), QColor("#336699"));
}

TEST_F(KitControls, GlassShowsTheBlurredBackdropUnderItsOwnPlaceInTheWindow)
{
    // A backdrop red on the left half of the window and blue on the right.
    QImage backdrop(1180, 780, QImage::Format_ARGB32_Premultiplied);
    backdrop.fill(Qt::red);
    for (int y = 0; y < 780; ++y)
        for (int x = 590; x < 1180; ++x)
            backdrop.setPixel(x, y, qRgb(0, 0, 255));
    GlassSource::shared().setBackdropImage(backdrop, QSizeF(1180, 780));
    load(R"(Item {
        property alias glassX: glass.x
        LiquidGlassSurface { id: glass; x: 100; y: 100; width: 200; height: 200; cornerRadius: 20 } })");
    QImage shot = view().grab();
    QColor centre = shot.pixelColor(200, 200);
    EXPECT_GT(centre.red(), 150);
    EXPECT_LT(centre.blue(), 150);
    // Outside the glass the window shows its own white: the backdrop copy is only drawn by glass.
    EXPECT_GT(shot.pixelColor(50, 50).green(), 200);
    // Moved over the right half, the same surface shows blue.
    view().root()->setProperty("glassX", 800);
    shot = view().grab();
    centre = shot.pixelColor(900, 200);
    EXPECT_GT(centre.blue(), 150);
    EXPECT_LT(centre.red(), 150);
}

TEST_F(KitControls, GlassInsideAScrolledViewFollowsItsNewPlace)
{
    // Top half of the window red, bottom half blue.
    QImage backdrop(1180, 780, QImage::Format_ARGB32_Premultiplied);
    backdrop.fill(Qt::red);
    for (int y = 390; y < 780; ++y)
        for (int x = 0; x < 1180; ++x)
            backdrop.setPixel(x, y, qRgb(0, 0, 255));
    GlassSource::shared().setBackdropImage(backdrop, QSizeF(1180, 780));
    load(R"(Flickable { objectName: "scroller"; contentWidth: width; contentHeight: column.implicitHeight
        ColumnLayout { id: column; width: parent.width; spacing: 0
            Item { Layout.fillWidth: true; implicitHeight: 600 }
            LiquidGlassSurface { Layout.preferredWidth: 200; Layout.preferredHeight: 100 }
            Item { Layout.fillWidth: true; implicitHeight: 2000 } } })");
    QImage shot = view().grab();
    EXPECT_GT(shot.pixelColor(100, 650).blue(), 150);
    EXPECT_LT(shot.pixelColor(100, 650).red(), 150);
    // Scrolled up by 400 the card lies over the red half; only its parent moved.
    find("scroller")->setProperty("contentY", 400);
    view().grab();
    shot = view().grab();
    EXPECT_GT(shot.pixelColor(100, 250).red(), 150);
    EXPECT_LT(shot.pixelColor(100, 250).blue(), 150);
}

TEST_F(KitControls, EmptyStateSpansTheWidthIsAtLeast120HighAndWrapsALongSubtitleCentred)
{
    load(R"(Item { ColumnLayout { width: 400
        EmptyState { objectName: "short"; title: "Nothing"; subtitle: "Empty"; systemImage: "folder" }
        EmptyState { objectName: "long"; title: "Nothing"; systemImage: "folder"
            subtitle: "A long explanation that cannot fit on one line of this narrow placeholder and wraps instead." } } })");
    QQuickItem* shortState = find("short");
    EXPECT_EQ(shortState->width(), 400);
    EXPECT_EQ(shortState->height(), 120);
    const auto subtitles = view().findAll(QStringLiteral("emptyStateSubtitle"));
    ASSERT_EQ(subtitles.size(), 2);
    EXPECT_GT(subtitles[1]->property("lineCount").toInt(), 1);
    EXPECT_EQ(view().findAll(QStringLiteral("emptyStateSymbol")).value(0)->property("systemName").toString(),
              QStringLiteral("folder"));
}

} // namespace
} // namespace roror::test
