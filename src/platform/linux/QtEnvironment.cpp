#include "platform/QtEnvironment.h"

#include "platform/linux/OwnEnvironment.h"

#include <cstdlib>
#include <string_view>

namespace tarvik {

void prepareQtEnvironment() {
    // No font warm-up on a second core: the fonts are first needed after the tray icon is in
    // place, and a thread reading font files meanwhile takes the CPU from the X server and the
    // window manager that embed the icon.
    // The windows are small and repaint a few pixels at a time. Sent over the X connection those
    // cost less than X shared memory, whose image Qt may draw into again only after a round trip
    // that makes sure the X server has finished reading it: one more wake-up of both per repaint.
    OwnEnvironment::setDefault("QT_XCB_NO_MITSHM", "1");
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland =
        (session != nullptr && std::string_view(session) == "wayland") || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (wayland && std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") != nullptr) {
        OwnEnvironment::setDefault("QT_QPA_PLATFORM", "xcb");
    }
}

} // namespace tarvik
