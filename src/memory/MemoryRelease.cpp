#include "memory/MemoryRelease.h"

#include "memory/RamClass.h"
#include "platform/BlockAllocator.h"
#include "platform/Clipboard.h"

#include <cstring>

namespace tarvik {

MemoryRelease::MemoryRelease(BlockAllocator& allocator, Clipboard& clipboard)
    : m_allocator(allocator), m_clipboard(clipboard) {}

void MemoryRelease::fillBlank(void* block, std::size_t chars) {
    // A blank UTF-16 character, as bytes, whatever the byte order of the machine.
    static constexpr unsigned char kBlank[2] = {0x20, 0x00};
    std::uint16_t pattern;
    std::memcpy(&pattern, kBlank, sizeof pattern);
    auto* p = static_cast<std::uint16_t*>(block);
    for (std::size_t i = 0; i < chars; ++i) {
        p[i] = pattern;
    }
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
