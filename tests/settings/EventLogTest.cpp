#include "settings/EventLog.h"

#include "fakes/FakePlatform.h"
#include "platform/FileAppender.h"
#include "platform/TextCodec.h"
#include "settings/Paths.h"
#include "settings/SettingsFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tarvik {
namespace {

namespace fs = std::filesystem;

// Code page 936 bytes of the texts the tests write.
const std::string kReleaseGbk = "\xD5\xFB\xC0\xED\xC4\xDA\xB4\xE6\xA1\xA3"; // 整理内存。
const std::string kReportHeaderGbk = "\xC4\xDA\xB4\xE6\xD0\xC5\xCF\xA2:";   // 内存信息:
const std::string kStamp = "2006-12-6 22:24:44 ";

class EventLogTest : public ::testing::Test {
protected:
    test::TempFolder folder{false};
    std::unique_ptr<TextCodec> codec = makeSystemTextCodec();
    test::FakeFileReplacer replacer;
    test::FakeFileAppender appender{replacer};
    test::FakeClock clock;
    SettingsFiles files{folder.path(), *codec, replacer};
    std::string logText;
    EventLog log{files, appender, clock, logText};

    std::string logFile() const { return folder.read("Tarvik.log"); }
};

TEST_F(EventLogTest, EntryIsAppendedAsALine) {
    folder.write("Tarvik.log", "a\r\nb\r\n");
    ASSERT_TRUE(log.LoadLogText());
    EXPECT_EQ(logText, "a\r\nb\r\n");

    log.AppendLogLine("整理内存。");
    EXPECT_EQ(logFile(), "a\r\nb\r\n" + kStamp + kReleaseGbk + "\r\n");
    EXPECT_EQ(logText, "a\r\nb\r\n" + kStamp + kReleaseGbk);

    clock.time = {2007, 1, 5, 9, 5, 3};
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), "a\r\nb\r\n" + kStamp + kReleaseGbk + "\r\n2007-1-5 9:05:03 x\r\n");
}

TEST_F(EventLogTest, FileNotMemoryIsTheBase) {
    // Another window may have written since the copy was taken.
    folder.write("Tarvik.log", "");
    ASSERT_TRUE(log.LoadLogText());
    EXPECT_EQ(logText, "");
    folder.write("Tarvik.log", "other\r\n");
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), "other\r\n" + kStamp + "x\r\n");

    // Zero bytes: the entry becomes the first line.
    folder.write("Tarvik.log", "");
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), kStamp + "x\r\n");
}

TEST_F(EventLogTest, LineEndsAreNormalised) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"\r\n", "\r\n"},
        {"a", "a\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb\r", "a\r\nb\r\n"},
        {"a\r\n\r\nb", "a\r\n\r\nb\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},
    };
    for (const auto& [file, text] : cases) {
        folder.write("Tarvik.log", file);
        ASSERT_TRUE(log.LoadLogText());
        EXPECT_EQ(logText, text) << testing::PrintToString(file);
    }
    folder.write("Tarvik.log", "a\nb");
    log.AppendLogLine("c");
    EXPECT_EQ(logFile(), "a\r\nb\r\n" + kStamp + "c\r\n");
}

TEST_F(EventLogTest, UndecodableBytesSurviveAnAppend) {
    const std::string odd = "\xFF\x80\x81 half\xB9\r\n\xB9\xA4\r\n";
    folder.write("Tarvik.log", odd);
    log.AppendLogLine("整理内存。");
    EXPECT_EQ(logFile(), odd + kStamp + kReleaseGbk + "\r\n");

    // A character code page 936 lacks costs that character, not the entry.
    log.AppendLogLine("a😀b");
    EXPECT_EQ(logFile(), odd + kStamp + kReleaseGbk + "\r\n" + kStamp + "a?b\r\n");
}

TEST_F(EventLogTest, DeletedLogIsRestoredWithoutTheEntry) {
    folder.write("Tarvik.log", "a\r\n");
    ASSERT_TRUE(log.LoadLogText());
    log.AppendLogLine("one");
    folder.remove("Tarvik.log");

    log.AppendLogLine("lost");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "one\r\n");

    log.AppendLogLine("three");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "one\r\n" + kStamp + "three\r\n");
}

