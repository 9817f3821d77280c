#include "support/FileAppenderChecks.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace tarvik::test {

void checkAppendsOnlyToTheFileAsExpected(FileAppender& appender, const TempFolder& folder) {
    using Result = FileAppender::Result;
    const std::filesystem::path log = folder / "Tarvik.log";
    folder.write("Tarvik.log", "hello\r\n");
    EXPECT_EQ(appender.appendIfUnchanged(log, 7, "lo\r\n", "x\r\n"), Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), "hello\r\nx\r\n");
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "", "y"), Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), "hello\r\nx\r\ny");

    // Another size, other last bytes, a tail longer than the file, no file, no regular file.
    const std::string now = folder.read("Tarvik.log");
    EXPECT_EQ(appender.appendIfUnchanged(log, 10, "", "z"), Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, "x\r\nz", "z"), Result::Changed);
    EXPECT_EQ(appender.appendIfUnchanged(log, 11, std::string(12, 'y'), "z"), Result::Changed);
    EXPECT_EQ(folder.read("Tarvik.log"), now);
    EXPECT_EQ(appender.appendIfUnchanged(folder / "missing.log", 0, "", "z"), Result::Changed);
    EXPECT_FALSE(folder.exists("missing.log"));
    std::filesystem::create_directory(folder / "dir.log");
    EXPECT_EQ(appender.appendIfUnchanged(folder / "dir.log", 0, "", "z"), Result::Changed);

    // Pieces on both sides of block boundaries, written last piece first, arrive whole.
    const std::string old(FileAppender::kBlock - 3, 'a');
    folder.write("Tarvik.log", old);
    std::string bytes;
    for (int i = 0; bytes.size() < 2 * FileAppender::kBlock + 10; ++i) {
        bytes += std::to_string(i) + "\r\n";
    }
    ASSERT_EQ(appender.appendIfUnchanged(log, old.size(), "aaa", bytes), Result::Appended);
    EXPECT_EQ(folder.read("Tarvik.log"), old + bytes);
}

} // namespace tarvik::test
