#include "app/shell/WindowConfigurator.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

struct FrameCase {
    const char* name;
    QRect usable;
    QRect frame;
};

class TargetFrame : public ::testing::TestWithParam<FrameCase> { };

TEST_P(TargetFrame, FollowsTheUsableAreaWithinMinimumAndMaximum)
{
    EXPECT_EQ(WindowConfigurator::centredTargetFrame(GetParam().usable), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(UsableAreas, TargetFrame,
                         ::testing::Values(
                             // Both upper limits hold: 1440 - 72 and 875 - 72 exceed 1180 and 780.
                             FrameCase{"large", QRect(0, 25, 1440, 875), QRect(130, 72, 1180, 780)},
                             // Width follows the area, height is raised to the minimum.
                             FrameCase{"small", QRect(0, 0, 1100, 760), QRect(36, 20, 1028, 720)},
                             // Just at the edges of the minimum and maximum width.
                             FrameCase{"minimumEdge", QRect(0, 0, 1052, 900), QRect(36, 60, 980, 780)},
                             FrameCase{"aboveMinimum", QRect(0, 0, 1053, 900), QRect(36, 60, 981, 780)},
                             FrameCase{"maximumEdge", QRect(0, 0, 1252, 852), QRect(36, 36, 1180, 780)},
                             // Smaller than the minimum: the minimum wins and the frame overhangs the area evenly.
                             FrameCase{"tiny", QRect(0, 0, 800, 600), QRect(-90, -60, 980, 720)},
                             // A second screen right of the first, with a panel along its top.
                             FrameCase{"secondScreen", QRect(1920, 32, 1920, 1048), QRect(2290, 166, 1180, 780)}),
                         [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

QRect usableArea(const QWindow& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// The window is sized and centred when first shown; what the user does with it afterwards stays.
// Frameless, so that the test platform's own frame does not shift the client area.
TEST(WindowConfigurator, SizesTheWindowOnceWhenItIsFirstShown)
{
    QWindow window;
    window.setFlag(Qt::FramelessWindowHint);
    window.resize(400, 300);
    WindowConfigurator configurator;
    configurator.setWindow(&window);
    EXPECT_EQ(window.minimumSize(), QSize(980, 720));
    EXPECT_FALSE(configurator.didApplyInitialLayout());

    window.show();
    EXPECT_TRUE(configurator.didApplyInitialLayout());
    EXPECT_EQ(window.geometry(), WindowConfigurator::centredTargetFrame(usableArea(window)));

    // Dragged partly off the screen and made as large as the screen: shown again, it stays so.
    const QRect usable = usableArea(window);
    const QRect moved(usable.right() - 200, usable.top() + 40, usable.width() + 100, usable.height());
    window.setGeometry(moved);
    window.hide();
    window.show();
    EXPECT_EQ(window.geometry(), moved);
}

TEST(WindowConfigurator, AWindowAlreadyShownIsSizedWhenItMeetsTheConfigurator)
{
    QWindow window;
    window.setFlag(Qt::FramelessWindowHint);
    window.show();
    WindowConfigurator configurator;
    configurator.setWindow(&window);
    EXPECT_TRUE(configurator.didApplyInitialLayout());
    EXPECT_EQ(window.geometry(), WindowConfigurator::centredTargetFrame(usableArea(window)));
}

} // namespace
} // namespace roror::test
