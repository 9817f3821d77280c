#pragma once

#include "platform/TrayAnimator.h"

#include <functional>
#include <utility>
#include <vector>

namespace tarvik {

// The caption animation of the Windows shell (DrawAnimatedRects with IDANI_CAPTION) between the
// window and the notification area that the task bar's "TrayNotifyWnd" child covers.
class Win32TrayAnimator : public TrayAnimator {
public:
    Win32TrayAnimator() = default;
    Win32TrayAnimator(const Win32TrayAnimator&) = delete;
    Win32TrayAnimator& operator=(const Win32TrayAnimator&) = delete;
    ~Win32TrayAnimator() override;

    // The task bar receives the icons of the notification area; without it (no shell) there is none.
    bool trayPresent() const override;
    // A task bar that starts (or starts again) sends "TaskbarCreated" to every top-level window; a
    // hidden window of its own hears it.
    void watchForTray(std::function<void()> appeared) override;
    // The tray icon and screen area are not needed: the task bar tells where its tray is. The
    // task bar speaks in physical pixels, so the window's rectangle is taken from the window itself
    // rather than from the toolkit's (scaled) pixels.
    void animate(std::uintptr_t nativeWindow, const ScreenRect& window, const std::optional<ScreenRect>& trayIcon,
                 const ScreenRect& screen, int direction) override;

    // The window's screen rectangle in physical pixels; `fallback` when there is no such window.
    static ScreenRect windowRect(std::uintptr_t nativeWindow, const ScreenRect& fallback);
    // The screen rectangle of the notification area; all zeros when the task bar has none.
    static ScreenRect notificationArea();
    // Source and target of the animation; nullopt for a direction that draws nothing.
    static std::optional<std::pair<ScreenRect, ScreenRect>> route(const ScreenRect& window, const ScreenRect& tray,
                                                                  int direction);

private:
    void* m_listener = nullptr; // the hidden window (HWND)
    std::vector<std::function<void()>> m_appeared;
};

} // namespace tarvik
