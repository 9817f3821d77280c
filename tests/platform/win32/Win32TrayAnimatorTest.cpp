#include "platform/win32/Win32TrayAnimator.h"

#include <gtest/gtest.h>
#include <windows.h>

using tarvik::ScreenRect;
using tarvik::Win32TrayAnimator;

TEST(Win32TrayAnimator, RouteRunsBetweenTheWindowAndTheStripAtTheTrayCentre) {
    const ScreenRect window{100, 200, 220, 260};
    const ScreenRect tray{1700, 1040, 1900, 1080};
    const ScreenRect strip{1800, 1040, 1801, 1080};
    EXPECT_EQ(Win32TrayAnimator::route(window, tray, 1), std::pair(window, strip));
    EXPECT_EQ(Win32TrayAnimator::route(window, tray, 0), std::pair(strip, window));
    EXPECT_EQ(Win32TrayAnimator::route(window, tray, 2), std::nullopt);
    EXPECT_EQ(Win32TrayAnimator::route(window, tray, -1), std::nullopt);
    // No notification area: its all-zero rectangle narrowed the same way.
    EXPECT_EQ(Win32TrayAnimator::route(window, ScreenRect{}, 1), std::pair(window, ScreenRect{0, 0, 1, 0}));
}

TEST(Win32TrayAnimator, NotificationAreaIsTheTrayNotifyChildOfTheTaskBar) {
    if (::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr) {
        GTEST_SKIP() << "a real task bar is present";
    }
    EXPECT_EQ(Win32TrayAnimator::notificationArea(), ScreenRect{});

    // A task bar of this test's own, shaped like the shell's: other children around the tray.
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (const wchar_t* name : {L"Shell_TrayWnd", L"TrayNotifyWnd", L"ReBarWindow32Lookalike"}) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        ASSERT_NE(::RegisterClassW(&wc), 0) << "window classes need a display driver";
    }
    const HWND bar = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 1040, 1920, 40, nullptr,
                                       nullptr, instance, nullptr);
    ASSERT_NE(bar, nullptr);
    const auto child = [&](const wchar_t* cls, int x, int width) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD, x, 0, width, 40, bar, nullptr, instance, nullptr);
    };
    ASSERT_NE(child(L"ReBarWindow32Lookalike", 0, 1000), nullptr);
    ASSERT_NE(child(L"TrayNotifyWnd", 1700, 200), nullptr);
    ASSERT_NE(child(L"ReBarWindow32Lookalike", 1000, 700), nullptr);

    EXPECT_EQ(Win32TrayAnimator::notificationArea(), (ScreenRect{1700, 1040, 1900, 1080}));
    // The animation itself draws and returns, in both directions and none.
    Win32TrayAnimator animator;
    for (const int direction : {1, 0, 7}) {
        animator.animate(0, ScreenRect{100, 100, 300, 160}, std::nullopt, ScreenRect{}, direction);
    }
    ::DestroyWindow(bar);
}

TEST(Win32TrayAnimator, WindowRectangleComesFromTheWindowInPhysicalPixels) {
    // The toolkit's rectangle is in scaled pixels on a scaled display; the window's own is not.
    const ScreenRect scaled{67, 133, 147, 173};
    const HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 100, 200, 120, 60, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Win32TrayAnimator::windowRect(reinterpret_cast<std::uintptr_t>(window), scaled),
              (ScreenRect{100, 200, 220, 260}));
    ::DestroyWindow(window);
    EXPECT_EQ(Win32TrayAnimator::windowRect(reinterpret_cast<std::uintptr_t>(window), scaled), scaled);
    EXPECT_EQ(Win32TrayAnimator::windowRect(0, scaled), scaled);
}

TEST(Win32TrayAnimator, ATaskBarThatStartsIsHeardByItsBroadcast) {
    Win32TrayAnimator animator;
    int heard = 0;
    animator.watchForTray([&] { ++heard; });
    // A task bar already there is reported once the messages are read.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
    const int before = heard;
    EXPECT_EQ(before, animator.trayPresent() ? 1 : 0);
    // The shell sends "TaskbarCreated" to every top-level window when it starts.
    ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    EXPECT_EQ(heard, before + 1);
}
