#pragma once

#include "platform/MemorySource.h"

namespace tarvik {

// The system's memory figures from GlobalMemoryStatusEx, whose 64-bit counts stay right on
// machines with 2 GiB or more.
class Win32MemorySource : public MemorySource {
public:
    MemoryStatus sample() override;
};

} // namespace tarvik
