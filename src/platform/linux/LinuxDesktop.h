#pragma once

#include "platform/Desktop.h"

namespace tarvik {

// The Linux desktops: X11, also through XWayland, with an XEmbed tray or a StatusNotifierItem host.
// Each call is defined beside the code it asks of the desktop: StatusNotifierTray.cpp,
// X11Taskbar.cpp and SessionEnd.cpp.
class LinuxDesktop final : public Desktop {
public:
    bool trayIsStatusNotifierHost() override;
    void keepOffTaskbar(std::uintptr_t nativeWindow) override;
    bool dragBySystemMove() const override { return false; }
    // An X11 popup menu grabs the pointer and the keyboard itself, whoever has the focus.
    void prepareTrayMenu(std::uintptr_t) override {}
    void watchSessionEnd(std::function<void()> onEnd) override;
};

} // namespace tarvik