TEST_F(EventLogTest, MissingLogAtStartLeavesOneEmptyLine) {
    EXPECT_FALSE(log.LoadLogText());
    EXPECT_EQ(logText, "");
    log.AppendLogLine("打开日志文件失败。");
    EXPECT_EQ(logFile(), "\r\n");
    ASSERT_TRUE(log.LoadLogText());
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), "\r\n" + kStamp + "x\r\n");
}

TEST_F(EventLogTest, AFailedWriteLeavesTheLogAsItIsAndIsReported) {
    folder.write("Tarvik.log", "a\r\n");
    EXPECT_TRUE(log.AppendLogLine("x"));
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n");

    // A log that is there is never written from the copy: a refused write costs only the entry.
    replacer.failNext = 2; // the append, then the rewrite
    EXPECT_FALSE(log.AppendLogLine("y"));
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n");
    EXPECT_TRUE(log.AppendLogLine("z"));
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n" + kStamp + "z\r\n");

    // A log that is gone is restored without the entry, which did not reach it.
    folder.remove("Tarvik.log");
    EXPECT_FALSE(log.AppendLogLine("lost"));
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n" + kStamp + "z\r\n");
}

TEST_F(EventLogTest, ALogOverTheBoundIsHeldByItsNewestLinesAndAppendedInPlace) {
    folder.write("Tarvik.log", "a\r\n");
    const std::uintmax_t huge = folder.makeHuge("Tarvik.log");
    auto add = [this](const std::string& bytes) {
        std::ofstream(folder / "Tarvik.log", std::ios::binary | std::ios::app) << bytes;
    };
    auto end = [this](std::size_t n) {
        std::ifstream in(folder / "Tarvik.log", std::ios::binary | std::ios::ate);
        std::string bytes(n, '\0');
        in.seekg(-static_cast<std::streamoff>(n), std::ios::end);
        in.read(bytes.data(), static_cast<std::streamsize>(n));
        return bytes;
    };
    add("\r\nold\r\nnewest\r\n");
    // The line that starts before the newest 256 MiB (all the NUL bytes) is left out.
    ASSERT_TRUE(log.LoadLogText());
    EXPECT_EQ(logText, "old\r\nnewest\r\n");
    EXPECT_EQ(log.copyStart(), huge + 2);
    EXPECT_TRUE(log.AppendLogLine("x"));
    const std::string tail = "\r\nold\r\nnewest\r\n" + kStamp + "x\r\n";
    EXPECT_EQ(fs::file_size(folder / "Tarvik.log"), huge + tail.size());
    EXPECT_EQ(end(tail.size()), tail);
    EXPECT_EQ(readFileStart(folder / "Tarvik.log", 3), "a\r\n");

    // Changed meanwhile, even without a line end: its end is read again and the entry follows it.
    add("other");
    EXPECT_TRUE(log.AppendLogLine("y"));
    const std::string more = "other\r\n" + kStamp + "y\r\n";
    EXPECT_EQ(end(tail.size() + more.size()), tail + more);
    bool olderLeftOut = false;
    EXPECT_EQ(log.readNewest(olderLeftOut), "old\r\nnewest\r\n" + kStamp + "x\r\nother\r\n" + kStamp + "y\r\n");
    EXPECT_TRUE(olderLeftOut);
    EXPECT_FALSE(log.readBytes()) << "never read whole";
}

TEST_F(EventLogTest, ACopyThatGrowsPastTheBoundLetsGoOfItsOldestLines) {
    folder.write("Tarvik.log", "");
    log.setBound(100);
    ASSERT_TRUE(log.LoadLogText());
    std::string all;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(log.AppendLogLine("entry " + std::to_string(i)));
        all += kStamp + "entry " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(logFile(), all) << "the file keeps every entry";
    EXPECT_LE(logText.size(), 100u);
    EXPECT_EQ(all.substr(log.copyStart()), logText + "\r\n");

    // The next start holds the newest lines within the bound, from a line start.
    std::string again;
    EventLog next(files, appender, clock, again);
    next.setBound(100);
    ASSERT_TRUE(next.LoadLogText());
    EXPECT_EQ(again, all.substr(all.size() - 3 * 28));
}

