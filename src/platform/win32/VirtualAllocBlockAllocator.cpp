#include "platform/win32/VirtualAllocBlockAllocator.h"

#include <windows.h>

namespace tarvik {

void* VirtualAllocBlockAllocator::allocate(std::size_t bytes) {
    if (bytes == 0) {
        return nullptr;
    }
    return ::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void VirtualAllocBlockAllocator::release(void* block, std::size_t) {
    if (block != nullptr) {
        ::VirtualFree(block, 0, MEM_RELEASE);
    }
}

} // namespace tarvik
