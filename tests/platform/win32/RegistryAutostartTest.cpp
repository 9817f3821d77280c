#include "platform/win32/RegistryAutostart.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include <sddl.h> // needs windows.h before it

using tarvik::RegistryAutostart;

namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<char> ansi; // as RegQueryValueExA gives it, with the size it reports
    std::wstring wide;      // as the shell reads it at log-on
};

std::optional<RawValue> readRaw(HKEY root, const wchar_t* subKey, const char* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawValue v;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        v.ansi.resize(size);
        status = ::RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(v.ansi.data()), &size);
        v.ansi.resize(size);
    }
    DWORD wideSize = 0;
    const std::wstring wideName(name, name + std::strlen(name));
    if (status == ERROR_SUCCESS &&
        ::RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, nullptr, &wideSize) == ERROR_SUCCESS) {
        v.wide.resize(wideSize / sizeof(wchar_t));
        ::RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(v.wide.data()), &wideSize);
        v.wide.resize(std::wcslen(v.wide.c_str()));
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return v;
}

// The machine's Run key, which Wine lets every user write; on Windows that takes an administrator,
// and the user's own Run key (same layout) stands in.
class RegistryAutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, RegistryAutostart::kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            ::RegCloseKey(key);
        } else {
            root = HKEY_CURRENT_USER;
        }
        autostart.emplace(root);
        autostart->deleteRunValue(value);
    }
    void TearDown() override { autostart->deleteRunValue(value); }

    HKEY root = HKEY_LOCAL_MACHINE;
    std::optional<RegistryAutostart> autostart;
    // A value of its own for each test, as tests may run at the same time.
    const std::string value = std::string("Tarvik-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

} // namespace

TEST_F(RegistryAutostartTest, ValueIsSetReadBackAndDeleted) {
    const std::string path = "C:\\Program Files\\Tarvik\\Tarvik.exe";
    EXPECT_TRUE(autostart->setRunValue(value, path));

    const auto raw = readRaw(root, RegistryAutostart::kRunKey, value.c_str());
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    // Quoted, as its blank would make the shell try "C:\Program.exe" first; the size counts the
    // terminating zero.
    const std::string expected = '"' + path + '"' + '\0';
    EXPECT_EQ(std::string(raw->ansi.begin(), raw->ansi.end()), expected);
    EXPECT_EQ(raw->wide, L"\"C:\\Program Files\\Tarvik\\Tarvik.exe\"");
    EXPECT_EQ(autostart->runValue(value), path);

    // A new path replaces the old one, unquoted without a blank; the delete names the key in its
    // other spelling.
    EXPECT_TRUE(autostart->setRunValue(value, "D:\\Tarvik.exe"));
    EXPECT_EQ(readRaw(root, RegistryAutostart::kRunKey, value.c_str())->wide, L"D:\\Tarvik.exe");
    EXPECT_EQ(autostart->runValue(value), "D:\\Tarvik.exe");
    EXPECT_TRUE(autostart->deleteRunValue(value));
    EXPECT_EQ(autostart->runValue(value), std::nullopt);
    EXPECT_FALSE(readRaw(root, RegistryAutostart::kRunKey, value.c_str()));
}

TEST_F(RegistryAutostartTest, FolderOutsideTheAnsiCodePageIsStoredExactly) {
    const std::string path = "C:\\사용자\\Tarvik\\Tarvik.exe"; // no code page 936 letter for these
    EXPECT_TRUE(autostart->setRunValue(value, path));
    const auto raw = readRaw(root, RegistryAutostart::kRunKey, value.c_str());
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->wide, L"C:\\사용자\\Tarvik\\Tarvik.exe");
    EXPECT_EQ(autostart->runValue(value), path);
}

TEST_F(RegistryAutostartTest, ChinesePathIsStoredInCodePage936) {
    if (::GetACP() != 936) {
        GTEST_SKIP() << "the system's ANSI code page is " << ::GetACP() << ", not 936";
    }
    const std::string path = "C:\\Program Files\\塔维内存整理\\Tarvik.exe";
    autostart->setRunValue(value, path);

    const auto raw = readRaw(root, RegistryAutostart::kRunKey, value.c_str());
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    const std::string gbk = "C:\\Program Files\\\xCB\xFE\xCE\xAC\xC4\xDA\xB4\xE6\xD5\xFB\xC0\xED\\Tarvik.exe";
    EXPECT_EQ(std::string(raw->ansi.begin(), raw->ansi.end()), '"' + gbk + '"' + '\0');
    EXPECT_EQ(raw->wide, L"\"C:\\Program Files\\塔维内存整理\\Tarvik.exe\"");
    EXPECT_EQ(autostart->runValue(value), path);
}