TEST_F(EventLogTest, LogReplacedByADirectory) {
    fs::create_directory(folder / "Tarvik.log");
    EXPECT_FALSE(log.LoadLogText());
    EXPECT_NO_THROW(log.AppendLogLine("x"));
    EXPECT_TRUE(fs::is_directory(folder / "Tarvik.log"));
    EXPECT_FALSE(log.readBytes());
    EXPECT_FALSE(log.clear());
    EXPECT_FALSE(log.copyTo(folder / "copy.txt"));
    EXPECT_FALSE(folder.exists("copy.txt"));
    EXPECT_EQ(fs::directory_iterator(folder.path())->path().filename(), "Tarvik.log") << "no temporary files";
}

TEST_F(EventLogTest, MemoryReportSpansFiveLines) {
    const std::string report =
        MemoryReport("物理内存总量: 2048M", "可用的物理内存: 512M", "可用的页面文件: 60%", "可用的虚拟内存: 98%");
    EXPECT_EQ(report,
              "内存信息:\r\n物理内存总量: 2048M\r\n可用的物理内存: 512M\r\n可用的页面文件: 60%\r\n可用的虚拟内存: 98%");

    folder.write("Tarvik.log", "");
    log.AppendLogLine(MemoryReport("t", "p", "f", "v"));
    EXPECT_EQ(logFile(), kStamp + kReportHeaderGbk + "\r\nt\r\np\r\nf\r\nv\r\n");
}

TEST_F(EventLogTest, EntriesAreAppendedWhileTheFileHoldsWhatTheProgramLastWrote) {
    folder.write("Tarvik.log", "a\r\nb\r\n");
    ASSERT_TRUE(log.LoadLogText());
    log.AppendLogLine("整理内存。");
    log.AppendLogLine(MemoryReport("t", "p", "f", "v"));
    std::string expected =
        "a\r\nb\r\n" + kStamp + kReleaseGbk + "\r\n" + kStamp + kReportHeaderGbk + "\r\nt\r\np\r\nf\r\nv\r\n";
    EXPECT_EQ(logFile(), expected);
    EXPECT_EQ(logText + "\r\n", expected);
    EXPECT_EQ(appender.appended.size(), 2u);
    EXPECT_TRUE(replacer.written.empty());

    // Changed behind the program's back: the file is the base again, read and rewritten by the
    // usual rules, and the entry after that is appended again.
    const std::string sameSizeOtherEnd = std::string(expected.size() - 3, 'x') + "\ny\n";
    const std::pair<std::string, std::string> changes[] = {
        {sameSizeOtherEnd, std::string(expected.size() - 3, 'x') + "\r\ny\r\n"},
        {expected + "c\n", expected + "c\r\n"}, // grown
        {"z", "z\r\n"},                         // shrunk
    };
    for (const auto& [file, base] : changes) {
        folder.write("Tarvik.log", file);
        const auto rewrites = replacer.written.size();
        log.AppendLogLine("x");
        EXPECT_EQ(logFile(), base + kStamp + "x\r\n");
        EXPECT_EQ(replacer.written.size(), rewrites + 1);
        log.AppendLogLine("y");
        EXPECT_EQ(logFile(), base + kStamp + "x\r\n" + kStamp + "y\r\n");
        EXPECT_EQ(replacer.written.size(), rewrites + 1) << "appended";
    }

    // A message with line ends of its own kind is appended as it is; the next entry, as always,
    // reads the file and gives every line a CR LF.
    folder.write("Tarvik.log", "a\r\n");
    ASSERT_TRUE(log.LoadLogText());
    log.AppendLogLine("1\n2");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "1\n2\r\n");
    log.AppendLogLine("3");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "1\r\n2\r\n" + kStamp + "3\r\n");

    // A log loaded with other line ends is rewritten by its first entry.
    folder.write("Tarvik.log", "a\nb");
    ASSERT_TRUE(log.LoadLogText());
    const auto appends = appender.appended.size();
    log.AppendLogLine("c");
    EXPECT_EQ(logFile(), "a\r\nb\r\n" + kStamp + "c\r\n");
    EXPECT_EQ(appender.appended.size(), appends);
}

