#include "app/kit/KeyboardScroller.h"

#include <gtest/gtest.h>

namespace roror::test {
namespace {

TEST(KeyboardScrolling, KeysMoveByLineOrPageAndStayWithinTheContent)
{
    // View 300 high over content 1000 high starting at origin 0: positions 0 ... 700.
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        qreal from;
        std::optional<qreal> to;
    };
    const Case cases[] = {
        {Qt::Key_Down, Qt::NoModifier, 0, 40},
        {Qt::Key_Up, Qt::NoModifier, 100, 60},
        {Qt::Key_Up, Qt::NoModifier, 10, 0},
        {Qt::Key_PageDown, Qt::NoModifier, 0, 260},
        {Qt::Key_PageUp, Qt::NoModifier, 500, 240},
        {Qt::Key_Space, Qt::NoModifier, 600, 700},
        {Qt::Key_Space, Qt::ShiftModifier, 600, 340},
        {Qt::Key_Home, Qt::NoModifier, 420, 0},
        {Qt::Key_End, Qt::NoModifier, 0, 700},
        {Qt::Key_Down, Qt::NoModifier, 700, 700},
        {Qt::Key_A, Qt::NoModifier, 100, std::nullopt},
        {Qt::Key_Left, Qt::NoModifier, 100, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyboardScroller::scrolledY(c.key, c.modifiers, c.from, 0, 1000, 300), c.to)
            << c.key << " from " << c.from;
}

TEST(KeyboardScrolling, ContentShorterThanTheViewStaysAtItsOriginAndANegativeOriginCounts)
{
    EXPECT_EQ(KeyboardScroller::scrolledY(Qt::Key_End, Qt::NoModifier, 0, 0, 200, 300), 0);
    EXPECT_EQ(KeyboardScroller::scrolledY(Qt::Key_PageDown, Qt::NoModifier, 0, 0, 200, 300), 0);
    // A list whose content starts above zero (a list view after its rows were rebuilt).
    EXPECT_EQ(KeyboardScroller::scrolledY(Qt::Key_Home, Qt::NoModifier, 50, -120, 1000, 300), -120);
    EXPECT_EQ(KeyboardScroller::scrolledY(Qt::Key_End, Qt::NoModifier, 50, -120, 1000, 300), 580);
    // A view lower than two lines still pages by at least one line.
    EXPECT_EQ(KeyboardScroller::scrolledY(Qt::Key_PageDown, Qt::NoModifier, 0, 0, 1000, 30), 40);
}

TEST(KeyboardScrolling, AFocusedControlIsBroughtIntoViewWithAMargin)
{
    // View 300 high over content 1000 high; the margin is 12.
    struct Case {
        qreal top, bottom, from, to;
    };
    const Case cases[] = {
        {100, 130, 0, 0},    // in view: nothing moves
        {400, 430, 0, 142},  // below: its bottom comes up to the margin
        {20, 50, 200, 8},    // above: its top comes down to the margin
        {990, 1000, 0, 700}, // at the end: no further than the content goes
        {5, 30, 300, 0},     // at the start: no further than the origin
        {100, 700, 50, 88},  // taller than the view: its top wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyboardScroller::revealedY(c.top, c.bottom, c.from, 0, 1000, 300), c.to)
            << c.top << " from " << c.from;
}

} // namespace
} // namespace roror::test
