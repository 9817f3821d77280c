#include "platform/win32/Win32FileAppender.h"

#include "fakes/FileAppenderChecks.h"
#include "fakes/TempFolder.h"

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
