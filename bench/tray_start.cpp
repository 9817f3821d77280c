// Start-up time to the tray icon, without polling: watches the new top-level windows and the X11
// system tray for the icon window of the given class (created, reparented and mapped by the tray),
// starts the command and prints the milliseconds from the start until the icon is viewable, then
// ends the command. Polling from a script costs the machine's CPU while the program starts and
// sees the icon only at its next look.
// Usage: tray_start <window class> <command> [arguments...]
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

xcb_connection_t* c = nullptr;

xcb_atom_t atom(const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r != nullptr ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

void watch(xcb_window_t w) {
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &mask);
}

bool hasClass(xcb_window_t w, const std::string& wanted) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64), nullptr);
    bool match = false;
    if (r != nullptr) {
        const char* value = static_cast<const char*>(xcb_get_property_value(r));
        const int length = xcb_get_property_value_length(r);
        match = length > 0 && wanted == std::string(value, strnlen(value, static_cast<std::size_t>(length)));
        std::free(r);
    }
    return match;
}

bool viewable(xcb_window_t w) {
    xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool v = a != nullptr && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    return v;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tray_start <window class> <command> [arguments...]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    int screen = 0;
    c = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(selection.c_str())), nullptr);
    const bool tray = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    if (!tray) {
        std::fprintf(stderr, "no system tray\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // The icon window starts as a top-level window: watched from its creation, its own reparenting
    // and mapping are seen whenever the tray does them.
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(c);

    const auto t0 = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(argv[2], argv + 2);
        ::_exit(127);
    }
    static pid_t started = child;
    std::signal(SIGALRM, [](int) {
        ::kill(started, SIGKILL);
        std::_Exit(3);
    });
    ::alarm(20);
    // Windows of the class, and whether each is viewable: the icon is mapped and so is every
    // window above it in the tray (icewm maps its embedding window after the icon or before).
    std::vector<xcb_window_t> icons;
    for (bool done = false; !done;) {
        xcb_generic_event_t* e = xcb_wait_for_event(c);
        if (e == nullptr) {
            return 1;
        }
        xcb_window_t w = XCB_WINDOW_NONE;
        switch (e->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY:
            watch(reinterpret_cast<xcb_create_notify_event_t*>(e)->window);
            break;
        case XCB_REPARENT_NOTIFY:
            w = reinterpret_cast<xcb_reparent_notify_event_t*>(e)->window;
            break;
        case XCB_MAP_NOTIFY:
            w = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
            break;
        default:
            break;
        }
        std::free(e);
        if (w != XCB_WINDOW_NONE && std::find(icons.begin(), icons.end(), w) == icons.end() && hasClass(w, wanted)) {
            icons.push_back(w);
        }
        // Every window above an icon reports its own mapping from now on; then the icons are
        // checked, so that a mapping in between is not missed.
        for (const xcb_window_t icon : icons) {
            for (xcb_window_t up = icon; up != root && up != xcb_window_t{XCB_WINDOW_NONE};) {
                watch(up);
                xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, up), nullptr);
                up = tree != nullptr ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
                std::free(tree);
            }
            done = done || viewable(icon);
        }
        xcb_flush(c);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("%.0f\n", ms);
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    xcb_disconnect(c);
    return 0;
}
