#include "memory/MemoryFigures.h"
#include "memory/RamClass.h"

#include <gtest/gtest.h>

using namespace tarvik;
namespace mf = tarvik::MemoryFigures;

namespace {

constexpr std::uint64_t MiB = 1048576ULL;

MemoryStatus status(std::uint64_t total, std::uint64_t avail) {
    MemoryStatus s;
    s.dwTotalPhys = total;
    s.dwAvailPhys = avail;
    s.dwTotalPageFile = 1000;
    s.dwAvailPageFile = 800;
    s.dwTotalVirtual = 2000;
    s.dwAvailVirtual = 1960;
    return s;
}

} // namespace

TEST(MemoryFigures, WorkedExampleOf256MiBWith95Point3Free) {
    const auto s = status(256 * MiB, static_cast<std::uint64_t>(95.3 * MiB));
    EXPECT_EQ(mf::totalPhysMB(s), 256u);
    EXPECT_EQ(mf::freePhysMB(s), 95u);
    EXPECT_EQ(mf::freePhysPercentText(s), "37%");
    EXPECT_EQ(mf::freePhysPercentFloor(s), 37);
    EXPECT_NEAR(mf::barTwips(s), 446.7, 0.1);
    EXPECT_EQ(mf::totalPhysCaption(s), "物理内存总量: 256M");
    EXPECT_EQ(mf::availPhysCaption(s), "可用的物理内存: 95M");
    EXPECT_EQ(mf::pageFileCaption(s), "可用的页面文件: 80%");
    EXPECT_EQ(mf::virtualCaption(s), "可用的虚拟内存: 98%");
    EXPECT_EQ(mf::availPhysPercentCaption(s), "可用的物理内存:37%");
    EXPECT_EQ(mf::monitorTooltip(s), "可用的物理内存(RAM): 95 M");
}

TEST(MemoryFigures, RoundingRulesDifferBetweenTextsAndCharts) {
    // Total rounds up, free rounds down.
    EXPECT_EQ(mf::totalPhysMB(status(static_cast<std::uint64_t>(255.5 * MiB), 0)), 256u);
    EXPECT_EQ(mf::freePhysMB(status(256 * MiB, static_cast<std::uint64_t>(95.9 * MiB))), 95u);
    EXPECT_EQ(mf::monitorTooltip(status(512 * MiB, static_cast<std::uint64_t>(128.9 * MiB))),
              "可用的物理内存(RAM): 128 M");
    // 45.6 % reads 46% and plots at 45; 0.247 reads 25% and plots at 24.
    auto s = status(1000000, 456000);
    EXPECT_EQ(mf::freePhysPercentText(s), "46%");
    EXPECT_EQ(mf::freePhysPercentFloor(s), 45);
    s = status(1000000, 247000);
    EXPECT_EQ(mf::freePhysPercentText(s), "25%");
    EXPECT_EQ(mf::freePhysPercentFloor(s), 24);
    // Exact halves round up in the percentage texts.
    EXPECT_EQ(mf::wholePercent(125, 1000), 13);
}

TEST(MemoryFigures, ExtremesAndZeroTotals) {
    EXPECT_EQ(mf::barTwips(status(100, 100)), 1200.0);
    EXPECT_EQ(mf::freePhysPercentText(status(100, 100)), "100%");
    EXPECT_EQ(mf::barTwips(status(100, 0)), 0.0);
    EXPECT_EQ(mf::freePhysPercentText(status(100, 0)), "0%");
    // A zero total reads as 0 % everywhere instead of failing.
    MemoryStatus zero;
    EXPECT_EQ(mf::freePhysPercentText(zero), "0%");
    EXPECT_EQ(mf::barTwips(zero), 0.0);
    EXPECT_EQ(mf::pageFileCaption(zero), "可用的页面文件: 0%");
    EXPECT_EQ(mf::virtualCaption(zero), "可用的虚拟内存: 0%");
    EXPECT_EQ(mf::totalPhysCaption(zero), "物理内存总量: 0M");
}

TEST(MemoryFigures, LargeMachinesKeepTheirRealFigures) {
    // 16 GiB total, 6 GiB free: far beyond what 32-bit counts could hold.
    const auto s = status(16384 * MiB, 6144 * MiB);
    EXPECT_EQ(mf::totalPhysCaption(s), "物理内存总量: 16384M");
    EXPECT_EQ(mf::availPhysCaption(s), "可用的物理内存: 6144M");
    EXPECT_EQ(mf::freePhysPercentText(s), "38%");
    EXPECT_EQ(ramClassOf(s.dwTotalPhys), RamClass::Large);
}

TEST(RamClass, ThresholdsAt64And128MiB) {
    EXPECT_EQ(ramClassOf(134217728ULL), RamClass::Large);
    EXPECT_EQ(ramClassOf(134217727ULL), RamClass::Middle);
    EXPECT_EQ(ramClassOf(67108864ULL), RamClass::Middle);
    EXPECT_EQ(ramClassOf(67108863ULL), RamClass::Small);
    EXPECT_EQ(ramClassOf(0), RamClass::Small);
    EXPECT_EQ(ramClassOf(2147483648ULL), RamClass::Large); // 2 GiB is large, not negative
}

TEST(RamClass, BlockSizesByClassAndLevel) {
    const std::size_t expected[5][3] = {{4000000, 8000000, 20000000},
                                        {8000000, 16000000, 40000000},
                                        {12000000, 24000000, 60000000},
                                        {16000000, 32000000, 80000000},
                                        {24000000, 48000000, 100000000}};
    const RamClass classes[3] = {RamClass::Small, RamClass::Middle, RamClass::Large};
    for (int level = 1; level <= 5; ++level) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(releaseBlockChars(classes[c], level), expected[level - 1][c]) << level << "/" << c;
        }
    }
    for (int level : {-1, 0, 6, 9, 255}) {
        EXPECT_EQ(releaseBlockChars(RamClass::Large, level), 0u) << level;
    }
}
