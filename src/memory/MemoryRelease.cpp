#include "memory/MemoryRelease.h"

#include "memory/RamClass.h"
#include "platform/BlockAllocator.h"
#include "platform/Clipboard.h"

#include <cstring>

namespace tarvik {

MemoryRelease::MemoryRelease(BlockAllocator& allocator, Clipboard& clipboard)
    : m_allocator(allocator), m_clipboard(clipboard) {}

void MemoryRelease::fillBlank(void* block, std::size_t chars) {
    // Blank UTF-16 characters as bytes, whatever the byte order of the machine, written eight
    // bytes at a time: the block is large, and the write should cost no more than a memset.
    static constexpr unsigned char kBlanks[8] = {0x20, 0x00, 0x20, 0x00, 0x20, 0x00, 0x20, 0x00};
    std::uint64_t pattern;
    std::memcpy(&pattern, kBlanks, sizeof pattern);
    auto* bytes = static_cast<unsigned char*>(block);
    const std::size_t total = chars * 2;
    const std::size_t words = total / 8;
    for (std::size_t i = 0; i < words; ++i) {
        std::memcpy(bytes + i * 8, &pattern, 8);
    }
    std::memcpy(bytes + words * 8, kBlanks, total - words * 8);
}

bool MemoryRelease::release(std::uint64_t totalPhys, int releaseLevel, bool clearClipboard) {
    const std::size_t chars = releaseBlockChars(ramClassOf(totalPhys), releaseLevel);
    const std::size_t bytes = chars * 2;
    void* block = nullptr;
    bool ok = true;
    if (chars > 0) {
        block = m_allocator.allocate(bytes);
        if (block == nullptr) {
            ok = false;
        } else {
            fillBlank(block, chars);
        }
    }
    if (ok && clearClipboard) {
        ok = m_clipboard.clear();
    }
    if (block != nullptr) {
        m_allocator.release(block, bytes);
    }
    return ok;
}

} // namespace tarvik
