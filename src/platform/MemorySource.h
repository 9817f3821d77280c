#pragma once

#include "memory/MemoryStatus.h"

namespace tarvik {

// Reads the operating system's current memory figures.
class MemorySource {
public:
    virtual ~MemorySource() = default;
    virtual MemoryStatus sample() = 0;
};

} // namespace tarvik
