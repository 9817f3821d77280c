#pragma once

#include <cstddef>

namespace tarvik {

// Hands out large blocks of committed memory straight from the operating system, so that
// releasing them really returns the pages (mmap/munmap, VirtualAlloc/VirtualFree).
class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // nullptr when the system refuses the block.
    virtual void* allocate(std::size_t bytes) = 0;
    virtual void release(void* block, std::size_t bytes) = 0;
};

} // namespace tarvik
