#include "platform/DesktopWallpaper.h"
#include "tests/support/TestEnv.h"

#include <QImage>
#include <QUrl>
#include <gtest/gtest.h>

using namespace roror;

namespace {

class DesktopWallpaperRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = qgetenv("XDG_CURRENT_DESKTOP");
        hadDesktop = qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP");
        // No gsettings by default: the dconf keyfile is read instead.
        DesktopWallpaper::setGsettingsSource([](const QString&) -> std::optional<QString> { return std::nullopt; });
    }
    void TearDown() override
    {
        DesktopWallpaper::setGsettingsSource({});
        if (hadDesktop)
            qputenv("XDG_CURRENT_DESKTOP", saved);
        else
            qunsetenv("XDG_CURRENT_DESKTOP");
    }
    QString picture() const { return env.home() + QStringLiteral("/Pictures/hills.png"); }
    QString config(const QString& relative) const { return env.home() + QStringLiteral("/.config/") + relative; }

    test::TestEnv env;
    QByteArray saved;
    bool hadDesktop = false;
};

// Each desktop's own settings file, naming the picture in that desktop's form.
TEST_F(DesktopWallpaperRead, EachDesktopsSettingsNameThePicture)
{
    env.makeDir(QStringLiteral("Pictures"));
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(this->picture()));
    const QString url = QUrl::fromLocalFile(this->picture()).toString();
    struct Case {
        const char* desktop;
        QString file;
        QByteArray content;
    };
    const Case cases[] = {
        {"ubuntu:GNOME", config(QStringLiteral("dconf/user.txt")),
         "[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n\n[org/gnome/desktop/"
         "background]\npicture-options='zoom'\npicture-uri='"
             + url.toUtf8() + "'\n"},
        {"KDE", config(QStringLiteral("plasma-org.kde.plasma.desktop-appletsrc")),
         "[Containments][1]\nplugin=org.kde.panel\n\n[Containments][7][Applets][9][Configuration]\nImage=/"
         "nowhere.png\n\n"
         "[Containments][7][Wallpaper][org.kde.image][General]\nImage="
             + url.toUtf8() + "\nSlidePaths=/usr/share/wallpapers/\n"},
        {"XFCE", config(QStringLiteral("xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml")),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<channel name=\"xfce4-desktop\" version=\"1.0\">\n"
         "  <property name=\"backdrop\" type=\"empty\">\n    <property name=\"screen0\" type=\"empty\">\n"
         "      <property name=\"monitoreDP-1\" type=\"empty\">\n        <property name=\"workspace0\" "
         "type=\"empty\">\n"
         "          <property name=\"image-style\" type=\"int\" value=\"5\"/>\n"
         "          <property name=\"last-image\" type=\"string\" value=\""
             + this->picture().toUtf8()
             + "\"/>\n        </property>\n      </property>\n    </property>\n  </property>\n</channel>\n"},
    };
    for (const Case& c : cases) {
        qputenv("XDG_CURRENT_DESKTOP", c.desktop);
        EXPECT_EQ(DesktopWallpaper::currentPath(), std::nullopt) << c.desktop << ": no settings yet";
        env.writeFile(c.file, c.content);
        EXPECT_EQ(DesktopWallpaper::currentPath().value_or(QStringLiteral("<none>")), this->picture()) << c.desktop;
    }
    // A desktop whose settings are not read here, or none at all.
    for (const char* other : {"LXQt", ""}) {
        qputenv("XDG_CURRENT_DESKTOP", other);
        EXPECT_EQ(DesktopWallpaper::currentPath(), std::nullopt) << other;
    }
}

TEST_F(DesktopWallpaperRead, GsettingsIsAskedFirstAndTheDarkPictureFallsBackToTheLightOne)
{
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    env.makeDir(QStringLiteral("Pictures"));
    QImage picture(64, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(this->picture()));
    QStringList asked;
    QString dark = QStringLiteral("''");
    DesktopWallpaper::setGsettingsSource([&](const QString& key) -> std::optional<QString> {
        asked.append(key);
        if (key == QLatin1String("picture-uri-dark"))
            return dark;
        return QStringLiteral("'") + QUrl::fromLocalFile(this->picture()).toString() + QStringLiteral("'\n");
    });
    EXPECT_EQ(DesktopWallpaper::currentPath(false).value_or(QString()), this->picture());
    EXPECT_EQ(DesktopWallpaper::currentPath(true).value_or(QString()), this->picture());
    EXPECT_EQ(asked,
              (QStringList{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark"),
                           QStringLiteral("picture-uri")}));
}

TEST_F(DesktopWallpaperRead, AMissingPictureOrBrokenSettingsAreNoWallpaper)
{
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    for (const QString& named : {env.home() + QStringLiteral("/Pictures"),
                                 env.home() + QStringLiteral("/Pictures/gone.png"), QStringLiteral("relative.png")}) {
        env.writeFile(config(QStringLiteral("plasma-org.kde.plasma.desktop-appletsrc")),
                      "[Containments][3][Wallpaper][org.kde.image][General]\nImage=" + named.toUtf8() + "\n");
        EXPECT_EQ(DesktopWallpaper::currentPath(), std::nullopt) << named.toStdString();
    }
    // A settings file that is not what its desktop writes.
    qputenv("XDG_CURRENT_DESKTOP", "XFCE");
    env.writeFile(config(QStringLiteral("xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml")),
                  "<channel><property name=");
    EXPECT_EQ(DesktopWallpaper::currentPath(), std::nullopt);
}

} // namespace
