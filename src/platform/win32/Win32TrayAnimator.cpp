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

bool Win32TrayAnimator::trayPresent() const {
    return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

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

ScreenRect Win32TrayAnimator::windowRect(std::uintptr_t nativeWindow, const ScreenRect& fallback) {
    RECT r{};
    const HWND hwnd = reinterpret_cast<HWND>(nativeWindow);
    if (hwnd == nullptr || !::IsWindow(hwnd) || !::GetWindowRect(hwnd, &r)) {
        return fallback;
    }
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

void Win32TrayAnimator::animate(std::uintptr_t nativeWindow, const ScreenRect& window, const std::optional<ScreenRect>&,
                                const ScreenRect&, int direction) {
    if (direction != 0 && direction != 1) {
        return;
    }
    const auto path = route(windowRect(nativeWindow, window), notificationArea(), direction);
    const RECT from = toRect(path->first);
    const RECT to = toRect(path->second);
    ::DrawAnimatedRects(reinterpret_cast<HWND>(nativeWindow), IDANI_CAPTION, &from, &to);
}

} // namespace tarvik
