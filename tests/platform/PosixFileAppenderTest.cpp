#include "platform/linux/PosixFileAppender.h"

#include "fakes/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

using tarvik::FileAppender;
using tarvik::PosixFileAppender;
namespace fs = std::filesystem;

TEST(PosixFileAppender, AppendsOnlyToTheFileAsExpected) {
    tarvik::test::TempFolder folder(false);
    PosixFileAppender appender;
    const fs::path log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "hello\r\n");

    EXPECT_EQ(appender.appendIfUnchanged(log, 7, "lo\r\n", "x\r\n"), FileAppender::Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), "hello\r\nx\r\n");
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "", "y"), FileAppender::Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), "hello\r\nx\r\ny");

    // Another size, other last bytes, a tail longer than the file, no file, no regular file.
    const std::string now = folder.read("Tarvik.log");
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "", "z"), FileAppender::Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, "x\r\nz", "z"), FileAppender::Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, std::string(12, 'y'), "z"), FileAppender::Result::Changed);
    EXPECT_EQ(folder.read("Tarvik.log"), now);
    EXPECT_EQ(appender.appendIfUnchanged(folder / "missing.log", 0, "", "z"), FileAppender::Result::Changed);
    EXPECT_FALSE(folder.exists("missing.log"));
    fs::create_directory(folder / "dir.log");
    EXPECT_EQ(appender.appendIfUnchanged(folder / "dir.log", 0, "", "z"), FileAppender::Result::Changed);

    // Read-only file or folder: left alone, as the atomic replace leaves them, also for root.
    fs::permissions(log, fs::perms(0444));
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, "y", "z"), FileAppender::Result::Changed);
    fs::permissions(log, fs::perms(0644));
    fs::permissions(folder.path(), fs::perms(0555));
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, "y", "z"), FileAppender::Result::Changed);
    fs::permissions(folder.path(), fs::perms(0755));
    EXPECT_EQ(folder.read("Tarvik.log"), now);
}

TEST(PosixFileAppender, BytesAcrossBlockBoundariesArriveWholeAndAFailedWriteIsUndone) {
    tarvik::test::TempFolder folder(false);
    PosixFileAppender appender;
    const fs::path log = folder / "Tarvik.log";
    const std::string old(FileAppender::kBlock - 3, 'a');
    folder.write("Tarvik.log", old);
    std::string bytes;
    for (int i = 0; bytes.size() < 2 * FileAppender::kBlock + 10; ++i) {
        bytes += std::to_string(i) + "\r\n";
    }
    ASSERT_EQ(appender.appendIfUnchanged(log, old.size(), "aaa", bytes), FileAppender::Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), old + bytes);

    // The disk takes only part of it: the file is cut back to what it was.
    folder.write("Tarvik.log", old);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limited = saved;
    limited.rlim_cur = old.size() + 2;
    auto* const previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto within = appender.appendIfUnchanged(log, old.size(), "", "xyz");           // one block: part fits
    const auto across = appender.appendIfUnchanged(log, old.size(), "", "xyz\r\nabcdef"); // last piece refused
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(within, FileAppender::Result::Failed);
    EXPECT_EQ(across, FileAppender::Result::Failed);
    EXPECT_EQ(folder.read("Tarvik.log"), old);
}
