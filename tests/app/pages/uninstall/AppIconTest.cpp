#include "app/pages/uninstall/AppIcon.h"
#include "app/pages/uninstall/AppIconCache.h"
#include "tests/support/TestEnv.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace roror;
using roror::test::TestEnv;

namespace {

QByteArray infoPlist(const QString& iconFile)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                     "<key>CFBundleIdentifier</key><string>com.example.app</string>";
    if (!iconFile.isNull())
        xml += "<key>CFBundleIconFile</key><string>" + iconFile.toUtf8() + "</string>";
    return xml + "</dict></plist>\n";
}

// A bundle whose icon is a red square of `side` pixels in the given format.
QString bundleWithIcon(const TestEnv& env, const QString& name, const QString& iconFile, const QString& storedAs,
                       const char* format, int side = 64)
{
    const QString bundle = env.makeDir(QStringLiteral("Applications/") + name + QStringLiteral(".app"));
    env.writeFile(bundle + QStringLiteral("/Contents/Info.plist"), infoPlist(iconFile));
    env.makeDir(bundle + QStringLiteral("/Contents/Resources"));
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QImageWriter writer(bundle + QStringLiteral("/Contents/Resources/") + storedAs, format);
    EXPECT_TRUE(writer.write(icon)) << writer.errorString().toStdString();
    return bundle;
}

bool isGeneric(const QImage& image)
{
    return image == AppIcon::genericIcon(image.size());
}

} // namespace

TEST(AppIcon, BundleIconFileIsFoundDecodedAndScaled)
{
    TestEnv env;
    const struct {
        const char* iconFile;
        const char* storedAs;
        const char* format;
    } cases[] = {
        {"AppIcon", "AppIcon.icns", "icns"}, // the usual form: no extension in Info.plist
        {"AppIcon.icns", "AppIcon.icns", "icns"},
        {"Logo.png", "Logo.png", "png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedAs);
        const QString bundle = bundleWithIcon(env, QString::fromLatin1(c.format), QString::fromLatin1(c.iconFile),
                                              QString::fromLatin1(c.storedAs), c.format);
        ASSERT_EQ(AppIcon::iconFile(bundle), bundle + QStringLiteral("/Contents/Resources/") + c.storedAs);
        const QImage image = AppIcon::load(bundle, QSize(48, 48));
        ASSERT_EQ(image.size(), QSize(48, 48));
        EXPECT_EQ(QColor(image.pixel(24, 24)), QColor(Qt::red));
    }
}

TEST(AppIcon, WithoutAUsableIconTheGenericOneIsShown)
{
    TestEnv env;
    const QString outsideIcon = env.outside() + QStringLiteral("/secret.png");
    QImage(8, 8, QImage::Format_ARGB32).save(outsideIcon);

    const QString noPlist = env.makeDir(QStringLiteral("Applications/Bare.app"));
    const QString noKey = env.makeDir(QStringLiteral("Applications/NoKey.app"));
    env.writeFile(noKey + QStringLiteral("/Contents/Info.plist"), infoPlist(QString()));
    const QString missing = env.makeDir(QStringLiteral("Applications/Missing.app"));
    env.writeFile(missing + QStringLiteral("/Contents/Info.plist"), infoPlist(QStringLiteral("Gone")));
    const QString escaping = env.makeDir(QStringLiteral("Applications/Escaping.app"));
    env.writeFile(escaping + QStringLiteral("/Contents/Info.plist"),
                  infoPlist(QStringLiteral("../../../../outside/secret.png")));
    const QString broken = env.makeDir(QStringLiteral("Applications/Broken.app"));
    env.writeFile(broken + QStringLiteral("/Contents/Info.plist"), infoPlist(QStringLiteral("Icon.icns")));
    env.writeFile(broken + QStringLiteral("/Contents/Resources/Icon.icns"), "not an image");

    for (const QString& bundle : {noPlist, noKey, missing, escaping, broken}) {
        SCOPED_TRACE(bundle.toStdString());
        const QImage image = AppIcon::load(bundle, QSize(24, 24));
        ASSERT_EQ(image.size(), QSize(24, 24));
        EXPECT_TRUE(isGeneric(image));
    }
    EXPECT_FALSE(AppIcon::iconFile(escaping));
}

TEST(AppIcon, WideIconKeepsItsShapeInsideTheSquare)
{
    TestEnv env;
    const QString bundle = env.makeDir(QStringLiteral("Applications/Wide.app"));
    env.writeFile(bundle + QStringLiteral("/Contents/Info.plist"), infoPlist(QStringLiteral("Wide.png")));
    env.makeDir(bundle + QStringLiteral("/Contents/Resources"));
    QImage wide(200, 100, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    wide.save(bundle + QStringLiteral("/Contents/Resources/Wide.png"));
    EXPECT_EQ(AppIcon::load(bundle, QSize(48, 48)).size(), QSize(48, 24));
}

TEST(AppIconCache, DecodesEachPathAndSizeOnce)
{
    TestEnv env;
    const QString bundle
        = bundleWithIcon(env, QStringLiteral("Cached"), QStringLiteral("Icon.png"), QStringLiteral("Icon.png"), "png");
    AppIconCache cache;
    EXPECT_FALSE(cache.contains(bundle, QSize(24, 24)));
    const QImage first = cache.image(bundle, QSize(24, 24));
    EXPECT_TRUE(cache.contains(bundle, QSize(24, 24)));
    EXPECT_FALSE(cache.contains(bundle, QSize(48, 48)));
    // Gone from disk, still shown: the second request never reads the file again.
    ASSERT_TRUE(QFile::remove(bundle + QStringLiteral("/Contents/Resources/Icon.png")));
    EXPECT_EQ(cache.image(bundle, QSize(24, 24)), first);
    EXPECT_TRUE(isGeneric(cache.image(bundle, QSize(48, 48))));
}
