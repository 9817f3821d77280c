#pragma once

#include "platform/TrayAnimator.h"

#include <QRect>
#include <utility>

namespace tarvik {

// The hide/restore effect: an outline that travels between the window and the tray icon,
// drawn in a frameless window that takes neither input nor focus.
class QtTrayAnimator : public TrayAnimator {
public:
    bool trayPresent() const override;
    void watchForTray(std::function<void()> appeared) override;
    void animate(std::uintptr_t nativeWindow, const ScreenRect& window, const std::optional<ScreenRect>& trayIcon,
                 const ScreenRect& screen, int direction) override;

    // The source and target of the outline; nullopt for a direction that draws nothing.
    static std::optional<std::pair<QRect, QRect>>
    path(const ScreenRect& window, const std::optional<ScreenRect>& trayIcon, const ScreenRect& screen, int direction);

private:
    bool m_running = false;
};

} // namespace tarvik
