#include "platform/win32/Win32FileReplacer.h"

#include "FileHolder.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileAppender.h"
#include "support/FileReplacerChecks.h"
#include "support/TempFolder.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <thread>
#include <windows.h>

using tarvik::Win32FileReplacer;
namespace fs = std::filesystem;

namespace {

// Asked of the system itself: the C runtime's folder listing takes no long path.
std::set<std::wstring> names(const fs::path& folder) {
    std::set<std::wstring> result;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(tarvik::systemPath(folder / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return result;
    }
    do {
        if (std::wstring name = found.cFileName; name != L"." && name != L"..") {
            result.insert(std::move(name));
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return result;
}

// The whole file as another program reads it: sharing everything, so the writer is not hindered.
std::optional<std::string> readShared(const fs::path& file) {
    const HANDLE h = ::CreateFileW(tarvik::systemPath(file).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    DWORD n = 0;
    while (::ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) {
        content.append(buffer, n);
    }
    ::CloseHandle(h);
    return content;
}

} // namespace

TEST(Win32FileReplacer, ReplacesOrCreatesAndLeavesNoTemporaryFile) {
    tarvik::test::TempFolder folder(false);
    Win32FileReplacer replacer;
    tarvik::test::checkReplacesOrCreatesAndLeavesNoTemporaryFile(replacer, folder);

    // A program folder and a file named in Chinese.
    const fs::path chinese = folder.path() / L"塔维内存整理";
    fs::create_directory(chinese);
    const std::string big(3u << 20, 'x');
    EXPECT_TRUE(replacer.replaceFile(chinese / L"日志.log", big));
    EXPECT_TRUE(replacer.replaceFile(chinese / L"日志.log", "short"));
    EXPECT_EQ(readShared(chinese / L"日志.log"), "short");
    EXPECT_EQ(names(chinese), std::set<std::wstring>{L"日志.log"});
}

TEST(Win32FileReplacer, ReadOnlyTargetsAndFoldersAreLeftAlone) {
    tarvik::test::TempFolder folder(false);
    Win32FileReplacer replacer;
    tarvik::test::checkRefusesAFolderForAFileAndAMissingFolder(replacer, folder);

    folder.write("info.dxl", "keep\r\n");
    ASSERT_TRUE(::SetFileAttributesW((folder / "info.dxl").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(replacer.replaceFile(folder / "info.dxl", "changed\r\n"));
    EXPECT_EQ(folder.read("info.dxl"), "keep\r\n");
    EXPECT_NE(::GetFileAttributesW((folder / "info.dxl").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(names(folder.path()), (std::set<std::wstring>{L"info.dxl", L"folder.dxl"}));
}

TEST(Win32FileReplacer, ReaderSeesTheOldOrTheNewContentNeverAMix) {
    tarvik::test::TempFolder folder(false);
    const fs::path target = folder / "Tarvik.log";
    const std::string small = "2006-12-6 22:24:44 a\r\n";
    const std::string large(256u << 10, 'L');
    Win32FileReplacer replacer;
    ASSERT_TRUE(replacer.replaceFile(target, small));

    std::atomic<bool> done{false};
    int reads = 0;
    int mixed = 0;
    std::thread reader([&] {
        while (!done) {
            if (const auto content = readShared(target)) {
                ++reads;
                mixed += *content != small && *content != large;
            }
            ::Sleep(1);
        }
    });
    // Windows refuses to replace a file that is open at that moment; such a replace fails as a
    // whole and leaves the old content, which is atomic too.
    int replaced = 0;
    for (int i = 0; i < 100; ++i) {
        replaced += replacer.replaceFile(target, i % 2 == 0 ? large : small);
    }
    done = true;
    reader.join();

    EXPECT_GT(replaced, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(mixed, 0);
    ASSERT_TRUE(replacer.replaceFile(target, small));
    EXPECT_EQ(folder.read("Tarvik.log"), small);
    EXPECT_EQ(names(folder.path()), std::set<std::wstring>{L"Tarvik.log"});
}

TEST(Win32FileReplacer, AReplaceSweepsTemporariesLeftByAnInterruptedOne) {
    tarvik::test::TempFolder folder(false);
    // What a write killed before its rename leaves, beside files that only look alike.
    for (const char* name : {".tarvik-set.dxl.4711-0.tmp", ".tarvik-Tarvik.log.99-12.tmp", "set.dxl.tmp",
                             ".tarvik-notes.txt", "other.tmp"}) {
        folder.write(name, "x");
    }
    Win32FileReplacer replacer;
    EXPECT_TRUE(replacer.replaceFile(folder / "wtl.dxl", "300,13260,240\r\n"));
    EXPECT_EQ(names(folder.path()),
              (std::set<std::wstring>{L"wtl.dxl", L"set.dxl.tmp", L".tarvik-notes.txt", L"other.tmp"}));
}

TEST(Win32FileReplacer, AFileHeldOpenForAMomentIsWaitedForAndOneHeldLongerKeepsItsContent) {
    tarvik::test::TempFolder folder(false);
    folder.write("wtl.dxl", "300,13260,240\r\n");
    Win32FileReplacer replacer;
    {
        tarvik::test::FileHolder scanner(folder / "wtl.dxl", 300);
        ASSERT_TRUE(scanner.holds());
        EXPECT_TRUE(replacer.replaceFile(folder / "wtl.dxl", "310,13260,240\r\n"));
    }
    EXPECT_EQ(folder.read("wtl.dxl"), "310,13260,240\r\n");

    tarvik::test::FileHolder backup(folder / "wtl.dxl", 5000);
    ASSERT_TRUE(backup.holds());
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_FALSE(replacer.replaceFile(folder / "wtl.dxl", "320,13260,240\r\n"));
    const ULONGLONG waited = ::GetTickCount64() - start;
    EXPECT_GE(waited, 1500u);
    EXPECT_LT(waited, 4000u);
    EXPECT_EQ(readShared(folder / "wtl.dxl"), "310,13260,240\r\n");
    EXPECT_EQ(names(folder.path()), std::set<std::wstring>{L"wtl.dxl"});
}

TEST(Win32FileReplacer, AFolderBeyondMaxPathSavesAndAppends) {
    // The form the system is given: full, with backslashes and the prefix, only where needed.
    const std::wstring part(100, L'p');
    EXPECT_EQ(tarvik::systemPath(L"C:\\Tarvik\\set.dxl"), L"C:\\Tarvik\\set.dxl");
    EXPECT_EQ(tarvik::systemPath(L"C:/" + part + L"/x/../" + part + L"/" + part + L"/set.dxl"),
              L"\\\\?\\C:\\" + part + L"\\" + part + L"\\" + part + L"\\set.dxl");
    EXPECT_EQ(tarvik::systemPath(L"\\\\server\\share\\" + part + L"\\" + part + L"\\" + part),
              L"\\\\?\\UNC\\server\\share\\" + part + L"\\" + part + L"\\" + part);
    const std::wstring prefixed = L"\\\\?\\C:\\" + part + L"\\" + part + L"\\" + part;
    EXPECT_EQ(tarvik::systemPath(prefixed), prefixed);

    // A program folder of more than 250 characters, and in it a name near the limit of one name.
    tarvik::test::TempFolder folder(false);
    fs::path deep = folder.path();
    while (deep.native().size() < 250) {
        deep /= L"塔维内存整理-" + std::wstring(40, L'd');
        ASSERT_TRUE(::CreateDirectoryW(tarvik::systemPath(deep).c_str(), nullptr)) << ::GetLastError();
    }
    const std::wstring longName = std::wstring(240, L'n') + L".dxl";
    Win32FileReplacer replacer;
    EXPECT_TRUE(replacer.replaceFile(deep / "info.dxl", "3,True,10\r\n"));
    EXPECT_TRUE(replacer.replaceFile(deep / "info.dxl", "2,True,10\r\n"));
    EXPECT_TRUE(replacer.replaceFile(deep / longName, "x"));
    EXPECT_TRUE(replacer.replaceFile(deep / "Tarvik.log", "a\r\n"));
    tarvik::Win32FileAppender appender;
    EXPECT_EQ(appender.appendIfUnchanged(deep / "Tarvik.log", 3, "a\r\n", "b\r\n"),
              tarvik::FileAppender::Result::Appended);

    EXPECT_EQ(readShared(deep / "info.dxl"), "2,True,10\r\n");
    EXPECT_EQ(readShared(deep / longName), "x");
    EXPECT_EQ(readShared(deep / "Tarvik.log"), "a\r\nb\r\n");
    EXPECT_EQ(names(deep), (std::set<std::wstring>{L"info.dxl", longName, L"Tarvik.log"}));
}
