#include "platform/win32/Win32ProcessLauncher.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace tarvik {

bool Win32ProcessLauncher::startMinimized(const std::string& commandLine, const std::string& workingDirectory) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring command = toWide(commandLine);
    if (command.find_first_not_of(L" \t") == std::wstring::npos) {
        return false;
    }
    const std::wstring folder = toWide(workingDirectory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return false;
    }
    // The program runs on its own; nothing waits for it.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

} // namespace tarvik
