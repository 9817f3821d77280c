#pragma once

#include <cstdint>
#include <functional>

namespace tarvik {

// What the program asks of the desktop around its windows: the kind of tray, the task bar, the
// drag of a borderless window, the tray menu's focus and the end of the session. Its calls need
// the Qt application object.
class Desktop {
public:
    virtual ~Desktop() = default;

    // True where the desktop's tray is a StatusNotifierItem host reached over D-Bus (KDE, Xfce,
    // GNOME's AppIndicator extension), which reports no double-click and draws the icon's menu
    // itself; false for the X11 (XEmbed) tray and on Windows.
    virtual bool trayIsStatusNotifierHost() = 0;

    // Leaves a window out of the task bar and pager (the monitor window lives in the tray).
    // `nativeWindow` is the window's native id; call it before each show.
    virtual void keepOffTaskbar(std::uintptr_t nativeWindow) = 0;

    // Whether a drag of a borderless window is left to the system's move loop once it has started.
    // On X11 the program moves the window itself at every step, exactly under the pointer; under
    // Wine a window that the program moves hears no more of the mouse after the first step,
    // capture or not, so there the system's move takes over.
    virtual bool dragBySystemMove() const = 0;

    // Called just before a menu opens for a click on the tray icon, with the native id of the
    // window that owns the menu. Windows gives the keyboard, and the close on a click elsewhere,
    // only to a menu of the foreground window, which a click on the notification area does not
    // make ours.
    virtual void prepareTrayMenu(std::uintptr_t ownerWindow) = 0;

    // Runs `onEnd` on the GUI thread when the desktop session ends the program (log-off,
    // shut-down), after which the application quits.
    virtual void watchSessionEnd(std::function<void()> onEnd) = 0;
};

} // namespace tarvik
