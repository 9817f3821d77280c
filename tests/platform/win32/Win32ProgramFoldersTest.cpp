#include "platform/Platform.h"

#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

// LOCALAPPDATA for one test, restored afterwards; nullptr removes it.
class LocalAppDataScope {
public:
    explicit LocalAppDataScope(const wchar_t* value) {
        wchar_t old[MAX_PATH] = {};
        const DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", old, MAX_PATH);
        m_had = n > 0 && n < MAX_PATH;
        m_old = old;
        ::SetEnvironmentVariableW(L"LOCALAPPDATA", value);
    }
    ~LocalAppDataScope() { ::SetEnvironmentVariableW(L"LOCALAPPDATA", m_had ? m_old.c_str() : nullptr); }

private:
    std::wstring m_old;
    bool m_had = false;
};

} // namespace

TEST(Win32ProgramFolderFacts, UnzippedFolderAndTheUsersLocalAppData) {
    tarvik::test::TempFolder unzipped;
    tarvik::test::TempFolder local(false);
    const auto before = std::distance(fs::directory_iterator(unzipped.path()), fs::directory_iterator());
    {
        LocalAppDataScope scope(local.path().c_str());
        const auto facts = tarvik::programFolderFacts(unzipped / "Tarvik.exe");
        EXPECT_EQ(facts.executableFolder, unzipped.path());
        EXPECT_TRUE(facts.executableFolderHoldsSettings);
        EXPECT_TRUE(facts.executableFolderWritable);
        EXPECT_FALSE(facts.executableFolderInstalled);
        // Installed under Program Files, the factory files lie beside the executable.
        EXPECT_EQ(facts.installedDataFolder, unzipped.path());
        EXPECT_EQ(facts.perUserFolder, local / "Tarvik");
    }
    // Asking whether the folder may be written leaves nothing behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(unzipped.path()), fs::directory_iterator()), before);

    // Without the variable the shell names the folder.
    LocalAppDataScope scope(nullptr);
    const auto facts = tarvik::programFolderFacts(unzipped / "gone" / "Tarvik.exe");
    EXPECT_FALSE(facts.executableFolderHoldsSettings);
    EXPECT_FALSE(facts.executableFolderWritable);
    EXPECT_EQ(facts.perUserFolder.filename(), L"Tarvik");
    EXPECT_TRUE(facts.perUserFolder.is_absolute());
}

TEST(Win32ProgramFolderFacts, AFolderWithTheUninstallerOrUnderProgramFilesIsAnInstallation) {
    tarvik::test::TempFolder unzipped;
    unzipped.write("Uninstall.EXE", "the setup's uninstaller");
    EXPECT_TRUE(tarvik::programFolderFacts(unzipped / "Tarvik.exe").executableFolderInstalled);

    // Under Program Files whatever the spelling, but not in a folder that only starts like it.
    const std::wstring own = L"Tarvik-" + std::to_wstring(::GetCurrentProcessId());
    for (const std::wstring base : {L"C:\\Program Files", L"C:\\Program Files (x86)", L"C:\\Program Files Tools"}) {
        const fs::path folder = fs::path(base) / own / L"bin";
        fs::create_directories(folder);
        std::wstring upper = (folder / L"Tarvik.exe").wstring();
        ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        EXPECT_EQ(tarvik::programFolderFacts(upper).executableFolderInstalled, base != L"C:\\Program Files Tools")
            << fs::path(upper);
        fs::remove_all(fs::path(base) / own);
    }
    fs::remove(L"C:\\Program Files Tools");
}
