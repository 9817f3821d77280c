#include "platform/win32/Win32Shell.h"

#include "settings/Paths.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>

using tarvik::Win32Shell;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(Win32Shell, OpensTheDocumentWithItsProgramInTheGivenFolder) {
    // A batch file is a document whose program (the command processor) is always there; it tells
    // which folder it was started in.
    tarvik::test::TempFolder folder(false);
    fs::create_directory(folder / "program");
    fs::create_directory(folder / "work");
    folder.write("program/where.bat", "@cd > \"%~dp0where.txt\"\r\n");

    Win32Shell().open(tarvik::pathToUtf8(folder / "program" / "where.bat"), tarvik::pathToUtf8(folder / "work"), 0);
    // The command processor runs on its own: wait until it has written the whole line.
    std::string where;
    for (int i = 0; i < 200 && (where.empty() || where.back() != '\n'); ++i) {
        std::this_thread::sleep_for(100ms);
        where = folder.exists("program/where.txt") ? folder.read("program/where.txt") : std::string();
    }
    EXPECT_EQ(where, tarvik::pathToUtf8(folder / "work") + "\r\n");
}

TEST(Win32Shell, MissingDocumentIsNotReported) {
    tarvik::test::TempFolder folder(false);
    Win32Shell shell;
    shell.open(tarvik::pathToUtf8(folder / "Tarvik.chm"), tarvik::pathToUtf8(folder.path()), 0);
    shell.open("", "", 0);
}
