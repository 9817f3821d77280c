#pragma once

#include "memory/MemoryStatus.h"

#include <optional>

namespace tarvik {

// Reads the operating system's current memory figures.
class MemorySource {
public:
    virtual ~MemorySource() = default;
    // nullopt when the system gives no figures (an unreadable or empty source, no total).
    virtual std::optional<MemoryStatus> sample() = 0;
};

} // namespace tarvik
