#include "platform/win32/Win32ProcessLauncher.h"

#include "platform/win32/WideText.h"
#include "ProbeProcess.h"
#include "settings/Paths.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <windows.h>

using tarvik::Win32ProcessLauncher;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(Win32ProcessLauncher, StartsMinimisedInTheProgramFolderWithoutWaiting) {
    tarvik::test::TempFolder folder(false);
    const fs::path work = folder.path() / L"程序 目录";
    fs::create_directory(work);
    const fs::path report = folder.path() / L"报告.txt";
    const std::wstring eventName = L"Local\\TarvikProbeGo-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(go, nullptr);

    // A batch entry is a whole command line: a quoted program path and its arguments.
    const std::wstring command =
        L"\"" + tarvik::test::probePath().wstring() + L"\" report \"" + report.wstring() + L"\" " + eventName;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(Win32ProcessLauncher().startMinimized(tarvik::fromWide(command), tarvik::pathToUtf8(work)));
    // The probe waits for the event for up to 10 s; a launcher that waited for it would take that long.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_FALSE(fs::exists(report));

    ::SetEvent(go);
    for (int i = 0; i < 200 && !fs::exists(report); ++i) {
        std::this_thread::sleep_for(100ms);
    }
    ::CloseHandle(go);
    ASSERT_TRUE(fs::exists(report));
    std::ifstream in(report, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // SW_SHOWMINIMIZED (2), with STARTF_USESHOWWINDOW set, and the program folder as current folder.
    EXPECT_EQ(text, "2 1\n" + tarvik::pathToUtf8(work) + "\n");
}

TEST(Win32ProcessLauncher, LineNamingAFileWithBlanksStartsThatFile) {
    tarvik::test::TempFolder folder(false);
    const fs::path apps = folder.path() / L"t" / L"My Apps";
    fs::create_directories(apps);
    // A program where the line, cut at its blank, would name one.
    fs::copy_file(tarvik::test::probePath(), folder.path() / L"t" / L"My.exe");
    fs::copy_file(tarvik::test::probePath(), apps / L"app.exe");
    fs::copy_file(tarvik::test::probePath(), apps / L"other.exe");
    const auto ranMarker = [](const fs::path& exe) { return fs::path(exe.wstring() + L".ran"); };
    const auto waitFor = [](const fs::path& marker) {
        for (int i = 0; i < 100 && !fs::exists(marker); ++i) {
            std::this_thread::sleep_for(100ms);
        }
        return fs::exists(marker);
    };

    // A relative line is taken from the program's folder.
    EXPECT_TRUE(Win32ProcessLauncher().startMinimized(tarvik::pathToUtf8(apps / L"app.exe"), ""));
    EXPECT_TRUE(Win32ProcessLauncher().startMinimized("My Apps\\other.exe", tarvik::pathToUtf8(apps.parent_path())));
    EXPECT_TRUE(waitFor(ranMarker(apps / L"app.exe")));
    EXPECT_TRUE(waitFor(ranMarker(apps / L"other.exe")));
    EXPECT_FALSE(fs::exists(ranMarker(folder.path() / L"t" / L"My.exe")));
    std::ifstream in(ranMarker(apps / L"app.exe"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), ""); // no arguments
}

TEST(Win32ProcessLauncher, CommandThatCannotRunGivesFalse) {
    Win32ProcessLauncher launcher;
    EXPECT_FALSE(launcher.startMinimized("Z:\\no such folder\\nothing.exe", ""));
    EXPECT_FALSE(launcher.startMinimized("", ""));
    EXPECT_FALSE(launcher.startMinimized("   ", ""));
}
