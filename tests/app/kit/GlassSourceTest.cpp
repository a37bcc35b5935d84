#include "app/kit/GlassSource.h"
#include "tests/support/TestEnv.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

// Left half `left`, right half `right`.
QImage halves(QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), left);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), right);
    return image;
}

class GlassSourceTest : public ::testing::Test {
protected:
    void TearDown() override { GlassSource::shared().clear(); }
    GlassSource& glass = GlassSource::shared();
    TestEnv env;
};

TEST_F(GlassSourceTest, FillCoversTheWindowCroppingTheLongerSidesAroundTheCentre)
{
    // A wide picture in a square: the middle third survives, the outer thirds are cut away.
    QImage wide(300, 100, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&wide);
    painter.fillRect(0, 0, 100, 100, Qt::red);
    painter.fillRect(100, 0, 100, 100, Qt::green);
    painter.fillRect(200, 0, 100, 100, Qt::blue);
    painter.end();
    const QImage square = GlassSource::filled(wide, QSize(50, 50));
    ASSERT_EQ(square.size(), QSize(50, 50));
    for (const QPoint p : {QPoint(2, 2), QPoint(25, 25), QPoint(47, 47)})
        EXPECT_EQ(QColor(square.pixel(p)).green(), 255) << p.x();
}

TEST_F(GlassSourceTest, BlurSoftensAnEdgeAndLeavesFlatAreasAlone)
{
    const QImage blurred = GlassSource::blurred(halves(QSize(200, 20), Qt::black, Qt::white), 6);
    ASSERT_EQ(blurred.size(), QSize(200, 20));
    EXPECT_EQ(QColor(blurred.pixel(5, 10)).red(), 0);
    EXPECT_EQ(QColor(blurred.pixel(195, 10)).red(), 255);
    const int atEdge = QColor(blurred.pixel(100, 10)).red();
    EXPECT_GT(atEdge, 60);
    EXPECT_LT(atEdge, 200);
    // Rising monotonically across the edge.
    for (int x = 80; x < 120; ++x)
        EXPECT_LE(QColor(blurred.pixel(x, 10)).red(), QColor(blurred.pixel(x + 1, 10)).red()) << x;
}

TEST_F(GlassSourceTest, ABackgroundFileIsDecodedOncePerPathAndRevisionAndBlurredPerWindowSize)
{
    const QString path = env.home() + QStringLiteral("/back.png");
    ASSERT_TRUE(halves(QSize(400, 300), Qt::red, Qt::red).save(path));
    QSignalSpy changed(&glass, &GlassSource::changed);

    glass.setBackdropFile(path, 0, QSizeF(1180, 780));
    ASSERT_TRUE(glass.available());
    EXPECT_EQ(glass.image().size(), QSize(295, 195));
    EXPECT_EQ(QColor(glass.image().pixel(100, 100)).red(), 255);

    // The same file, revision and size: nothing to do.
    glass.setBackdropFile(path, 0, QSizeF(1180, 780));
    EXPECT_EQ(changed.count(), 1);

    // The picture changes on disk under the same revision: the decoded copy is kept.
    ASSERT_TRUE(halves(QSize(400, 300), Qt::blue, Qt::blue).save(path));
    glass.setBackdropFile(path, 0, QSizeF(980, 720));
    EXPECT_EQ(glass.image().size(), QSize(245, 180));
    EXPECT_EQ(QColor(glass.image().pixel(100, 100)).red(), 255);

    // A raised revision reads the file again.
    glass.setBackdropFile(path, 1, QSizeF(980, 720));
    EXPECT_EQ(QColor(glass.image().pixel(100, 100)).blue(), 255);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(GlassSourceTest, AMissingOrBrokenFileOrAnEmptyPathLeavesTheFlatSurface)
{
    const QString good = env.home() + QStringLiteral("/back.png");
    ASSERT_TRUE(halves(QSize(40, 30), Qt::red, Qt::red).save(good));
    const QString text = env.writeFile(QStringLiteral("notes.png"), "not a picture");
    struct Case {
        QString path;
        const char* what;
    };
    const Case cases[]
        = {{env.home() + QStringLiteral("/missing.png"), "missing"}, {text, "broken"}, {QString(), "empty"}};
    for (const Case& c : cases) {
        glass.setBackdropFile(good, 7, QSizeF(980, 720));
        ASSERT_TRUE(glass.available());
        glass.setBackdropFile(c.path, 8, QSizeF(980, 720));
        EXPECT_FALSE(glass.available()) << c.what;
        EXPECT_TRUE(glass.image().isNull()) << c.what;
    }
}

// A picture with an edge is blurred; a smooth one (colour and sheen only) is taken as drawn.
TEST_F(GlassSourceTest, OnlyAPictureWithEdgesIsBlurred)
{
    const QImage picture = halves(QSize(980, 720), Qt::black, Qt::white);
    // Three reduced columns left of the edge: black as drawn, grey once blurred.
    const auto nextToEdge = [&] { return QColor(glass.image().pixel(119, 90)).red(); };
    glass.setBackdropImage(picture, QSizeF(980, 720));
    EXPECT_GT(nextToEdge(), 0);
    glass.setBackdropImage(picture, QSizeF(980, 720), true);
    EXPECT_EQ(nextToEdge(), 0);
}

TEST_F(GlassSourceTest, APictureOfTheBackdropIsTakenAsIsAndTheFlagIsAnnounced)
{
    glass.setBackdropImage(halves(QSize(980, 720), Qt::black, Qt::white), QSizeF(980, 720));
    ASSERT_TRUE(glass.available());
    EXPECT_EQ(QColor(glass.image().pixel(10, 90)).red(), 0);
    EXPECT_EQ(QColor(glass.image().pixel(235, 90)).red(), 255);

    QSignalSpy flag(&glass, &GlassSource::hasCustomWindowBackgroundChanged);
    glass.setHasCustomWindowBackground(true);
    glass.setHasCustomWindowBackground(true);
    glass.setHasCustomWindowBackground(false);
    EXPECT_EQ(flag.count(), 2);
}

} // namespace
} // namespace roror::test