TEST_F(RegistryAutostartTest, DeletingAnAbsentValueChangesNothing) {
    // Another program's value in the same key stays, and nothing is reported.
    const std::string neighbour = value + "-neighbour";
    autostart->setRunValue(neighbour, "C:\\Other.exe");
    EXPECT_TRUE(autostart->deleteRunValue(value));
    EXPECT_TRUE(autostart->deleteRunValue(value));
    EXPECT_EQ(autostart->runValue(value), std::nullopt);
    EXPECT_EQ(autostart->runValue(neighbour), "C:\\Other.exe");
    autostart->deleteRunValue(neighbour);
    EXPECT_EQ(autostart->runValue(neighbour), std::nullopt);
}

namespace {

// Two keys of this test's own under HKCU stand for the machine's and the user's roots.
class RegistryAutostartRoots : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kBase) + L"\\Machine").c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &machine, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kBase) + L"\\User").c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &user, nullptr),
                  ERROR_SUCCESS);
        // The machine's Run key is always there; the user's may be missing in a fresh profile.
        HKEY run = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(machine, RegistryAutostart::kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &run,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegCloseKey(run);
    }
    void TearDown() override {
        ::RegCloseKey(machine);
        ::RegCloseKey(user);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    }
    std::optional<std::string> in(HKEY root) const {
        const auto raw = readRaw(root, RegistryAutostart::kRunKey, "Tarvik");
        return raw ? std::optional<std::string>(std::string(raw->ansi.data())) : std::nullopt;
    }

    static constexpr const wchar_t* kBase = L"Software\\TarvikRegistryAutostartTest";
    HKEY machine = nullptr;
    HKEY user = nullptr;
};

} // namespace

TEST_F(RegistryAutostartRoots, RefusedMachineKeyWritesTheUsersRunKeyAndRemovalClearsBoth) {
    // An unelevated program cannot open the machine's Run key for writing: a key that cannot be
    // opened stands for it here.
    const HKEY refused = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x7ffffff0));
    RegistryAutostart autostart(refused, user);
    EXPECT_TRUE(autostart.setRunValue("Tarvik", "C:\\Tarvik\\Tarvik.exe"));
    EXPECT_EQ(in(user), "C:\\Tarvik\\Tarvik.exe"); // the user's Run key is made when it is missing
    EXPECT_EQ(autostart.runValue("Tarvik"), "C:\\Tarvik\\Tarvik.exe");
    EXPECT_TRUE(autostart.deleteRunValue("Tarvik"));
    EXPECT_EQ(in(user), std::nullopt);
    EXPECT_EQ(autostart.runValue("Tarvik"), std::nullopt);

    // Refused in both places, the value is reported as not set.
    EXPECT_FALSE(RegistryAutostart(refused, refused).setRunValue("Tarvik", "C:\\Tarvik\\Tarvik.exe"));
}

TEST_F(RegistryAutostartRoots, MachineValueThisUserMayNotRemoveIsReported) {
    RegistryAutostart autostart(machine, user);
    ASSERT_TRUE(autostart.setRunValue("Tarvik", "C:\\Program Files\\Tarvik\\Tarvik.exe"));
    // The machine's Run key as a standard user meets it: readable, not writable.
    HKEY run = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(machine, RegistryAutostart::kRunKey, 0, WRITE_DAC, &run), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                       &readOnly, nullptr));
    ASSERT_EQ(::RegSetKeySecurity(run, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    ::LocalFree(readOnly);

    EXPECT_FALSE(autostart.deleteRunValue("Tarvik"));
    EXPECT_EQ(autostart.runValue("Tarvik"), "C:\\Program Files\\Tarvik\\Tarvik.exe");

    PSECURITY_DESCRIPTOR open = nullptr;
    ASSERT_TRUE(
        ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KA;;;WD)", SDDL_REVISION_1, &open, nullptr));
    ::RegSetKeySecurity(run, DACL_SECURITY_INFORMATION, open);
    ::LocalFree(open);
    ::RegCloseKey(run);
    EXPECT_TRUE(autostart.deleteRunValue("Tarvik"));
}

TEST_F(RegistryAutostartRoots, MachineKeyWinsAndAnEarlierUserValueGoes) {
    RegistryAutostart(user, user).setRunValue("Tarvik", "C:\\Old\\Tarvik.exe"); // an unelevated save before
    RegistryAutostart autostart(machine, user);
    autostart.setRunValue("Tarvik", "C:\\Tarvik\\Tarvik.exe");
    EXPECT_EQ(in(machine), "C:\\Tarvik\\Tarvik.exe");
    EXPECT_EQ(in(user), std::nullopt); // else the program would start twice at log-on
    RegistryAutostart(user, user).setRunValue("Tarvik", "C:\\Old\\Tarvik.exe");
    autostart.deleteRunValue("Tarvik");
    EXPECT_EQ(in(machine), std::nullopt);
    EXPECT_EQ(in(user), std::nullopt);
}
