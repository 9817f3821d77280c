#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

class BlockAllocator;
class Clipboard;

// The memory release: claims a block sized by the RAM class and the release level, writes every
// byte of it, optionally empties the clipboard, and gives the block back before returning.
class MemoryRelease {
public:
    MemoryRelease(BlockAllocator& allocator, Clipboard& clipboard);

    // false when the block was refused or the clipboard could not be emptied; the block is
    // freed in every case. Takes no sample and logs nothing.
    bool release(std::uint64_t totalPhys, int releaseLevel, bool clearClipboard);

    // Writes `chars` blank 2-byte characters (bytes 0x20 0x00) into `block`.
    static void fillBlank(void* block, std::size_t chars);

private:
    BlockAllocator& m_allocator;
    Clipboard& m_clipboard;
};

} // namespace tarvik
