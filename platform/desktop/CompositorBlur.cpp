#include "platform/desktop/CompositorBlur.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace roror {
namespace {

std::function<CompositorBlur::Desktop()>& probeOverride()
{
    static std::function<CompositorBlur::Desktop()> probe;
    return probe;
}

xcb_connection_t* x11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                                    &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The raw bytes of a window property, or nothing.
std::optional<QByteArray> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &free);
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

CompositorBlur::Desktop probeX11()
{
    CompositorBlur::Desktop desktop;
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return desktop;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return desktop;
    const xcb_window_t root = screens.data->root;
    // The supporting window names itself too; one that does not is left over from a dead manager.
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto child = property(connection, root, check, XCB_ATOM_WINDOW);
    if (child && child->size() >= int(sizeof(xcb_window_t))) {
        xcb_window_t wm = 0;
        memcpy(&wm, child->constData(), sizeof wm);
        const auto self = property(connection, wm, check, XCB_ATOM_WINDOW);
        if (self && self->size() >= int(sizeof(xcb_window_t))
            && memcmp(self->constData(), child->constData(), sizeof wm) == 0) {
            if (const auto name
                = property(connection, wm, atom(connection, "_NET_WM_NAME"), atom(connection, "UTF8_STRING")))
                desktop.windowManager = QString::fromUtf8(*name);
        }
    }
    // The first screen's selection: the window opens there on every multi-head setup seen today.
    const QByteArray selection = "_NET_WM_CM_S0";
    const auto owner = xcb_get_selection_owner(connection, atom(connection, selection.constData()));
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> reply(
        xcb_get_selection_owner_reply(connection, owner, nullptr), &free);
    desktop.compositing = reply && reply->owner != XCB_NONE;
    return desktop;
}

} // namespace

bool CompositorBlur::offersBlur(const Desktop& desktop)
{
    return desktop.compositing && desktop.windowManager
        && desktop.windowManager->startsWith(QLatin1String("KWin"), Qt::CaseInsensitive);
}

bool CompositorBlur::available()
{
    if (const auto& probe = probeOverride())
        return offersBlur(probe());
    static const bool offered = offersBlur(probeX11());
    return offered;
}

bool CompositorBlur::request(QWindow* window)
{
    xcb_connection_t* connection = x11Connection();
    if (!window || !connection || !available())
        return false;
    // An empty region asks for the whole window.
    const xcb_atom_t region = atom(connection, "_KDE_NET_WM_BLUR_BEHIND_REGION");
    if (region == XCB_ATOM_NONE)
        return false;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), region, XCB_ATOM_CARDINAL, 32,
                        0, nullptr);
    xcb_flush(connection);
    return true;
}

void CompositorBlur::setProbe(std::function<Desktop()> probe)
{
    probeOverride() = std::move(probe);
}

} // namespace roror
