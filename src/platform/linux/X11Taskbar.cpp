// Keeping the monitor window off the task bar on X11 desktops: the _NET_WM_STATE hints
// SKIP_TASKBAR and SKIP_PAGER, which Qt has no setting for.
#include "platform/Platform.h"

#include <cstdlib>
#include <cstring>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace tarvik {

namespace {

xcb_intern_atom_cookie_t askAtom(xcb_connection_t* c, const char* name) {
    return xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atom(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

} // namespace

void keepOffTaskbar(std::uintptr_t nativeWindow) {
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb") || nativeWindow == 0) {
        return; // not an X11 session (offscreen tests, Wayland without XWayland)
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return; // not an X11 session (offscreen tests, Wayland without XWayland)
    }
    xcb_connection_t* c = x11->connection();
    const auto window = static_cast<xcb_window_t>(nativeWindow);
    // All three asked for before the first answer is awaited: one round trip to the X server, not three.
    const xcb_intern_atom_cookie_t asked[] = {askAtom(c, "_NET_WM_STATE"), askAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                              askAtom(c, "_NET_WM_STATE_SKIP_PAGER")};
    const xcb_atom_t state = atom(c, asked[0]);
    const xcb_atom_t hints[] = {atom(c, asked[1]), atom(c, asked[2])};
    // Unmapped: the window manager reads the property when the window is mapped.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32, 2, hints);
    // Mapped: ask the window manager directly.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    for (const xcb_atom_t hint : hints) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = window;
        ev.type = state;
        ev.data.data32[0] = 1; // _NET_WM_STATE_ADD
        ev.data.data32[1] = hint;
        ev.data.data32[3] = 1; // from a normal application
        xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
}

} // namespace tarvik
