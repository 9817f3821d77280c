#pragma once

#include "platform/TrayAnimator.h"

#include <utility>

namespace tarvik {

// The caption animation of the Windows shell (DrawAnimatedRects with IDANI_CAPTION) between the
// window and the notification area that the task bar's "TrayNotifyWnd" child covers.
class Win32TrayAnimator : public TrayAnimator {
public:
    // The tray icon and screen area are not needed: the task bar tells where its tray is.
    void animate(const ScreenRect& window, const std::optional<ScreenRect>& trayIcon, const ScreenRect& screen,
                 int direction) override;

    // The screen rectangle of the notification area; all zeros when the task bar has none.
    static ScreenRect notificationArea();
    // Source and target of the animation; nullopt for a direction that draws nothing.
    static std::optional<std::pair<ScreenRect, ScreenRect>> route(const ScreenRect& window, const ScreenRect& tray,
                                                                  int direction);
};

} // namespace tarvik
