// Reads a running process's memory as Windows reports it, from inside the Wine prefix the process
// runs in: "process_memory NAME.exe" prints PrivateUsage, PagefileUsage and WorkingSetSize of
// GetProcessMemoryInfo, in bytes, for the first process of that image name. Windows reports the
// private bytes in both of the first two; Wine 8 leaves PrivateUsage at 0 and fills PagefileUsage.
// "process_memory --wait" only sleeps: it keeps a prefix's services and tray host running between
// the starts of a measured program, as Windows keeps its shell running.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: process_memory NAME.exe | --wait\n");
        return 2;
    }
    if (std::wcscmp(argv[1], L"--wait") == 0) {
        ::Sleep(INFINITE);
    }
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 1;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD pid = 0;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && pid == 0; more = ::Process32NextW(snapshot, &entry)) {
        if (::_wcsicmp(entry.szExeFile, argv[1]) == 0) {
            pid = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    const HANDLE process = pid != 0 ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid) : nullptr;
    if (process == nullptr) {
        std::fprintf(stderr, "no process %ls\n", argv[1]);
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    const BOOL ok = ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    ::CloseHandle(process);
    if (!ok) {
        return 1;
    }
    std::printf("%llu %llu %llu\n", static_cast<unsigned long long>(counters.PrivateUsage),
                static_cast<unsigned long long>(counters.PagefileUsage),
                static_cast<unsigned long long>(counters.WorkingSetSize));
    return 0;
}
