#include "platform/linux/PosixFileReplacer.h"

#include "support/FileReplacerChecks.h"
#include "support/TempFolder.h"
#include "UnprivilegedUser.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using tarvik::PosixFileReplacer;
namespace fs = std::filesystem;

namespace {

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(PosixFileReplacer, ReplacesOrCreatesAndKeepsPermissions) {
    tarvik::test::TempFolder folder(false);
    PosixFileReplacer replacer;
    tarvik::test::checkReplacesOrCreatesAndLeavesNoTemporaryFile(replacer, folder);

    ::chmod((folder / "set.dxl").c_str(), 0600);
    EXPECT_TRUE(replacer.replaceFile(folder / "set.dxl", "newer\r\n"));
    EXPECT_EQ(folder.read("set.dxl"), "newer\r\n");
    EXPECT_EQ(modeOf(folder / "set.dxl"), 0600u);
}

TEST(PosixFileReplacer, ReadOnlyTargetsAndFoldersAreLeftAlone) {
    tarvik::test::TempFolder folder(false);
    PosixFileReplacer replacer;
    tarvik::test::checkRefusesAFolderForAFileAndAMissingFolder(replacer, folder);

    // Checked by mode, so that it holds for root too.
    folder.write("info.dxl", "keep\r\n");
    ::chmod((folder / "info.dxl").c_str(), 0444);
    EXPECT_FALSE(replacer.replaceFile(folder / "info.dxl", "changed\r\n"));
    EXPECT_EQ(folder.read("info.dxl"), "keep\r\n");
    EXPECT_EQ(modeOf(folder / "info.dxl"), 0444u);

    fs::create_directory(folder / "locked");
    folder.write("locked/afn.dxl", "0,\r\n");
    ::chmod((folder / "locked").c_str(), 0555);
    EXPECT_FALSE(replacer.replaceFile(folder / "locked/afn.dxl", "1,a,True,\r\n"));
    EXPECT_EQ(folder.read("locked/afn.dxl"), "0,\r\n");

    EXPECT_EQ(tarvik::test::namesIn(folder.path()), (std::set<std::string>{"info.dxl", "folder.dxl", "locked"}));
    EXPECT_EQ(tarvik::test::namesIn(folder / "locked"), std::set<std::string>{"afn.dxl"});
}

TEST(PosixFileReplacer, AFileThisUserCannotOpenForWritingIsLeftAlone) {
    if (!tarvik::test::runningAsRoot()) {
        GTEST_SKIP() << "needs root to own a file that the test's user cannot write";
    }
    // Another user's file in a folder everyone may write: a rename would replace it.
    tarvik::test::TempFolder folder(false);
    tarvik::test::shareWithNobody(folder.path());
    folder.write("info.dxl", "keep\r\n");
    ::chmod((folder / "info.dxl").c_str(), 0644);
    EXPECT_TRUE(tarvik::test::asUnprivilegedUser([&] {
        PosixFileReplacer replacer;
        return !replacer.replaceFile(folder / "info.dxl", "changed\r\n") && folder.read("info.dxl") == "keep\r\n";
    }));
    EXPECT_EQ(folder.read("info.dxl"), "keep\r\n");
    EXPECT_EQ(tarvik::test::namesIn(folder.path()), std::set<std::string>{"info.dxl"});
}
