#include "platform/linux/MmapBlockAllocator.h"

#include <sys/mman.h>

namespace tarvik {

void* MmapBlockAllocator::allocate(std::size_t bytes) {
    if (bytes == 0) {
        return nullptr;
    }
    // No MAP_POPULATE: the caller writes every byte anyway, and prefaulting would touch it twice.
    void* block = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : block;
}

void MmapBlockAllocator::release(void* block, std::size_t bytes) {
    if (block != nullptr && bytes != 0) {
        ::munmap(block, bytes);
    }
}

} // namespace tarvik
