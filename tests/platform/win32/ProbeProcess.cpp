#include "ProbeProcess.h"

#include <iterator>
#include <windows.h>

namespace tarvik::test {

std::filesystem::path probePath() {
    wchar_t self[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    return std::filesystem::path(self).parent_path() / L"tarvik_probe.exe";
}

HANDLE startProbe(const std::wstring& arguments) {
    std::wstring command = L"\"" + probePath().wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

int runProbe(const std::wstring& arguments) {
    const HANDLE process = startProbe(arguments);
    if (process == nullptr) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process, 30000) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &code)) {
        code = static_cast<DWORD>(-1);
    }
    ::CloseHandle(process);
    return static_cast<int>(code);
}

} // namespace tarvik::test
