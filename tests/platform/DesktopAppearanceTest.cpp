#include "platform/desktop/CompositorBlur.h"
#include "platform/desktop/DesktopAppearance.h"

#include <QDBusVariant>
#include <QGuiApplication>
#include <QPalette>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace roror;

namespace {

TEST(DesktopAppearanceChoice, TheEnvironmentForcesOnlyWithAKnownWord)
{
    const struct {
        QByteArray value;
        std::optional<bool> forced;
    } cases[] = {
        {"dark", true},   {"light", false},   {" Dark\n", true},
        {"LIGHT", false}, {"", std::nullopt}, {"auto", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopAppearance::forcedFrom(c.value), c.forced) << c.value.constData();
}

// A desktop-wide palette change, as the platform theme delivers it.
class PaletteScope {
public:
    explicit PaletteScope(const QColor& window)
        : m_saved(QGuiApplication::palette())
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Window, window);
        QGuiApplication::setPalette(palette);
    }
    ~PaletteScope() { QGuiApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

TEST(DesktopAppearanceChoice, ThePortalsPreferenceWinsOverThePaletteAndChangesLive)
{
    DesktopAppearance appearance(DesktopAppearance::Sources{false, false});
    QSignalSpy changes(&appearance, &DesktopAppearance::darkChanged);
    EXPECT_FALSE(appearance.dark());

    // No preference stated: the palette decides, and its change is followed.
    {
        PaletteScope dark(QColor(40, 40, 42));
        EXPECT_TRUE(appearance.dark());
        EXPECT_EQ(changes.count(), 1);
        // The portal prefers light: it wins over the dark palette.
        appearance.setPortalColorScheme(2u);
        EXPECT_FALSE(appearance.dark());
        appearance.setPortalColorScheme(0u);
        EXPECT_TRUE(appearance.dark());
    }
    EXPECT_FALSE(appearance.dark());

    // The portal's change signal carries the value in a variant; its Read answer wraps it twice.
    const auto settingChanged = [&](const QString& group, const QString& key, const QVariant& value) {
        QMetaObject::invokeMethod(&appearance, "portalSettingChanged", Q_ARG(QString, group), Q_ARG(QString, key),
                                  Q_ARG(QDBusVariant, QDBusVariant(value)));
    };
    changes.clear();
    settingChanged(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 1u);
    EXPECT_TRUE(appearance.dark());
    settingChanged(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"),
                   QVariant::fromValue(QDBusVariant(2u)));
    EXPECT_FALSE(appearance.dark());
    // Other settings of the portal are not the appearance.
    settingChanged(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("accent-color"), 1u);
    settingChanged(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("color-scheme"), 1u);
    EXPECT_FALSE(appearance.dark());
    EXPECT_EQ(changes.count(), 2);

    // A forced choice wins over everything until it is lifted.
    settingChanged(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), 1u);
    appearance.setForced(false);
    EXPECT_FALSE(appearance.dark());
    appearance.setForced(std::nullopt);
    EXPECT_TRUE(appearance.dark());
}

TEST(CompositorBlurChoice, OnlyACompositingKWinBlursBehindTheWindow)
{
    const struct {
        std::optional<QString> manager;
        bool compositing;
        bool offered;
    } cases[] = {
        {QStringLiteral("KWin"), true, true},
        {QStringLiteral("KWin"), false, false},
        {QStringLiteral("GNOME Shell"), true, false},
        {QStringLiteral("Xfwm4"), true, false},
        {std::nullopt, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompositorBlur::offersBlur({c.manager, c.compositing}), c.offered)
            << c.manager.value_or(QStringLiteral("<none>")).toStdString() << c.compositing;
    // Without an X11 display (the tests' offscreen platform) nothing is offered or asked for.
    EXPECT_FALSE(CompositorBlur::available());
    EXPECT_FALSE(CompositorBlur::request(nullptr));
}

} // namespace
