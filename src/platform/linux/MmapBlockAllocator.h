#pragma once

#include "platform/BlockAllocator.h"

namespace tarvik {

// Anonymous private mappings: munmap hands the pages straight back to the kernel, which
// malloc's heap does not promise for blocks of any size.
class MmapBlockAllocator : public BlockAllocator {
public:
    void* allocate(std::size_t bytes) override;
    void release(void* block, std::size_t bytes) override;
};

} // namespace tarvik
