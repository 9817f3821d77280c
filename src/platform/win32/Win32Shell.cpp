#include "platform/win32/Win32Shell.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <shellapi.h> // needs windows.h before it

namespace tarvik {

void Win32Shell::open(const std::string& target, const std::string& workingDirectory, std::uintptr_t ownerWindow) {
    if (target.empty()) {
        return;
    }
    const std::wstring file = toWide(target);
    const std::wstring folder = toWide(workingDirectory);
    // The shell reports a missing file or program itself; the program reports nothing.
    ::ShellExecuteW(reinterpret_cast<HWND>(ownerWindow), L"open", file.c_str(), nullptr,
                    folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
}

} // namespace tarvik
