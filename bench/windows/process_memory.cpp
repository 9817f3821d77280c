// Reads a running process's memory as Windows reports it, from inside the Wine prefix the process
// runs in: "process_memory NAME.exe" prints PrivateUsage, PagefileUsage and WorkingSetSize of
// GetProcessMemoryInfo, in bytes, for the first process of that image name. Windows reports the
// private bytes in both of the first two; Wine 8 leaves PrivateUsage at 0 and fills PagefileUsage.
// "process_memory --modules NAME.exe" prints instead each loaded module's base address and image
// size in bytes, one "base size" line each, so that a reader beside the prefix can tell which of the
// process's memory holds executable images (Wine reads an image whose sections are not page-aligned
// in the file into private memory, where Windows maps it shared from the file).
// "process_memory --wait" only sleeps: it keeps a prefix's services and tray host running between
// the starts of a measured program, as Windows keeps its shell running.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const bool modules = argc == 3 && std::wcscmp(argv[1], L"--modules") == 0;
    if (argc != 2 && !modules) {
        std::fprintf(stderr, "usage: process_memory [--modules] NAME.exe | --wait\n");
        return 2;
    }
    const wchar_t* image = argv[argc - 1];
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
        if (::_wcsicmp(entry.szExeFile, image) == 0) {
            pid = entry.th32ProcessID;
        }
    }
    ::CloseHandle(snapshot);
    const HANDLE process =
        pid != 0 ? ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    if (process == nullptr) {
        std::fprintf(stderr, "no process %ls\n", image);
        return 1;
    }
    if (modules) {
        HMODULE handles[1024];
        DWORD bytes = 0;
        const BOOL listed = ::EnumProcessModules(process, handles, sizeof handles, &bytes);
        for (DWORD i = 0; listed && i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
            MODULEINFO info{};
            if (::GetModuleInformation(process, handles[i], &info, sizeof info)) {
                std::printf("%llu %lu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.lpBaseOfDll)),
                            info.SizeOfImage);
            }
        }
        ::CloseHandle(process);
        return listed ? 0 : 1;
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
