#include "platform/win32/Win32MemorySource.h"

#include "memory/MemoryFigures.h"

#include <gtest/gtest.h>
#include <utility>
#include <windows.h>

using namespace tarvik;

TEST(Win32MemorySource, FiguresAgreeWithEachOther) {
    Win32MemorySource source;
    const MemoryStatus s = source.sample().value();
    EXPECT_EQ(s.dwLength, 32u);
    EXPECT_GT(s.dwTotalPhys, 0u);
    EXPECT_LE(s.dwAvailPhys, s.dwTotalPhys);
    EXPECT_GT(s.dwTotalPageFile, 0u);
    EXPECT_LE(s.dwAvailPageFile, s.dwTotalPageFile);
    EXPECT_GT(s.dwTotalVirtual, 0u);
    EXPECT_LE(s.dwAvailVirtual, s.dwTotalVirtual);
    EXPECT_LE(s.dwMemoryLoad, 100u);

    // Whole counts, not the 32-bit ones that stop at 4 GiB: the system's own figure in MiB.
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    ASSERT_TRUE(::GlobalMemoryStatusEx(&ex));
    EXPECT_EQ(s.dwTotalPhys, ex.ullTotalPhys);
    EXPECT_EQ(s.dwTotalVirtual, ex.ullTotalVirtual);

    for (const auto& [part, total] :
         {std::pair(s.dwAvailPhys, s.dwTotalPhys), std::pair(s.dwAvailPageFile, s.dwTotalPageFile),
          std::pair(s.dwAvailVirtual, s.dwTotalVirtual)}) {
        const int percent = MemoryFigures::wholePercent(part, total);
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
    }
}

TEST(Win32MemorySource, AFailedQueryOrAZeroTotalGivesNoFigures) {
    EXPECT_FALSE(Win32MemorySource([](LPMEMORYSTATUSEX) -> BOOL { return FALSE; }).sample());
    EXPECT_FALSE(Win32MemorySource([](LPMEMORYSTATUSEX ex) -> BOOL {
                     ex->ullTotalPhys = 0;
                     return TRUE;
                 }).sample());
}
