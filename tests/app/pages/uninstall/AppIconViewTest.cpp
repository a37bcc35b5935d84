#include "app/pages/uninstall/AppIconCache.h"
#include "app/pages/uninstall/UninstallEntryModel.h"
#include "tests/support/ViewFixture.h"

#include <QImage>
#include <QQuickImageProvider>
#include <gtest/gtest.h>

namespace roror::test {
namespace {

// An Image of the page's image provider, as a table row shows it.
QByteArray iconFrame(const QStringList& sources)
{
    QByteArray qml = "import QtQuick\nimport Roror.App\nRow {\n  UninstallPage { }\n";
    for (int i = 0; i < sources.size(); ++i)
        qml += "  Image { objectName: \"icon" + QByteArray::number(i)
            + "\"; asynchronous: true; "
              "sourceSize.width: 48; sourceSize.height: 48; source: \""
            + sources.at(i).toUtf8() + "\" }\n";
    return qml + "}\n";
}

TEST_F(ViewTest, AppIconsLoadThroughThePagesProviderAndAreCachedByPath)
{
    AppIconCache::shared().clear();
    const QString bundle = view().env().makeDir(QStringLiteral("Applications/Odd #1 100%.app"));
    view().env().writeFile(bundle + QStringLiteral("/Contents/Info.plist"),
                           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist "
                           "version=\"1.0\"><dict><key>CFBundleIconFile</key><string>Icon.png</string></dict></plist>");
    QImage red(128, 128, QImage::Format_ARGB32);
    red.fill(Qt::red);
    view().env().makeDir(bundle + QStringLiteral("/Contents/Resources"));
    ASSERT_TRUE(red.save(bundle + QStringLiteral("/Contents/Resources/Icon.png")));
    const QString missing = view().env().home() + QStringLiteral("/Applications/Gone.app");

    ASSERT_NE(
        view().loadText(iconFrame({UninstallEntryModel::iconSource(bundle), UninstallEntryModel::iconSource(missing)})),
        nullptr);
    QQuickItem* icon = view().find(QStringLiteral("icon0"));
    QQuickItem* generic = view().find(QStringLiteral("icon1"));
    ASSERT_TRUE(icon && generic);
    const auto ready = [](QQuickItem* item) { return item->property("status").toInt() == 1; };
    ASSERT_TRUE(spinUntil([&] { return ready(icon) && ready(generic); }));
    EXPECT_EQ(icon->implicitWidth(), 48);
    EXPECT_EQ(generic->implicitWidth(), 48);
    // The decoded icon stays in the cache under its bundle path and the asked size.
    EXPECT_TRUE(AppIconCache::shared().contains(bundle, QSize(48, 48)));
    EXPECT_TRUE(AppIconCache::shared().contains(missing, QSize(48, 48)));
    const QImage shown = view().grab();
    const QPointF centre = icon->mapToScene(QPointF(24, 24));
    EXPECT_EQ(QColor(shown.pixel(centre.toPoint())), QColor(Qt::red));
}

} // namespace
} // namespace roror::test
