#include "support/FileReplacerChecks.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace tarvik::test {

void checkReplacesOrCreatesAndLeavesNoTemporaryFile(FileReplacer& replacer, const TempFolder& folder) {
    folder.write("set.dxl", "old content that is longer\r\n");
    EXPECT_TRUE(replacer.replaceFile(folder / "set.dxl", "new\r\n"));
    EXPECT_EQ(folder.read("set.dxl"), "new\r\n");
    EXPECT_TRUE(replacer.replaceFile(folder / "wtl.dxl", std::string("a\0b", 3)));
    EXPECT_EQ(folder.read("wtl.dxl"), std::string("a\0b", 3));
    EXPECT_TRUE(replacer.replaceFile(folder / "empty.dxl", ""));
    EXPECT_EQ(folder.read("empty.dxl"), "");
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"set.dxl", "wtl.dxl", "empty.dxl"}));
}

void checkRefusesAFolderForAFileAndAMissingFolder(FileReplacer& replacer, const TempFolder& folder) {
    std::filesystem::create_directory(folder / "folder.dxl");
    EXPECT_FALSE(replacer.replaceFile(folder / "folder.dxl", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder.dxl"));
    EXPECT_FALSE(replacer.replaceFile(folder / "missing" / "x.dxl", "x"));
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"folder.dxl"});
}

} // namespace tarvik::test
