// A small program that the Windows platform tests start as a child process, to see from the
// inside how it was started.
//
//   tarvik_probe report <file> <event>   waits (up to 10 s) until the named event is set, then
//                                        writes "<wShowWindow> <dwFlags>" and its current folder
//                                        to <file>, in UTF-8
//   tarvik_probe guard <executable>      exit code 1 when another instance of <executable> runs
//   tarvik_probe write <folder> <event>  sets the named event, then saves settings and log entries
//                                        in <folder> until it is killed
//   (a copy of it, started otherwise)    writes its arguments, one a line, to "<its own path>.ran",
//                                        so that a test sees which copy a command line started
#include "platform/win32/MutexInstanceGuard.h"
#include "platform/win32/WideText.h"
#include "support/KillRounds.h"

#include <iterator>
#include <string>
#include <windows.h>

#include <shellapi.h> // needs windows.h before it

namespace {

bool writeReport(const std::wstring& file, const std::string& text) {
    // Written beside and moved into place, so that the waiting test never reads half of it.
    const std::wstring part = file + L".part";
    const HANDLE h =
        ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
    ::CloseHandle(h);
    return ok && ::MoveFileExW(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

int report(const std::wstring& file, const std::wstring& eventName) {
    if (const HANDLE go = ::OpenEventW(SYNCHRONIZE, FALSE, eventName.c_str())) {
        ::WaitForSingleObject(go, 10000);
        ::CloseHandle(go);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    wchar_t folder[MAX_PATH * 2] = {};
    ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
    const std::string text = std::to_string(startup.wShowWindow) + " " + std::to_string(startup.dwFlags) + "\n" +
                             tarvik::fromWide(folder) + "\n";
    return writeReport(file, text) ? 0 : 2;
}

int ran(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    std::string text;
    for (int i = 1; i < argc; ++i) {
        text += tarvik::fromWide(argv[i]) + "\n";
    }
    return writeReport(std::wstring(self) + L".ran", text) ? 0 : 2;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return 3;
    }
    const std::wstring mode = argc >= 2 ? argv[1] : L"";
    if (mode == L"report" && argc >= 4) {
        return report(argv[2], argv[3]);
    }
    if (mode == L"guard" && argc >= 3) {
        tarvik::MutexInstanceGuard guard(argv[2]);
        return guard.anotherInstanceRuns() ? 1 : 0;
    }
    if (mode == L"write" && argc >= 4) {
        const std::wstring eventName = argv[3];
        tarvik::test::writeSettingsAndLogForever(argv[2], [&eventName] {
            if (const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str())) {
                ::SetEvent(ready);
                ::CloseHandle(ready);
            }
        });
        return 3;
    }
    return ran(argc, argv);
}
