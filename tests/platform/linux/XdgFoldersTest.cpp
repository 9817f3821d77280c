#include "platform/linux/PosixFileReplacer.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/Platform.h"
#include "settings/ProgramFolders.h"

#include "support/EnvOverride.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

fs::perms permissions(const fs::path& folder) {
    return fs::status(folder).permissions();
}

} // namespace

TEST(XdgFolders, FoldersTheProgramMakesAreForTheUserAlone) {
    tarvik::test::TempFolder home(false);
    const mode_t umask = ::umask(022);
    const tarvik::test::EnvOverride data("XDG_DATA_HOME", (home / "local/share").string());
    const tarvik::test::EnvOverride config("XDG_CONFIG_HOME", (home / "config").string());
    fs::create_directory(home / "local");
    fs::permissions(home / "local", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    fs::create_directory(home / "bin"); // an installed program: no settings beside it

    tarvik::PosixFileReplacer replacer;
    const auto folders = tarvik::ProgramFolders::decide(tarvik::programFolderFacts(home / "bin/tarvik"));
    ASSERT_EQ(folders.programFolder(), home / "local/share/tarvik");
    std::string failure;
    ASSERT_TRUE(folders.prepare(replacer, failure)) << failure;
    tarvik::XdgAutostart(replacer).setRunValue("Tarvik", "/usr/bin/tarvik");
    ::umask(umask);

    for (const char* made : {"local/share", "local/share/tarvik", "config", "config/autostart"}) {
        EXPECT_EQ(permissions(home / made), fs::perms::owner_all) << made;
    }
    // A folder that was there is the user's to set.
    EXPECT_EQ(permissions(home / "local"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}
