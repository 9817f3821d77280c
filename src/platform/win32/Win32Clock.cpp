#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace tarvik {

LocalDateTime Win32Clock::now() const {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace tarvik
