#pragma once

#include "platform/Desktop.h"

namespace tarvik {

// The Windows desktop: the notification area of the task bar and the session's end through
// WM_QUERYENDSESSION and WM_ENDSESSION.
class Win32Desktop final : public Desktop {
public:
    bool trayIsStatusNotifierHost() override { return false; }
    // A Qt::Tool window is a tool window on Windows, which the task bar never shows.
    void keepOffTaskbar(std::uintptr_t) override {}
    bool dragBySystemMove() const override { return true; }
    void prepareTrayMenu(std::uintptr_t ownerWindow) override;
    void watchSessionEnd(std::function<void()> onEnd) override;
};

} // namespace tarvik
