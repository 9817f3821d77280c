#include "platform/win32/Win32TrayAnimator.h"

#include <cwchar>
#include <functional>
#include <iterator>
#include <vector>
#include <windows.h>

namespace tarvik {

namespace {

RECT toRect(const ScreenRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

using Announced = std::vector<std::function<void()>>;

UINT taskbarCreated() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

LRESULT CALLBACK listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated() && message != 0) {
        if (auto* announced = reinterpret_cast<Announced*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
            // A copy: a callback may start another watch.
            const Announced callbacks = *announced;
            for (const auto& appeared : callbacks) {
                appeared();
            }
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32TrayAnimator::~Win32TrayAnimator() {
    if (m_listener != nullptr) {
        ::DestroyWindow(static_cast<HWND>(m_listener));
    }
}

void Win32TrayAnimator::watchForTray(std::function<void()> appeared) {
    m_appeared.push_back(std::move(appeared));
    if (m_listener == nullptr) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        static const wchar_t kClass[] = L"TarvikTaskbarListener";
        WNDCLASSW wc{};
        wc.lpfnWndProc = listen;
        wc.hInstance = instance;
        wc.lpszClassName = kClass;
        ::RegisterClassW(&wc); // fails harmlessly when a second animator registered it already
        // A top-level window, never shown: a message-only window would not hear the broadcast.
        const HWND window =
            ::CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        if (window == nullptr) {
            return;
        }
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_appeared));
        // An elevated program hears the task bar's broadcast only when it lets the message in.
        ::ChangeWindowMessageFilterEx(window, taskbarCreated(), MSGFLT_ALLOW, nullptr);
        m_listener = window;
    }
    // A task bar that came between the last look and the watch announces nothing more.
    if (trayPresent()) {
        ::PostMessageW(static_cast<HWND>(m_listener), taskbarCreated(), 0, 0);
    }
}

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
