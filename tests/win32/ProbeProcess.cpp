#include "ProbeProcess.h"

#include <iterator>
#include <windows.h>

namespace tarvik::test {

std::filesystem::path probePath() {
    wchar_t self[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    return std::filesystem::path(self).parent_path() / L"tarvik_probe.exe";
}

int runProbe(const std::wstring& arguments) {
    std::wstring command = L"\"" + probePath().wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ::CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.hProcess, &code)) {
        code = static_cast<DWORD>(-1);
    }
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

} // namespace tarvik::test
