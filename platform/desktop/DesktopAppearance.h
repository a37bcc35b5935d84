#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QDBusVariant;

namespace roror {

// Whether the desktop asks for the light or the dark appearance, followed live. In order: a forced
// choice (the environment variable ROROR_APPEARANCE=dark|light, or setForced), the freedesktop
// settings portal's `color-scheme` when it states a preference, else the lightness of the
// application palette's window colour.
class DesktopAppearance : public QObject {
    Q_OBJECT

public:
    struct Sources {
        // Reads ROROR_APPEARANCE once, at construction.
        bool environment = true;
        // Asks the settings portal on the session bus and listens for its changes.
        bool portal = true;
        // Another bus's address to find the portal on (tests); empty: the session bus.
        QString busAddress;
    };

    explicit DesktopAppearance(Sources sources, QObject* parent = nullptr);
    // The one instance the interface follows, made on first use with every source on.
    static DesktopAppearance& shared();

    bool dark() const { return m_dark; }

    // A choice that wins over the desktop's; nothing follows the desktop again.
    std::optional<bool> forced() const { return m_forced; }
    void setForced(std::optional<bool> dark);

    // The portal's `color-scheme` value: 0 no preference, 1 prefer dark, 2 prefer light (what the
    // portal's Read answer and SettingChanged signal carry; tests call it directly).
    void setPortalColorScheme(std::optional<uint> value);

    // ROROR_APPEARANCE's value as a forced choice ("dark", "light"; anything else: none).
    static std::optional<bool> forcedFrom(const QByteArray& value);

signals:
    void darkChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void connectPortal(const QString& busAddress);
    void update();

    std::optional<bool> m_forced;
    std::optional<uint> m_portalScheme;
    bool m_dark = false;
};

} // namespace roror
