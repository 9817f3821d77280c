#include "support/BlockAllocatorChecks.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace tarvik::test {

void checkRefusedSizesGiveNullAndReleasingNothingIsHarmless(BlockAllocator& allocator) {
    EXPECT_EQ(allocator.allocate(SIZE_MAX), nullptr);
    EXPECT_EQ(allocator.allocate(SIZE_MAX / 2), nullptr);
    EXPECT_EQ(allocator.allocate(0), nullptr);
    allocator.release(nullptr, 0);
    allocator.release(nullptr, 4096);
}

} // namespace tarvik::test
