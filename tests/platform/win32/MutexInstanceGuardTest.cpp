#include "platform/win32/MutexInstanceGuard.h"

#include "ProbeProcess.h"
#include "support/InstanceGuardChecks.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <windows.h>

using tarvik::MutexInstanceGuard;

namespace {

// A program path of this test run alone, so that parallel runs do not meet.
std::wstring uniqueExecutable(const wchar_t* folder) {
    return std::wstring(folder) + L"\\塔维-" + std::to_wstring(::GetCurrentProcessId()) + L"\\Tarvik.exe";
}

std::wstring upperCase(std::wstring text) {
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

TEST(MutexInstanceGuard, NameIsOnePerExecutableWhateverTheLetterCase) {
    const std::wstring name = MutexInstanceGuard::mutexName(L"C:\\Program Files\\塔维\\Tarvik.exe");
    EXPECT_EQ(name.rfind(L"Local\\Tarvik-", 0), 0u);
    EXPECT_EQ(name.size(), std::wstring(L"Local\\Tarvik-").size() + 16);
    EXPECT_EQ(name.find(L'\\', 6), std::wstring::npos);
    EXPECT_EQ(MutexInstanceGuard::mutexName(L"c:\\PROGRAM FILES\\塔维\\TARVIK.EXE"), name);
    EXPECT_EQ(MutexInstanceGuard::mutexName(L"C:\\Program Files\\塔维\\..\\塔维\\Tarvik.exe"), name);
    EXPECT_NE(MutexInstanceGuard::mutexName(L"D:\\Program Files\\塔维\\Tarvik.exe"), name);
}

TEST(MutexInstanceGuard, ASecondStartIsSeenWhileTheFirstRuns) {
    const std::wstring exe = uniqueExecutable(L"C:\\Programs");
    tarvik::test::checkASecondStartIsSeenWhileTheFirstRuns(
        [](const std::filesystem::path& path) { return std::make_unique<MutexInstanceGuard>(path); }, exe,
        upperCase(exe), uniqueExecutable(L"D:\\Other"));
}

TEST(MutexInstanceGuard, ASecondStartInAnotherProcessIsSeenWhileTheFirstRuns) {
    const std::wstring exe = uniqueExecutable(L"C:\\Programs");
    {
        MutexInstanceGuard first(exe);
        EXPECT_FALSE(first.anotherInstanceRuns());
        // Another process, naming the same program in other letters, finds it running.
        EXPECT_EQ(tarvik::test::runProbe(L"guard \"" + upperCase(exe) + L"\""), 1);
        // A copy of the program in another folder is another program.
        EXPECT_EQ(tarvik::test::runProbe(L"guard \"" + uniqueExecutable(L"D:\\Other") + L"\""), 0);
    }
    // Once the first has ended, the next start runs.
    EXPECT_EQ(tarvik::test::runProbe(L"guard \"" + exe + L"\""), 0);
}

TEST(MutexInstanceGuard, AnInstanceWhoseMutexThisUserMayNotOpenRuns) {
    // What a copy run as administrator leaves for the user's normal runs: a mutex of that name
    // whose rights do not admit them (here an empty access list, which admits nobody).
    const std::wstring exe = uniqueExecutable(L"C:\\Program Files");
    SECURITY_DESCRIPTOR descriptor;
    ACL nobody;
    ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(::InitializeAcl(&nobody, sizeof nobody, ACL_REVISION));
    ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, &nobody, FALSE));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
    const HANDLE elevated = ::CreateMutexW(&attributes, FALSE, MutexInstanceGuard::mutexName(exe).c_str());
    ASSERT_NE(elevated, nullptr);

    MutexInstanceGuard guard(exe);
    EXPECT_TRUE(guard.anotherInstanceRuns());
    EXPECT_EQ(tarvik::test::runProbe(L"guard \"" + exe + L"\""), 1);
    ::CloseHandle(elevated);
    EXPECT_EQ(tarvik::test::runProbe(L"guard \"" + exe + L"\""), 0);
}
