#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace roror {

// The desktop's own wallpaper picture, read from the settings of the running desktop
// (XDG_CURRENT_DESKTOP): GNOME's background key (through gsettings, else dconf's keyfile), Plasma's
// desktop containment and Xfce's backdrop channel. Read afresh on every call.
class DesktopWallpaper {
public:
    // The picture file, when the desktop names one and it is a readable file (whether it decodes
    // as a picture is for its reader to find).
    static std::optional<QString> currentPath(bool dark = false);

    // The file each desktop names (not checked), or nothing.
    static std::optional<QString> gnomePath(bool dark);
    static std::optional<QString> plasmaPath();
    static std::optional<QString> xfcePath();

    // Replaces `gsettings get org.gnome.desktop.background <key>` (tests); an empty function
    // restores the real command. The answer is the printed value, or nothing when it failed.
    static void setGsettingsSource(std::function<std::optional<QString>(const QString& key)> source);
};

} // namespace roror
