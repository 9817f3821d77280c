#pragma once

#include "platform/BlockAllocator.h"

namespace tarvik {

// Blocks reserved and committed by VirtualAlloc: VirtualFree hands the pages straight back to
// the system, which the heap does not promise.
class VirtualAllocBlockAllocator : public BlockAllocator {
public:
    void* allocate(std::size_t bytes) override;
    void release(void* block, std::size_t bytes) override;
};

} // namespace tarvik
