#include "platform/desktop/CompositorBlur.h"
#include "platform/desktop/DesktopAppearance.h"

#include "tests/app/model/ModelTestSupport.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QPalette>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>
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

// The settings portal's appearance setting on a private bus. It answers from its own thread, as
// the real portal answers from its own process while the program waits.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    std::atomic<uint> scheme{1};

public slots:
    // The deprecated Read wraps the value in a second variant; the program must unwrap both.
    QDBusVariant Read(const QString& group, const QString& key)
    {
        if (group != QLatin1String("org.freedesktop.appearance") || key != QLatin1String("color-scheme"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(QString())));
        return QDBusVariant(QVariant::fromValue(QDBusVariant(scheme.load())));
    }
};

class PrivateBus {
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        m_daemon.start(daemon,
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                        QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000))
            return;
        address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-portal"));
        QDBusConnection::disconnectFromBus(QStringLiteral("roror-appearance"));
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    QString address;

private:
    QProcess m_daemon;
};

TEST(DesktopAppearancePortal, ReadsThePortalAtStartAndFollowsItsChangeSignal)
{
    PrivateBus bus;
    if (bus.address.isEmpty())
        GTEST_SKIP() << "no dbus-daemon";
    QDBusConnection server = QDBusConnection::connectToBus(bus.address, QStringLiteral("fake-portal"));
    ASSERT_TRUE(server.isConnected());
    QThread thread;
    thread.start();
    FakePortal portal;
    portal.moveToThread(&thread);
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
    ASSERT_TRUE(server.registerObject(path, &portal, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(server.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));

    // The portal prefers dark: read at once, before any palette says otherwise.
    DesktopAppearance appearance(DesktopAppearance::Sources{false, true, bus.address});
    EXPECT_TRUE(appearance.dark());

    // The desktop switches to light: the portal's signal arrives and the appearance follows.
    QSignalSpy changes(&appearance, &DesktopAppearance::darkChanged);
    portal.scheme = 2;
    QDBusMessage changed = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Settings"),
                                                      QStringLiteral("SettingChanged"));
    changed << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
            << QVariant::fromValue(QDBusVariant(2u));
    // The bus installs the program's match rule in its own time; until it has, a signal passes by
    // unseen, so the desktop says it again, as it would at its next change.
    const bool followed = test::spinUntil([&] {
        if (changes.count() == 0)
            server.send(changed);
        QThread::msleep(20);
        return changes.count() > 0;
    });
    EXPECT_TRUE(followed);
    EXPECT_FALSE(appearance.dark());

    server.unregisterObject(path);
    thread.quit();
    thread.wait();
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

#include "DesktopAppearanceTest.moc"
