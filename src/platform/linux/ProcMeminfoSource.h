#pragma once

#include "platform/MemorySource.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// Memory figures from /proc/meminfo and the process's virtual size from /proc/self/statm.
// Sampled every 500 ms and every second, so a sample reads both files, kept open, into stack
// buffers and allocates nothing, and samples asked for within kSameSample of each other are one.
class ProcMeminfoSource : public MemorySource {
public:
    // `meminfo` is the system's memory file; another path stands in for it in tests.
    explicit ProcMeminfoSource(std::string meminfo = "/proc/meminfo");
    ~ProcMeminfoSource() override;
    ProcMeminfoSource(const ProcMeminfoSource&) = delete;
    ProcMeminfoSource& operator=(const ProcMeminfoSource&) = delete;
    // nullopt when the memory file cannot be read, is empty or names no total.
    std::optional<MemoryStatus> sample() override;

    // Builds the record from the texts of /proc/meminfo and /proc/self/status (whose VmSize is
    // the virtual size); missing or unreadable fields count as 0.
    static MemoryStatus parse(std::string_view meminfo, std::string_view selfStatus, std::uint64_t addressSpace);
    // The same with the process's virtual size already known, in bytes.
    static MemoryStatus parse(std::string_view meminfo, std::uint64_t virtualSize, std::uint64_t addressSpace);
    // The size of this process's user address space: RLIMIT_AS when one is set, else what the
    // architecture gives a user process.
    static std::uint64_t userAddressSpace();

    static constexpr std::chrono::milliseconds kSameSample{20};

private:
    std::string m_meminfoPath;
    std::uint64_t m_addressSpace;
    std::uint64_t m_pageSize;
    std::optional<MemoryStatus> m_last;
    bool m_sampled = false;
    std::chrono::steady_clock::time_point m_sampledAt;
    int m_meminfoFd = -1;
    int m_statmFd = -1;
};

} // namespace tarvik
