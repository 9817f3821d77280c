// The event log on a real file system, where this user may lack the right to read or write it.
#include "fakes/FakePlatform.h"
#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "settings/EventLog.h"
#include "settings/SettingsFiles.h"
#include "support/TempFolder.h"
#include "UnprivilegedUser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace tarvik;

namespace {

// The log of `folder` and what the checks need around it, made inside the unprivileged process.
struct SystemLog {
    explicit SystemLog(const std::filesystem::path& folder) : files(folder, *codec, *replacer) {}
    std::unique_ptr<TextCodec> codec = makeSystemTextCodec();
    std::unique_ptr<FileReplacer> replacer = makeSystemFileReplacer();
    std::unique_ptr<FileAppender> appender = makeSystemFileAppender();
    test::FakeClock clock;
    SettingsFiles files;
    std::string logText;
    EventLog log{files, *appender, clock, logText};
};

// The log's bytes, read with the right to read given back.
std::string logBytes(const test::TempFolder& folder) {
    ::chmod((folder / "Tarvik.log").c_str(), 0600);
    return folder.read("Tarvik.log");
}

class PosixEventLog : public ::testing::Test {
protected:
    PosixEventLog() { test::shareWithNobody(folder.path()); }
    test::TempFolder folder{false};
    const std::string history = "2006-12-6 22:24:44 a\r\n2006-12-6 22:24:45 b\r\n";
};

} // namespace

TEST_F(PosixEventLog, ALogThatCannotBeReadAtStartUpKeepsItsHistory) {
    folder.write("Tarvik.log", history);
    test::giveToNobody(folder / "Tarvik.log");
    ::chmod((folder / "Tarvik.log").c_str(), 0200); // writable, not readable
    EXPECT_TRUE(test::asUnprivilegedUser([&] {
        SystemLog s(folder.path());
        // The start-up's failure path: its entry cannot be added and nothing is replaced.
        return !s.log.LoadLogText() && !s.log.AppendLogLine("打开日志文件失败。");
    }));
    EXPECT_EQ(logBytes(folder), history);
}

TEST_F(PosixEventLog, ARunTimeEntryLeavesALogItCannotReadOrWriteAsItIs) {
    folder.write("Tarvik.log", history);
    test::giveToNobody(folder / "Tarvik.log");
    EXPECT_TRUE(test::asUnprivilegedUser([&] {
        SystemLog s(folder.path());
        if (!s.log.LoadLogText()) {
            return false;
        }
        // Another program adds a line and takes the right to read away.
        std::ofstream(folder / "Tarvik.log", std::ios::binary | std::ios::app) << "c\r\n";
        ::chmod((folder / "Tarvik.log").c_str(), 0200);
        return !s.log.AppendLogLine("x");
    }));
    EXPECT_EQ(logBytes(folder), history + "c\r\n");

    if (!test::runningAsRoot()) {
        return; // the rest needs a file of another user
    }
    // Readable but another user's to write, in a folder this user may write.
    folder.write("Tarvik.log", history);
    ::chown((folder / "Tarvik.log").c_str(), 0, 0);
    ::chmod((folder / "Tarvik.log").c_str(), 0644);
    EXPECT_TRUE(test::asUnprivilegedUser([&] {
        SystemLog s(folder.path());
        return s.log.LoadLogText() && !s.log.AppendLogLine("x");
    }));
    EXPECT_EQ(folder.read("Tarvik.log"), history);
}
