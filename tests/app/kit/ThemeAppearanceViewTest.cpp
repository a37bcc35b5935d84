#include "platform/desktop/DesktopAppearance.h"
#include "tests/support/ViewFixture.h"

#include <QColor>
#include <QQuickItem>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

class ThemeAppearanceView : public ViewTest {
protected:
    void TearDown() override
    {
        // The test programs run light (TestMain); leave it so for the next test.
        DesktopAppearance::shared().setForced(false);
        ViewTest::TearDown();
    }
    QColor color(const char* name) { return view().root()->property(name).value<QColor>(); }
};

TEST_F(ThemeAppearanceView, LabelColoursFollowTheDesktopAndExplicitColoursKeepTheirComponents)
{
    DesktopAppearance::shared().setForced(false);
    QQuickItem* root = view().loadText(R"(import QtQuick
        import Roror.Kit
        Rectangle {
            color: AppTheme.windowBackground
            property color ink: AppTheme.ink
            property color primary: AppTheme.primary
            property color muted: AppTheme.muted
            property color secondary: AppTheme.secondary
            property color quiet: AppTheme.quiet
            property color line: AppTheme.line
            property color accent: AppTheme.accent
            property color successSoft: AppTheme.successSoft
            property color window: AppTheme.windowBackground
            LiquidGlassSurface { objectName: "glass"; x: 100; y: 100; width: 200; height: 100 }
            Text { objectName: "label"; x: 400; y: 100; text: "Settings"; color: AppTheme.ink }
        })");
    ASSERT_NE(root, nullptr) << view().warnings().join(QLatin1Char('\n')).toStdString();
    const QColor accent = color("accent");
    const QColor soft = color("successSoft");
    const auto lightness = [&](const char* name) { return color(name).lightness(); };

    struct Look {
        QColor ink, muted, quiet, line, window, glass;
    };
    const auto look = [&] {
        const QImage shot = view().grab();
        return Look{color("ink"),  color("muted"),  color("quiet"),
                    color("line"), color("window"), shot.pixelColor(200, 150)};
    };
    const Look light = look();
    EXPECT_LT(lightness("ink"), 20);
    EXPECT_GT(light.window.lightness(), 200);
    EXPECT_GT(light.glass.lightness(), 200);

    // The desktop turns dark: the label colours turn light, the window and glass dark.
    DesktopAppearance::shared().setForced(true);
    view().settle();
    const Look dark = look();
    EXPECT_GT(lightness("ink"), 235);
    EXPECT_GT(lightness("muted"), 235);
    EXPECT_GT(lightness("quiet"), 235);
    EXPECT_GT(lightness("line"), 235);
    // The system's opacities stay: the faint members stay faint.
    EXPECT_NEAR(dark.ink.alphaF(), 0.85 * 0.88, 0.01);
    EXPECT_LT(dark.quiet.alphaF(), dark.muted.alphaF());
    EXPECT_LT(dark.window.lightness(), 50);
    EXPECT_LT(dark.glass.lightness(), 90);
    EXPECT_EQ(color("ink"), color("primary"));
    EXPECT_EQ(color("muted"), color("secondary"));
    EXPECT_EQ(color("successSoft"), soft);
    // The accent alone turns lighter, so accent text and symbols stay readable on the dark window.
    EXPECT_GT(color("accent").lightness(), accent.lightness() + 80);

    // And back, live.
    DesktopAppearance::shared().setForced(false);
    view().settle();
    EXPECT_EQ(color("ink"), light.ink);
    EXPECT_EQ(view().grab().pixelColor(200, 150), light.glass);
}

} // namespace
} // namespace roror::test
