#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>

namespace tarvik {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The notification area narrowed to a one-pixel strip at its horizontal centre, the end point
// of the hide animation and the start point of the restore animation.
inline ScreenRect centreStrip(const ScreenRect& r) {
    ScreenRect s = r;
    s.left = static_cast<int>(std::nearbyint(r.right - (r.right - r.left) / 2.0)); // halves to even
    s.right = s.left + 1;
    return s;
}

// Draws the caption-style animation between a window and the notification area, tells whether
// the desktop has a notification area at all, and when one comes.
class TrayAnimator {
public:
    virtual ~TrayAnimator() = default;
    // Whether a tray can take the program's icon now.
    virtual bool trayPresent() const = 0;
    // From now on runs `appeared` on the GUI thread each time the desktop announces a tray (it may
    // be a tray that was there already); right away too when one came just before the call.
    // Nothing is polled: the desktop's own announcement is awaited.
    virtual void watchForTray(std::function<void()> appeared) = 0;
    // direction 1: from the window toward the tray; 0: from the tray toward the window.
    // `nativeWindow` is the window's native handle, on whose behalf the animation runs; `window`
    // its frame in the toolkit's pixels. `trayIcon` is where the desktop reports the tray icon,
    // when it does; `screen` is the available screen area, used when no tray position is known.
    virtual void animate(std::uintptr_t nativeWindow, const ScreenRect& window,
                         const std::optional<ScreenRect>& trayIcon, const ScreenRect& screen, int direction) = 0;
};

} // namespace tarvik
