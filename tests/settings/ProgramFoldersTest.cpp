#include "settings/ProgramFolders.h"

#include "fakes/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace tarvik {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> result;
    for (const auto& entry : fs::directory_iterator(folder)) {
        result.insert(entry.path().filename().string());
    }
    return result;
}

void expectFolders(const ProgramFolderFacts& facts, bool perUser, const fs::path& program, const fs::path& data) {
    const ProgramFolders folders = ProgramFolders::decide(facts);
    EXPECT_EQ(folders.perUser(), perUser);
    EXPECT_EQ(folders.programFolder(), program);
    EXPECT_EQ(folders.dataFolder(), data);
}

TEST(ProgramFolders, PortableOnlyWhereTheExecutableFolderHoldsSettingsAndMayBeWritten) {
    ProgramFolderFacts facts{"/opt/t/bin", true, true, "/opt/t/share/tarvik", "/home/u/.local/share/tarvik"};
    expectFolders(facts, false, "/opt/t/bin", "/opt/t/bin");

    // Installed: no settings beside the executable, whether or not the user (root) may write there.
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable);
        facts.executableFolderHoldsSettings = false;
        facts.executableFolderWritable = writable;
        expectFolders(facts, true, "/home/u/.local/share/tarvik", "/opt/t/share/tarvik");
    }

    // Settings beside the executable in a folder this user may not write: they are the factory files.
    facts.executableFolderHoldsSettings = true;
    facts.executableFolderWritable = false;
    expectFolders(facts, true, "/home/u/.local/share/tarvik", "/opt/t/bin");

    // An installed copy run by an administrator may write beside itself, and still takes the
    // user's folder, filled from the factory files beside it; so does one installed into a folder
    // the user owns.
    facts.executableFolderWritable = true;
    facts.executableFolderInstalled = true;
    expectFolders(facts, true, "/home/u/.local/share/tarvik", "/opt/t/bin");
}

TEST(ProgramFolders, FirstStartLaysTheMissingFactoryFilesAndLaterStartsLeaveTheUsersAlone) {
    test::TempFolder data;
    test::TempFolder home(false);
    const fs::path own = home / "deep/er/tarvik";
    const ProgramFolders folders = ProgramFolders::decide({home.path(), false, true, data.path(), own});
    test::FakeFileReplacer replacer;
    std::string failure;

    // A fill cut short before info.dxl is taken up again at the next start.
    replacer.failNames = {"info.dxl"};
    ASSERT_TRUE(folders.prepare(replacer, failure));
    EXPECT_EQ(names(own), (std::set<std::string>{"AqSet.dxl", "Tarvik.log", "afn.dxl", "set.dxl", "wtl.dxl"}));
    replacer.failNames.clear();
    fs::rename(own / "AqSet.dxl", own / "aqset.dxl"); // the spelling the saves write
    ASSERT_TRUE(folders.prepare(replacer, failure));
    // One access file in whichever spelling; the help file and the alarm sound stay in the data folder.
    std::multiset<std::string> lowerNames;
    for (std::string name : names(own)) {
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        lowerNames.insert(name);
    }
    EXPECT_EQ(lowerNames,
              (std::multiset<std::string>{"aqset.dxl", "tarvik.log", "afn.dxl", "info.dxl", "set.dxl", "wtl.dxl"}));
    for (const char* name : {"info.dxl", "set.dxl", "wtl.dxl", "afn.dxl", "Tarvik.log"}) {
        EXPECT_EQ(contents(own / name), data.read(name)) << name;
    }

    // Once info.dxl is there, a file the user deleted or changed is theirs: set.dxl is rebuilt
    // from their info.dxl and a missing wtl.dxl is reported by the start-up, as in any folder.
    fs::remove(own / "wtl.dxl");
    fs::remove(own / "set.dxl");
    ASSERT_TRUE(folders.prepare(replacer, failure));
    EXPECT_FALSE(fs::exists(own / "wtl.dxl"));
    EXPECT_FALSE(fs::exists(own / "set.dxl"));
}

TEST(ProgramFolders, AFactoryFileTooLargeForItsKindIsNotLaid) {
    test::TempFolder data;
    test::TempFolder home(false);
    data.makeHuge("wtl.dxl");
    const ProgramFolders folders = ProgramFolders::decide({home.path(), false, true, data.path(), home / "t"});
    test::FakeFileReplacer replacer;
    std::string failure;
    ASSERT_TRUE(folders.prepare(replacer, failure));
    EXPECT_FALSE(fs::exists(home / "t/wtl.dxl"));
    EXPECT_EQ(contents(home / "t/info.dxl"), data.read("info.dxl"));
}

TEST(ProgramFolders, AFolderThatCannotBeMadeIsReportedWithTheReason) {
    test::TempFolder home(false);
    home.write("blocker", "a file where the folder would go");
    test::FakeFileReplacer replacer;
    for (const fs::path& own : {home / "blocker/tarvik", home / "blocker", fs::path()}) {
        std::string failure;
        const ProgramFolders folders = ProgramFolders::decide({home.path(), false, true, home.path(), own});
        EXPECT_FALSE(folders.prepare(replacer, failure)) << own;
        EXPECT_FALSE(failure.empty()) << own;
    }
    // A portable folder needs nothing.
    std::string failure;
    EXPECT_TRUE(ProgramFolders::decide({home.path(), true, true, {}, {}}).prepare(replacer, failure));
    EXPECT_TRUE(replacer.written.empty());
}

TEST(ProgramFolders, HelpAndSoundComeFromTheDataFolderUnlessTheUserHasTheirOwn) {
    test::TempFolder own(false);
    test::TempFolder data(false);
    data.write("alarm.WAV", "installed");
    data.write("Tarvik.chm", "installed help");
    own.write("Tarvik.chm", "own help");
    EXPECT_EQ(findProgramFile(own.path(), data.path(), "Alarm.wav"), data / "alarm.WAV");
    EXPECT_EQ(findProgramFile(own.path(), data.path(), "tarvik.CHM"), own / "Tarvik.chm");
    // Found nowhere: the program folder's name, for the caller to report as missing.
    EXPECT_EQ(findProgramFile(own.path(), data.path(), "x.mid"), own / "x.mid");
    EXPECT_EQ(findProgramFile(own.path(), fs::path(), "Alarm.wav"), own / "Alarm.wav");
}

} // namespace
} // namespace tarvik
