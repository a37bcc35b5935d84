#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWindow;

namespace roror {

// The compositor's blur behind translucent windows, where it offers one: KWin on X11 while it
// composites, asked through the window property _KDE_NET_WM_BLUR_BEHIND_REGION.
class CompositorBlur {
public:
    // What the display server says about the running window manager.
    struct Desktop {
        // _NET_WM_NAME of the window that _NET_SUPPORTING_WM_CHECK names; nothing when unknown.
        std::optional<QString> windowManager;
        // Whether a compositing manager owns the screen's _NET_WM_CM_S<n> selection.
        bool compositing = false;
    };

    // Whether such a desktop blurs behind a translucent window that asks for it.
    static bool offersBlur(const Desktop& desktop);
    // Whether this session's compositor does (asked once per process).
    static bool available();
    // Asks the compositor to blur everything behind `window`; false where it cannot.
    static bool request(QWindow* window);

    // Replaces the display server query (tests); an empty function restores it.
    static void setProbe(std::function<Desktop()> probe);
};

} // namespace roror
