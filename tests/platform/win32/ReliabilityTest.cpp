// What a user's machine does to the Windows layer's saves: the program ended by TerminateProcess
// (the task manager's end task) at any moment of a save, and a drive without a byte left.
#include "platform/Clock.h"
#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/TextCodec.h"
#include "ProbeProcess.h"
#include "settings/EventLog.h"
#include "settings/SettingsFiles.h"
#include "support/KillRounds.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <thread>
#include <windows.h>

namespace tarvik {
namespace {

namespace fs = std::filesystem;

TEST(Win32Reliability, EveryFileIsOldOrNewAfterTerminateProcessAtRandomMoments) {
    const int rounds = test::KillRounds::count();
    test::TempFolder folder{false};
    test::KillRounds check(folder);
    const std::wstring readyName = L"tarvik-kill-test-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    ASSERT_NE(ready, nullptr);
    std::mt19937 random(12345);
    for (int round = 0; round < rounds; ++round) {
        ::ResetEvent(ready);
        const HANDLE child = test::startProbe(L"write \"" + folder.path().wstring() + L"\" " + readyName);
        ASSERT_NE(child, nullptr);
        // Timed from the writer's first save, not from the start of a process, which Wine takes
        // tens of milliseconds for; a round of every save takes some 50 ms under Wine.
        const bool started = ::WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0;
        if (started) {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 80000));
        }
        ::TerminateProcess(child, 1);
        ::WaitForSingleObject(child, INFINITE);
        ::CloseHandle(child);
        ASSERT_TRUE(started) << "round " << round;
        ASSERT_NO_FATAL_FAILURE(check.check(round));
    }
    ::CloseHandle(ready);
    check.finish(rounds);
}

std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir)) {
        std::ifstream in(e.path(), std::ios::binary);
        files[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// Drive T: is a small tmpfs that tests/wine/full_drive.sh mounts for this test (as root only).
TEST(Win32Reliability, FullDriveRefusesEverySaveAndLosesOnlyEntriesThatDoNotFit) {
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW(L"T:\\", nullptr, &total, nullptr) || total.QuadPart > (16u << 20)) {
        GTEST_SKIP() << "no small drive T: (tests/wine/full_drive.sh maps one; mounting it needs root)";
    }
    const fs::path program = L"T:\\塔维";
    fs::remove_all(program);
    fs::remove(L"T:\\filler");
    fs::create_directory(program);
    for (const auto& e : fs::directory_iterator(TARVIK_DATA_DIR)) {
        if (e.is_regular_file()) {
            fs::copy_file(e.path(), program / e.path().filename());
        }
    }
    auto codec = makeSystemTextCodec();
    auto replacer = makeSystemFileReplacer();
    auto appender = makeSystemFileAppender();
    SettingsFiles files(program, *codec, *replacer);
    struct : Clock {
        LocalDateTime now() const override { return {2006, 12, 6, 22, 24, 44}; }
    } clock;
    std::string logText;
    EventLog log(files, *appender, clock, logText);
    ASSERT_TRUE(log.LoadLogText());
    log.AppendLogLine("整理内存。");
    const auto settings = files.readSettings(SettingsFiles::kInfo);
    const auto access = files.readAccess();
    const auto placement = files.readPlacement();
    const auto batch = files.readBatchStart();
    ASSERT_TRUE(settings && access && placement && batch);
    {
        std::ofstream filler(L"T:\\filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) {
        }
    }
    ULARGE_INTEGER free{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"T:\\", &free, nullptr, nullptr));
    ASSERT_EQ(free.QuadPart, 0u);

    const auto before = snapshot(program);
    SettingsRecord changed = *settings;
    changed.MinFreePercent = settings->MinFreePercent == 40 ? 41 : 40;
    EXPECT_FALSE(files.writeSettings(changed));
    EXPECT_FALSE(files.copyInfoOverSet());
    EXPECT_FALSE(files.writeAccess(AccessRecord{static_cast<std::uint8_t>(access->UserLevel == 3 ? 2 : 3), 0}));
    EXPECT_FALSE(files.writePlacement(MonitorPlacement{placement->Top + 15, placement->Left, placement->Height}, ","));
    EXPECT_FALSE(files.writeBatchStart(BatchStartList{{"C:\\新程序.exe", true}}));
    EXPECT_FALSE(log.clear());
    EXPECT_EQ(files.readBytes(SettingsFiles::kLog), before.at("Tarvik.log"));
    // An entry goes in whole while the log's last block of the drive has room for it, else it is
    // lost; either way the log stays readable and every entry in it is whole.
    const std::string entry = *codec->fromUtf8("2006-12-6 22:24:44 整理内存。\r\n");
    for (int i = 0; i < 300; ++i) {
        log.AppendLogLine("整理内存。");
    }
    auto after = snapshot(program);
    const std::string grown = after.at("Tarvik.log");
    ASSERT_EQ(grown.compare(0, before.at("Tarvik.log").size(), before.at("Tarvik.log")), 0);
    std::size_t kept = 0;
    for (std::size_t at = before.at("Tarvik.log").size(); at < grown.size(); at += entry.size(), ++kept) {
        ASSERT_EQ(grown.compare(at, entry.size(), entry), 0) << "entry " << kept;
    }
    EXPECT_LT(kept, 300u);
    std::printf("full drive: 6 saves refused, %zu of 300 entries kept, %zu lost\n", kept, 300 - kept);
    after.erase("Tarvik.log");
    auto unchanged = before;
    unchanged.erase("Tarvik.log");
    EXPECT_EQ(after, unchanged); // no temporary file left behind either

    // With room again the program's saves and entries go through as usual.
    fs::remove(L"T:\\filler");
    EXPECT_TRUE(files.writeSettings(changed));
    log.AppendLogLine("整理内存。");
    EXPECT_EQ(files.readBytes(SettingsFiles::kLog), grown + entry);
    fs::remove_all(program);
}

} // namespace
} // namespace tarvik
