#include "platform/win32/Win32MemorySource.h"

namespace tarvik {

std::optional<MemoryStatus> Win32MemorySource::sample() {
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    MemoryStatus s;
    // The record keeps the length of the classic MEMORYSTATUS, as every reader expects.
    s.dwLength = 32;
    if (!m_query(&ex) || ex.ullTotalPhys == 0) {
        return std::nullopt;
    }
    s.dwMemoryLoad = ex.dwMemoryLoad;
    s.dwTotalPhys = ex.ullTotalPhys;
    s.dwAvailPhys = ex.ullAvailPhys;
    s.dwTotalPageFile = ex.ullTotalPageFile;
    s.dwAvailPageFile = ex.ullAvailPageFile;
    s.dwTotalVirtual = ex.ullTotalVirtual;
    s.dwAvailVirtual = ex.ullAvailVirtual;
    return s;
}

} // namespace tarvik
