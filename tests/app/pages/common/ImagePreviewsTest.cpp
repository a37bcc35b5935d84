#include "app/pages/common/ImagePreviews.h"
#include "tests/support/TestEnv.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

QString picture(const TestEnv& env, const QString& name, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = env.home() + QLatin1Char('/') + name;
    EXPECT_TRUE(image.save(path));
    return path;
}

class ImagePreviewsTest : public ::testing::Test {
protected:
    void SetUp() override { ImagePreviews::clearCache(); }
    TestEnv env;
};

TEST_F(ImagePreviewsTest, PicturesAreScaledToTheBoxKeepingTheirShape)
{
    const QString wide = picture(env, QStringLiteral("wide.png"), QSize(1600, 900), Qt::red);
    using S = ImagePreviews::Scaling;
    EXPECT_EQ(ImagePreviews::picture(wide, 0, QSize(80, 80), S::fit).size(), QSize(80, 45));
    EXPECT_EQ(ImagePreviews::picture(wide, 0, QSize(80, 80), S::fill).size(), QSize(142, 80));
    EXPECT_EQ(ImagePreviews::picture(wide, 0, QSize(), S::fit).size(), QSize(1600, 900));
}

TEST_F(ImagePreviewsTest, ARoundedTileIsTheWholeBoxWithThePictureCentredAndClearCorners)
{
    const QString square = picture(env, QStringLiteral("square.png"), QSize(400, 400), Qt::blue);
    const QString wide = picture(env, QStringLiteral("wide.png"), QSize(1600, 900), Qt::blue);
    const QImage tile = ImagePreviews::picture(square, 0, QSize(80, 80), ImagePreviews::Scaling::fit, 10.0 / 80);
    ASSERT_EQ(tile.size(), QSize(80, 80));
    EXPECT_EQ(qAlpha(tile.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(tile.pixel(79, 79)), 0);
    EXPECT_EQ(QColor(tile.pixel(40, 40)).blue(), 255);
    EXPECT_EQ(qAlpha(tile.pixel(40, 1)), 255);
    // A wide picture is letter-boxed: clear bands above and below its 45 rows.
    const QImage banded = ImagePreviews::picture(wide, 0, QSize(80, 80), ImagePreviews::Scaling::fit, 10.0 / 80);
    EXPECT_EQ(qAlpha(banded.pixel(40, 10)), 0);
    EXPECT_EQ(qAlpha(banded.pixel(40, 40)), 255);
    EXPECT_EQ(qAlpha(banded.pixel(40, 70)), 0);
}

TEST_F(ImagePreviewsTest, DecodedOncePerPathRevisionAndSizeAndReadAgainForANewRevision)
{
    const QString path = picture(env, QStringLiteral("back.png"), QSize(200, 100), Qt::red);
    const int before = ImagePreviews::decodeCount();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(QColor(ImagePreviews::picture(path, 0, QSize(80, 80), ImagePreviews::Scaling::fit).pixel(1, 1)).red(),
                  255);
    EXPECT_EQ(ImagePreviews::decodeCount(), before + 1);

    // Replaced on disk under the same revision: the cached picture stays.
    picture(env, QStringLiteral("back.png"), QSize(200, 100), Qt::green);
    EXPECT_EQ(QColor(ImagePreviews::picture(path, 0, QSize(80, 80), ImagePreviews::Scaling::fit).pixel(1, 1)).red(),
              255);
    // The model raises the revision on every change: the new picture is read.
    EXPECT_EQ(QColor(ImagePreviews::picture(path, 1, QSize(80, 80), ImagePreviews::Scaling::fit).pixel(1, 1)).green(),
              255);
    EXPECT_EQ(ImagePreviews::decodeCount(), before + 2);
}

TEST_F(ImagePreviewsTest, MissingAndBrokenFilesGiveNoPictureAndAreNotReadAgain)
{
    const QString missing = env.home() + QStringLiteral("/gone.png");
    const QString text = env.writeFile(QStringLiteral("notes.png"), "just some text");
    const QString good = picture(env, QStringLiteral("good.jpg"), QSize(20, 10), Qt::red);
    for (const QString& path : {missing, text}) {
        const int before = ImagePreviews::decodeCount();
        EXPECT_TRUE(ImagePreviews::picture(path, 0, QSize(80, 80), ImagePreviews::Scaling::fit).isNull());
        EXPECT_TRUE(ImagePreviews::picture(path, 0, QSize(80, 80), ImagePreviews::Scaling::fit).isNull());
        EXPECT_EQ(ImagePreviews::decodeCount(), before + 1);
        EXPECT_FALSE(ImagePreviews::readable(path, 0));
    }
    EXPECT_TRUE(ImagePreviews::readable(good, 0));
    EXPECT_FALSE(ImagePreviews::readable(QString(), 0));
}

} // namespace
} // namespace roror::test
