#pragma once

#include "platform/MemorySource.h"

#include <windows.h>

namespace tarvik {

// The system's memory figures from GlobalMemoryStatusEx, whose 64-bit counts stay right on
// machines with 2 GiB or more. The query is a parameter so that its failure can be tried.
class Win32MemorySource : public MemorySource {
public:
    using Query = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    explicit Win32MemorySource(Query query = ::GlobalMemoryStatusEx) : m_query(query) {}
    std::optional<MemoryStatus> sample() override;

private:
    Query m_query;
};

} // namespace tarvik