TEST_F(EventLogTest, FailedAppendIsRetriedAsARewriteWithTheEntry) {
    folder.write("Tarvik.log", "a\r\n");
    ASSERT_TRUE(log.LoadLogText());
    replacer.failNext = 1; // the append
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n");
    EXPECT_EQ(replacer.written.size(), 1u);

    // Both refused: the file stays as it was, and the next entry starts from the file.
    replacer.failNext = 2;
    log.AppendLogLine("y");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n");
    log.AppendLogLine("z");
    EXPECT_EQ(logFile(), "a\r\n" + kStamp + "x\r\n" + kStamp + "z\r\n");
}

TEST_F(EventLogTest, AnAppendCutShortIsNoPartOfTheLog) {
    std::string old;
    while (old.size() < FileAppender::kBlock + 100) {
        old += kStamp + kReleaseGbk + "\r\n";
    }
    const std::size_t boundary = 2 * FileAppender::kBlock;
    const std::string rest = "\xC4\xDA\r\nt\r\n"; // the second piece of a report entry
    const std::string cut = old + std::string(boundary - old.size(), '\0') + rest;
    folder.write("Tarvik.log", cut);
    ASSERT_TRUE(log.LoadLogText());
    EXPECT_EQ(logText, old);
    EXPECT_EQ(log.readBytes(), old);
    log.AppendLogLine("x");
    EXPECT_EQ(logFile(), old + kStamp + "x\r\n");
    folder.write("Tarvik.log", cut);
    log.AppendLogLine("y");
    EXPECT_EQ(logFile(), old + kStamp + "y\r\n");

    // NUL bytes in any other place are the log's own.
    const std::string others[] = {
        old + std::string(boundary - old.size() - 1, '\0') + rest,       // not up to a block boundary
        old + std::string(boundary - old.size(), '\0'),                  // nothing after them
        old + "q" + std::string(boundary - old.size() - 1, '\0') + rest, // not after a line end
        std::string(boundary, '\0') + rest,                              // not after any text
        old + std::string(boundary - old.size(), '\0') + std::string(FileAppender::kBlock, 'r'), // too much after
    };
    for (const std::string& bytes : others) {
        EXPECT_EQ(EventLog::withoutInterruptedAppend(bytes), bytes);
    }
}

TEST_F(EventLogTest, TimestampHasNoLeadingZerosBeforeTheMinutes) {
    EXPECT_EQ(EventLog::formatTimestamp({2006, 12, 6, 22, 24, 44}), "2006-12-6 22:24:44");
    EXPECT_EQ(EventLog::formatTimestamp({2007, 1, 5, 9, 5, 3}), "2007-1-5 9:05:03");
    EXPECT_EQ(EventLog::formatTimestamp({2010, 10, 31, 0, 0, 0}), "2010-10-31 0:00:00");
}

TEST_F(EventLogTest, LogPageOperations) {
    folder.write("Tarvik.log", "a\n" + kReleaseGbk + "\r\xFF" + "c");
    const auto read = log.readBytes();
    ASSERT_TRUE(read);
    EXPECT_EQ(EventLog::textForView(*read, *codec), "a\r\n整理内存。\r\n\uFFFDc\r\n");

    const std::string bytes = "a\r\n\xFF\r\n";
    folder.write("Tarvik.log", bytes);
    ASSERT_TRUE(log.copyTo(folder / "saved.txt"));
    EXPECT_EQ(folder.read("saved.txt"), bytes);

    replacer.failAll = true;
    EXPECT_FALSE(log.clear());
    EXPECT_EQ(logFile(), bytes);
    replacer.failAll = false;
    ASSERT_TRUE(log.LoadLogText());
    ASSERT_TRUE(log.clear());
    EXPECT_EQ(logFile(), "\r\n");
    // A recovery after the clearing restores the cleared log, not the old entries.
    folder.remove("Tarvik.log");
    log.AppendLogLine("lost");
    EXPECT_EQ(logFile(), "\r\n");

    folder.remove("Tarvik.log");
    EXPECT_FALSE(log.copyTo(folder / "saved.txt"));
    EXPECT_EQ(folder.read("saved.txt"), bytes);
    EXPECT_FALSE(log.readBytes());
}

} // namespace
} // namespace tarvik
