#include "platform/desktop/DesktopAppearance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

namespace roror {
namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString portalInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
// The portal answers in a few milliseconds; a hung one must not hold up the first frame.
constexpr int portalTimeoutMs = 250;

// The portal wraps the value in one or two variants (Read answers v of v, SettingChanged v).
std::optional<uint> schemeFrom(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok ? std::optional<uint>(scheme) : std::nullopt;
}

bool paletteIsDark()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

} // namespace

DesktopAppearance::DesktopAppearance(Sources sources, QObject* parent)
    : QObject(parent)
{
    if (sources.environment)
        m_forced = forcedFrom(qgetenv("ROROR_APPEARANCE"));
    if (sources.portal && !m_forced)
        connectPortal(sources.busAddress);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
    m_dark = m_forced.value_or(false);
    update();
}

DesktopAppearance& DesktopAppearance::shared()
{
    static DesktopAppearance* instance = new DesktopAppearance(Sources{});
    return *instance;
}

std::optional<bool> DesktopAppearance::forcedFrom(const QByteArray& value)
{
    const QByteArray word = value.trimmed().toLower();
    if (word == "dark")
        return true;
    if (word == "light")
        return false;
    return std::nullopt;
}

void DesktopAppearance::setForced(std::optional<bool> dark)
{
    m_forced = dark;
    update();
}

void DesktopAppearance::setPortalColorScheme(std::optional<uint> value)
{
    m_portalScheme = value;
    update();
}

void DesktopAppearance::connectPortal(const QString& busAddress)
{
    QDBusConnection bus = busAddress.isEmpty()
        ? QDBusConnection::sessionBus()
        : QDBusConnection::connectToBus(busAddress, QStringLiteral("roror-appearance"));
    if (!bus.isConnected())
        return;
    // The slot's argument types are found by name: the variant's must be known before.
    qRegisterMetaType<QDBusVariant>();
    // The slot's normalized signature, as SLOT() would give it.
    bus.connect(portalService, portalPath, portalInterface, QStringLiteral("SettingChanged"), this,
                "1portalSettingChanged(QString,QString,QDBusVariant)");
    // Only a portal already running is asked: starting one on demand can take seconds.
    if (!bus.interface() || !bus.interface()->isServiceRegistered(portalService))
        return;
    QDBusMessage read
        = QDBusMessage::createMethodCall(portalService, portalPath, portalInterface, QStringLiteral("Read"));
    read << appearanceGroup << colorSchemeKey;
    const QDBusMessage reply = bus.call(read, QDBus::Block, portalTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        m_portalScheme = schemeFrom(reply.arguments().constFirst());
}

void DesktopAppearance::portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == appearanceGroup && key == colorSchemeKey)
        setPortalColorScheme(schemeFrom(QVariant::fromValue(value)));
}

bool DesktopAppearance::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        update();
    return QObject::eventFilter(watched, event);
}

void DesktopAppearance::update()
{
    bool dark = false;
    if (m_forced)
        dark = *m_forced;
    else if (m_portalScheme == 1u)
        dark = true;
    else if (m_portalScheme == 2u)
        dark = false;
    else
        dark = paletteIsDark();
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}

} // namespace roror
