#pragma once

#include <cstdint>

namespace tarvik {

// The process-wide memory figures. Counts are 64-bit so that machines with 2 GiB or more
// read their real figures.
struct MemoryStatus {
    std::uint32_t dwLength = 0;
    std::uint32_t dwMemoryLoad = 0;
    std::uint64_t dwTotalPhys = 0;
    std::uint64_t dwAvailPhys = 0;
    std::uint64_t dwTotalPageFile = 0;
    std::uint64_t dwAvailPageFile = 0;
    std::uint64_t dwTotalVirtual = 0;
    std::uint64_t dwAvailVirtual = 0;
};

} // namespace tarvik
