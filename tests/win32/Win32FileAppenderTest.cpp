#include "platform/win32/Win32FileAppender.h"

#include "fakes/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

using tarvik::FileAppender;
using tarvik::Win32FileAppender;
namespace fs = std::filesystem;

TEST(Win32FileAppender, AppendsOnlyToTheFileAsExpected) {
    tarvik::test::TempFolder folder(false);
    Win32FileAppender appender;
    const fs::path log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "hello\r\n");

    EXPECT_EQ(appender.appendIfUnchanged(log, 7, "lo\r\n", "x\r\n"), FileAppender::Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), "hello\r\nx\r\n");

    const std::string now = folder.read("Tarvik.log");
    EXPECT_EQ(appender.appendIfUnchanged(log, 9, "", "z"), FileAppender::Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "x\r\nz", "z"), FileAppender::Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, std::string(11, 'y'), "z"), FileAppender::Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(folder / "missing.log", 0, "", "z"), FileAppender::Result::Changed);
    EXPECT_FALSE(folder.exists("missing.log"));
    fs::create_directory(folder / "dir.log");
    EXPECT_EQ(appender.appendIfUnchanged(folder / "dir.log", 0, "", "z"), FileAppender::Result::Changed);
    ASSERT_TRUE(::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "\n", "z"), FileAppender::Result::Changed);
    ASSERT_TRUE(::SetFileAttributesW(log.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(folder.read("Tarvik.log"), now);

    // Pieces on both sides of block boundaries, written last piece first, arrive whole.
    const std::string old(FileAppender::kBlock - 3, 'a');
    folder.write("Tarvik.log", old);
    std::string bytes;
    for (int i = 0; bytes.size() < 2 * FileAppender::kBlock + 10; ++i) {
        bytes += std::to_string(i) + "\r\n";
    }
    ASSERT_EQ(appender.appendIfUnchanged(log, old.size(), "aaa", bytes), FileAppender::Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), old + bytes);
}
