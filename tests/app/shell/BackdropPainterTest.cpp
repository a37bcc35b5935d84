#include "app/shell/BackdropPainter.h"

#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

TEST(AuraTone, SwitchesAt46And76)
{
    const struct {
        int score;
        AuraTone tone;
    } cases[] = {{100, AuraTone::mint}, {76, AuraTone::mint}, {75, AuraTone::amber}, {46, AuraTone::amber},
                 {45, AuraTone::blush}, {0, AuraTone::blush}, {-7, AuraTone::blush}, {130, AuraTone::mint}};
    for (const auto& c : cases)
        EXPECT_EQ(auraTone(c.score), c.tone) << "score " << c.score;
}

BackdropLayers plainLayers()
{
    BackdropLayers layers;
    layers.base = QColor(236, 236, 236);
    layers.auraSoft = QColor::fromRgbF(0.84f, 0.92f, 0.88f);
    layers.auraOrb = QColor::fromRgbF(0.36f, 0.8f, 0.78f);
    return layers;
}

QColor pixel(const QImage& image, qreal fx, qreal fy)
{
    return image.pixelColor(int(fx * (image.width() - 1)), int(fy * (image.height() - 1)));
}

TEST(Backdrop, TintsTheWindowOnlyWhenThereIsAScore)
{
    const QSize size(800, 600);
    BackdropLayers layers = plainLayers();
    const QImage none = renderBackdrop(size, 1, layers);
    layers.score = 90;
    const QImage aura = renderBackdrop(size, 1, layers);

    // Without a score the backdrop is grey, a touch lighter at the top from the sheen.
    const QColor plainTop = pixel(none, 0.82, 0.1);
    EXPECT_LE(std::abs(plainTop.red() - plainTop.green()), 1);
    EXPECT_GT(pixel(none, 0.5, 0.02).red(), pixel(none, 0.5, 0.98).red());
    // With one the orb near the top right turns the grey green-blue; the bottom stays grey.
    const QColor orb = pixel(aura, 0.82, 0.1);
    EXPECT_GT(orb.green() - orb.red(), 15);
    const QColor bottom = pixel(aura, 0.1, 0.99);
    EXPECT_LE(std::abs(bottom.red() - bottom.green()), 2);
}

TEST(Backdrop, SheenIsFainterUnderTheAura)
{
    EXPECT_DOUBLE_EQ(sheenTopOpacity(false), 0.1);
    EXPECT_DOUBLE_EQ(sheenTopOpacity(true), 0.06);
}

TEST(Backdrop, ImageCoversTheWindowUnderAThinVeil)
{
    // A wide image, red left half and blue right half, on a tall window: the middle is kept,
    // so both halves show and nothing is letter-boxed in the base colour.
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 100; ++y)
        for (int x = 200; x < 400; ++x)
            image.setPixelColor(x, y, Qt::blue);
    BackdropLayers layers = plainLayers();
    layers.image = image;
    const QImage out = renderBackdrop(QSize(300, 600), 1, layers);
    const QColor left = pixel(out, 0.1, 0.5);
    const QColor right = pixel(out, 0.9, 0.5);
    EXPECT_GT(left.red(), 190);
    EXPECT_LT(left.blue(), 70);
    EXPECT_GT(right.blue(), 190);
    EXPECT_LT(right.red(), 70);
    // The veil lifts pure red a little towards the base colour.
    EXPECT_GT(left.green(), 20);
}

TEST(Backdrop, GradientsAreDitheredNotBanded)
{
    // The sheen spans about two colour steps: dithered, neighbouring pixels of one row mix both.
    BackdropLayers layers = plainLayers();
    const QImage out = renderBackdrop(QSize(64, 600), 1, layers);
    int rowsWithTwoSteps = 0;
    for (int y = 0; y < 300; ++y) {
        int low = 255;
        int high = 0;
        for (int x = 0; x < 64; ++x) {
            low = std::min(low, out.pixelColor(x, y).red());
            high = std::max(high, out.pixelColor(x, y).red());
        }
        if (high > low)
            ++rowsWithTwoSteps;
    }
    EXPECT_GT(rowsWithTwoSteps, 100);
}

