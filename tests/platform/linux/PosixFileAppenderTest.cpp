#include "platform/linux/PosixFileAppender.h"

#include "support/FileAppenderChecks.h"
#include "support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

using tarvik::FileAppender;
using tarvik::PosixFileAppender;
namespace fs = std::filesystem;

TEST(PosixFileAppender, AppendsOnlyToTheFileAsExpectedAndLeavesReadOnlyOnesAlone) {
    tarvik::test::TempFolder folder(false);
    PosixFileAppender appender;
    tarvik::test::checkAppendsOnlyToTheFileAsExpected(appender, folder);

    // Read-only file or folder: left alone, as the atomic replace leaves them, also for root.
    const fs::path log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "y");
    fs::permissions(log, fs::perms(0444));
    EXPECT_EQ(appender.appendIfUnchanged(log, 1, "y", "z"), FileAppender::Result::Changed);
    fs::permissions(log, fs::perms(0644));
    fs::permissions(folder.path(), fs::perms(0555));
    EXPECT_EQ(appender.appendIfUnchanged(log, 1, "y", "z"), FileAppender::Result::Changed);
    fs::permissions(folder.path(), fs::perms(0755));
    EXPECT_EQ(folder.read("Tarvik.log"), "y");
}

TEST(PosixFileAppender, AFailedWriteIsUndone) {
    tarvik::test::TempFolder folder(false);
    PosixFileAppender appender;
    const fs::path log = folder / "Tarvik.log";
    const std::string old(FileAppender::kBlock - 3, 'a');
    folder.write("Tarvik.log", old);
    // The disk takes only part of it: the file is cut back to what it was.
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
