#include "platform/win32/Win32FileAppender.h"

#include "FileHolder.h"
#include "support/FileAppenderChecks.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

using tarvik::FileAppender;
using tarvik::Win32FileAppender;

TEST(Win32FileAppender, AppendsOnlyToTheFileAsExpectedAndLeavesReadOnlyOnesAlone) {
    tarvik::test::TempFolder folder(false);
    Win32FileAppender appender;
    tarvik::test::checkAppendsOnlyToTheFileAsExpected(appender, folder);

    // A file marked read-only is left alone, as the atomic replace leaves it.
    const auto log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "y");
    ASSERT_TRUE(::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(appender.appendIfUnchanged(log, 1, "y", "z"), FileAppender::Result::Changed);
    ASSERT_TRUE(::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(folder.read("Tarvik.log"), "y");
}

TEST(Win32FileAppender, ALogHeldOpenForAMomentIsWaitedForAndOneHeldLongerIsLeftAsItWas) {
    tarvik::test::TempFolder folder(false);
    const auto log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "a\r\n");
    Win32FileAppender appender;
    {
        tarvik::test::FileHolder scanner(log, 300);
        ASSERT_TRUE(scanner.holds());
        EXPECT_EQ(appender.appendIfUnchanged(log, 3, "a\r\n", "b\r\n"), FileAppender::Result::Appended);
    }
    EXPECT_EQ(folder.read("Tarvik.log"), "a\r\nb\r\n");

    tarvik::test::FileHolder backup(log, 5000);
    ASSERT_TRUE(backup.holds());
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_NE(appender.appendIfUnchanged(log, 6, "a\r\nb\r\n", "c\r\n"), FileAppender::Result::Appended);
    const ULONGLONG waited = ::GetTickCount64() - start;
    EXPECT_GE(waited, 1500u);
    EXPECT_LT(waited, 4000u);
    EXPECT_EQ(folder.read("Tarvik.log"), "a\r\nb\r\n");
}