TEST(BackdropImage, MissingOrBrokenFilesGiveNoImage)
{
    TestEnv env;
    EXPECT_TRUE(readBackdropImage(env.home() + QStringLiteral("/missing.png"), QSize(100, 100)).isNull());
    const QString broken = env.writeFile(QStringLiteral("broken.png"), QByteArray("not an image"));
    EXPECT_TRUE(readBackdropImage(broken, QSize(100, 100)).isNull());
}

TEST(BackdropImage, IsDecodedNoLargerThanNeededToCover)
{
    TestEnv env;
    QImage big(4000, 2000, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    const QString file = env.home() + QStringLiteral("/big.png");
    ASSERT_TRUE(big.save(file));
    EXPECT_EQ(readBackdropImage(file, QSize(1000, 1000)).size(), QSize(2000, 1000));
    // A small image is kept at its own size.
    EXPECT_EQ(readBackdropImage(file, QSize(8000, 8000)).size(), QSize(4000, 2000));
}

TEST(DesktopPicture, TheWallpaperIsBlurredSmallCoveringTheWindowUnderTheWindowsVeil)
{
    TestEnv env;
    // Red left half, blue right half, 16:9 on a 1180 by 780 window: cropped at the sides.
    QImage wall(1600, 900, QImage::Format_RGB32);
    wall.fill(Qt::red);
    for (int y = 0; y < 900; ++y)
        for (int x = 800; x < 1600; ++x)
            wall.setPixelColor(x, y, Qt::blue);
    const QString file = env.home() + QStringLiteral("/wall.png");
    ASSERT_TRUE(wall.save(file));
    const QImage desktop = blurredDesktopImage(file, QSize(1180, 780));
    // A quarter of the window: one small picture held, whatever the wallpaper's size.
    ASSERT_EQ(desktop.size(), QSize(295, 195));
    EXPECT_GT(pixel(desktop, 0.02, 0.5).red(), 230);
    EXPECT_GT(pixel(desktop, 0.98, 0.5).blue(), 230);
    // Blurred: the hard edge in the middle is a ramp tens of pixels wide.
    const QColor edge = pixel(desktop, 0.5, 0.5);
    EXPECT_GT(edge.red(), 80);
    EXPECT_GT(edge.blue(), 80);
    const QColor nearEdge = desktop.pixelColor(147 - 12, 97);
    EXPECT_GT(nearEdge.blue(), 10); // 0 without the blur

    // Drawn over the whole window under the veil of the base colour.
    BackdropLayers layers = plainLayers();
    layers.desktop = desktop;
    const QImage out = renderBackdrop(QSize(1180, 780), 1, layers);
    const QColor left = pixel(out, 0.05, 0.6);
    EXPECT_GT(left.red(), left.blue() + 60);
    EXPECT_GT(left.blue(), 100); // the veil, not the bare wallpaper
    const QColor right = pixel(out, 0.95, 0.6);
    EXPECT_GT(right.blue(), right.red() + 60);

    // A custom image wins over the desktop.
    QImage green(64, 64, QImage::Format_RGB32);
    green.fill(Qt::green);
    layers.image = green;
    const QColor custom = pixel(renderBackdrop(QSize(400, 300), 1, layers), 0.05, 0.6);
    EXPECT_GT(custom.green(), custom.red() + 100);

    // Missing or broken files give no desktop picture: the plain base stays.
    EXPECT_TRUE(blurredDesktopImage(env.home() + QStringLiteral("/gone.jpg"), QSize(1180, 780)).isNull());
    const QString broken = env.writeFile(QStringLiteral("broken.jpg"), QByteArray("not a picture"));
    EXPECT_TRUE(blurredDesktopImage(broken, QSize(1180, 780)).isNull());
}

} // namespace
} // namespace roror::test
