// Keeping the monitor window off the task bar on X11 desktops (the _NET_WM_STATE hints
// SKIP_TASKBAR and SKIP_PAGER, which Qt has no setting for), and the X11 tray's arrival.
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/TrayArrival.h"

#include <cstdlib>
#include <cstring>
#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <QTimer>
#include <string>
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

// The connection of an X11 session; nullptr elsewhere (offscreen tests, Wayland without XWayland).
xcb_connection_t* x11Connection() {
    if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

int screenNumber() {
    int display = 0;
    int screen = 0;
    char* host = nullptr;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) {
        return 0;
    }
    std::free(host);
    return screen;
}

xcb_window_t rootWindow(xcb_connection_t* c, int screen) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem > 0 && i < screen; ++i) {
        xcb_screen_next(&it);
    }
    return it.rem > 0 ? it.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

xcb_atom_t traySelection(xcb_connection_t* c) {
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber());
    return atom(c, askAtom(c, name.c_str()));
}

// Sees the MANAGER message by which a tray manager announces that it took the tray selection.
class TrayManagerFilter : public QObject, public QAbstractNativeEventFilter {
public:
    TrayManagerFilter(xcb_atom_t manager, xcb_atom_t selection, std::function<void()> appeared)
        : QObject(qGuiApp), m_manager(manager), m_selection(selection), m_appeared(std::move(appeared)) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
            return false;
        }
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == m_manager && client->format == 32 && client->data.data32[1] == m_selection) {
            // Later, so that Qt has handled the message too and docks a tray icon that waits for it.
            QTimer::singleShot(0, this, m_appeared);
        }
        return false;
    }

private:
    xcb_atom_t m_manager;
    xcb_atom_t m_selection;
    std::function<void()> m_appeared;
};

} // namespace

bool x11TrayPresent() {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr) {
        return false;
    }
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, traySelection(c)), nullptr);
    const bool owned = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

void watchX11Tray(std::function<void()> appeared) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr) {
        return;
    }
    const xcb_window_t root = rootWindow(c, screenNumber());
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    const xcb_intern_atom_cookie_t asked = askAtom(c, "MANAGER");
    const xcb_atom_t selection = traySelection(c);
    const xcb_atom_t manager = atom(c, asked);
    // The announcement goes to the root window's structure listeners; this connection becomes one,
    // keeping what Qt already listens for there.
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr);
    const std::uint32_t mask =
        (attributes != nullptr ? attributes->your_event_mask : 0U) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    std::free(attributes);
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    qGuiApp->installNativeEventFilter(new TrayManagerFilter(manager, selection, std::move(appeared)));
}

void LinuxDesktop::keepOffTaskbar(std::uintptr_t nativeWindow) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr || nativeWindow == 0) {
        return;
    }
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
