// Ends the log-on session for every running copy of one executable as Windows does at log-off,
// or as a log-off that another program refuses: WM_QUERYENDSESSION to each top-level window of
// the copies, shown or not, then WM_ENDSESSION with the outcome to each.
//
//   session_end.exe <full path of the executable> end|cancel
//
// Exit code 0 when it reached a window, 1 when it found none, 2 for bad arguments.
#include <windows.h>

static const wchar_t* g_executable;
static HWND g_windows[256];
static int g_count;

static BOOL CALLBACK collect(HWND window, LPARAM unused) {
    (void)unused;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == NULL) {
        return TRUE;
    }
    wchar_t image[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(process, 0, image, &size) && lstrcmpiW(image, g_executable) == 0 && g_count < 256) {
        g_windows[g_count++] = window;
    }
    CloseHandle(process);
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (lstrcmpW(argv[2], L"end") != 0 && lstrcmpW(argv[2], L"cancel") != 0)) {
        return 2;
    }
    g_executable = argv[1];
    const WPARAM ends = lstrcmpW(argv[2], L"end") == 0;
    EnumWindows(collect, 0);
    DWORD_PTR answer;
    for (int i = 0; i < g_count; ++i) {
        SendMessageTimeoutW(g_windows[i], WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    }
    for (int i = 0; i < g_count; ++i) {
        SendMessageTimeoutW(g_windows[i], WM_ENDSESSION, ends, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    }
    return g_count > 0 ? 0 : 1;
}
