#include "platform/win32/Win32ProcessEnder.h"

#include <windows.h>

namespace tarvik {

void Win32ProcessEnder::endNow(int exitCode) {
    // ExitProcess, not exit: no atexit handlers and no static destructors of the program run,
    // so no window handler and no file write can follow.
    ::ExitProcess(static_cast<UINT>(exitCode));
}

} // namespace tarvik
