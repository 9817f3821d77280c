#include "platform/win32/VirtualAllocBlockAllocator.h"

#include "support/BlockAllocatorChecks.h"

#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>

using tarvik::VirtualAllocBlockAllocator;

namespace {

DWORD stateOf(const void* address) {
    MEMORY_BASIC_INFORMATION info{};
    ::VirtualQuery(address, &info, sizeof info);
    return info.State;
}

} // namespace

TEST(VirtualAllocBlockAllocator, BlockIsCommittedWritableAndGoesBackOnRelease) {
    constexpr std::size_t size = 64u << 20;
    VirtualAllocBlockAllocator allocator;
    auto* block = static_cast<unsigned char*>(allocator.allocate(size));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(stateOf(block), static_cast<DWORD>(MEM_COMMIT));
    EXPECT_EQ(stateOf(block + size - 1), static_cast<DWORD>(MEM_COMMIT));
    std::memset(block, 0x20, size);
    EXPECT_EQ(block[size - 1], 0x20);

    allocator.release(block, size);
    EXPECT_EQ(stateOf(block), static_cast<DWORD>(MEM_FREE));
    EXPECT_EQ(stateOf(block + size - 1), static_cast<DWORD>(MEM_FREE));
}

TEST(VirtualAllocBlockAllocator, RefusedSizesGiveNullAndReleasingNothingIsHarmless) {
    VirtualAllocBlockAllocator allocator;
    tarvik::test::checkRefusedSizesGiveNullAndReleasingNothingIsHarmless(allocator);
}
