#include "platform/win32/BusyFileRetry.h"

#include <algorithm>
#include <windows.h>

namespace tarvik {

namespace {

// Long enough for a scan of a small file, short enough that a save on the GUI thread that still
// fails is reported before the user wonders.
constexpr ULONGLONG kBudgetMs = 2000;
constexpr DWORD kFirstPauseMs = 10;
constexpr DWORD kLongestPauseMs = 250;

} // namespace

bool isFileBusyError(unsigned long error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

unsigned long retryWhileFileBusy(const std::function<unsigned long()>& attempt) {
    const ULONGLONG start = ::GetTickCount64();
    DWORD pause = kFirstPauseMs;
    for (;;) {
        const unsigned long error = attempt();
        const ULONGLONG spent = ::GetTickCount64() - start;
        if (!isFileBusyError(error) || spent >= kBudgetMs) {
            return error;
        }
        ::Sleep(static_cast<DWORD>(std::min<ULONGLONG>(pause, kBudgetMs - spent)));
        pause = std::min(pause * 2, kLongestPauseMs);
    }
}

} // namespace tarvik
