#include "platform/linux/MmapBlockAllocator.h"

#include "support/BlockAllocatorChecks.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

using tarvik::MmapBlockAllocator;

namespace {

std::size_t residentBytes() {
    long size = 0;
    long resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f != nullptr) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

} // namespace

TEST(MmapBlockAllocator, WrittenBlockIsCommittedAndGoesBackOnRelease) {
    constexpr std::size_t size = 64u << 20;
    MmapBlockAllocator allocator;
    const std::size_t before = residentBytes();

    auto* block = static_cast<unsigned char*>(allocator.allocate(size));
    ASSERT_NE(block, nullptr);
    // Fresh pages are not resident until written: the caller's fill is what commits them.
    EXPECT_LT(residentBytes(), before + size / 2);
    std::memset(block, 0x20, size);
    EXPECT_EQ(block[0], 0x20);
    EXPECT_EQ(block[size - 1], 0x20);
    const std::size_t filled = residentBytes();
    EXPECT_GE(filled, before + size - (4u << 20));

    allocator.release(block, size);
    EXPECT_LE(residentBytes(), filled - size + (4u << 20));
}

TEST(MmapBlockAllocator, RefusedSizesGiveNullAndReleasingNothingIsHarmless) {
    MmapBlockAllocator allocator;
    tarvik::test::checkRefusedSizesGiveNullAndReleasingNothingIsHarmless(allocator);
}
