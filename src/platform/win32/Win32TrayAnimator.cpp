#include "platform/win32/Win32TrayAnimator.h"

#include <cwchar>
#include <iterator>
#include <windows.h>

namespace tarvik {

namespace {

RECT toRect(const ScreenRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

} // namespace

ScreenRect Win32TrayAnimator::notificationArea() {
    ScreenRect area;
    const HWND taskBar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (taskBar == nullptr) {
        return area;
    }
    for (HWND child = ::GetWindow(taskBar, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[100] = {};
        ::GetClassNameW(child, className, static_cast<int>(std::size(className)));
        if (std::wcscmp(className, L"TrayNotifyWnd") == 0) {
            RECT r{};
            if (::GetWindowRect(child, &r)) {
                area = ScreenRect{r.left, r.top, r.right, r.bottom};
            }
            break;
        }
    }
    return area;
}

std::optional<std::pair<ScreenRect, ScreenRect>> Win32TrayAnimator::route(const ScreenRect& window,
                                                                          const ScreenRect& tray, int direction) {
    if (direction == 1) {
        return std::pair(window, centreStrip(tray));
    }
    if (direction == 0) {
        return std::pair(centreStrip(tray), window);
    }
    return std::nullopt;
}

void Win32TrayAnimator::animate(const ScreenRect& window, const std::optional<ScreenRect>&, const ScreenRect&,
                                int direction) {
    if (direction != 0 && direction != 1) {
        return;
    }
    const auto path = route(window, notificationArea(), direction);
    const RECT from = toRect(path->first);
    const RECT to = toRect(path->second);
    // Drawn on behalf of no particular window: the shell animates on the whole screen.
    ::DrawAnimatedRects(nullptr, IDANI_CAPTION, &from, &to);
}

} // namespace tarvik
