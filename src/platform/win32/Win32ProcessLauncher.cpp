#include "platform/win32/Win32ProcessLauncher.h"

#include "platform/win32/WideText.h"

#include <filesystem>
#include <windows.h>

namespace tarvik {

namespace {

// The batch list stores bare program paths, which may hold blanks without quotes. Left to
// CreateProcessW, "C:\t\My Apps\app.exe" would start "C:\t\My.exe" where such a file exists; a
// line that names an existing file as a whole is that program. Relative lines are taken from the
// folder the program starts in.
std::wstring wholeLineFile(const std::wstring& line, const std::wstring& folder) {
    std::filesystem::path file(line);
    if (file.is_relative() && !folder.empty()) {
        file = std::filesystem::path(folder) / file;
    }
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    return file.wstring();
}

} // namespace

bool Win32ProcessLauncher::startMinimized(const std::string& commandLine, const std::string& workingDirectory) {
    std::wstring command = toWide(commandLine);
    const std::size_t first = command.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return false;
    }
    const std::wstring folder = toWide(workingDirectory);
    const std::wstring trimmed = command.substr(first, command.find_last_not_of(L" \t") + 1 - first);
    const std::wstring application = wholeLineFile(trimmed, folder);
    if (!application.empty()) {
        command = L"\"" + application + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets its own copy; without an
    // application name it parses the line as every Windows program's command line is parsed.
    if (!::CreateProcessW(application.empty() ? nullptr : application.c_str(), command.data(), nullptr, nullptr, FALSE,
                          0, nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return false;
    }
    // The program runs on its own; nothing waits for it.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

} // namespace tarvik
