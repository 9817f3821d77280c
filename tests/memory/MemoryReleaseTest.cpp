#include "memory/MemoryRelease.h"

#include "fakes/FakePlatform.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tarvik;
using tarvik::test::FakeAllocator;
using tarvik::test::FakeClipboard;

namespace {

constexpr std::uint64_t MiB = 1048576ULL;

struct ReleaseFixture : ::testing::Test {
    FakeAllocator allocator;
    FakeClipboard clipboard;
    MemoryRelease release{allocator, clipboard};
};

} // namespace

TEST_F(ReleaseFixture, WritesEveryByteOfTheBlockAsBlankCharactersAndFreesIt) {
    EXPECT_TRUE(release.release(96 * MiB, 3, false));
    ASSERT_EQ(allocator.allocations.size(), 1u);
    EXPECT_EQ(allocator.allocations[0], 48000000u); // 24000000 characters of two bytes
    EXPECT_EQ(allocator.released, 1);
    EXPECT_TRUE(allocator.lastBlockFullyBlank);
    EXPECT_EQ(clipboard.clears, 0);
}

TEST_F(ReleaseFixture, LevelOutsideOneToFiveAllocatesNothingButStillEmptiesTheClipboard) {
    for (int level : {0, 6}) {
        EXPECT_TRUE(release.release(512 * MiB, level, true)) << level;
    }
    EXPECT_TRUE(allocator.allocations.empty());
    EXPECT_EQ(clipboard.clears, 2);
}

TEST_F(ReleaseFixture, RefusedBlockFailsAndSkipsTheClipboard) {
    allocator.refuse = true;
    EXPECT_FALSE(release.release(512 * MiB, 5, true));
    EXPECT_EQ(allocator.allocations.size(), 1u);
    EXPECT_EQ(allocator.released, 0);
    EXPECT_EQ(clipboard.clears, 0);
}

TEST_F(ReleaseFixture, ClipboardFailureStillFreesTheBlock) {
    clipboard.fail = true;
    EXPECT_FALSE(release.release(32 * MiB, 1, true));
    EXPECT_EQ(allocator.allocations[0], 8000000u);
    EXPECT_EQ(allocator.released, 1);
}

TEST(MemoryReleaseFill, PatternIsLittleEndianBlank) {
    unsigned char buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    MemoryRelease::fillBlank(buffer, 3);
    const unsigned char expected[8] = {0x20, 0x00, 0x20, 0x00, 0x20, 0x00, 0xAA, 0xAA};
    EXPECT_EQ(0, std::memcmp(buffer, expected, sizeof buffer));
}
