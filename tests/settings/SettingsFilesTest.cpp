#include "settings/SettingsFiles.h"

#include "fakes/FakePlatform.h"
#include "platform/TextCodec.h"
#include "settings/SettingsFormat.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace tarvik {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSettingsLine = "3,True,25,False,C:\\Alarm.wav,False,180,False,True,False,True,False,10,0";
// "C:\工具\报警.wav" in code page 936.
const std::string kChinesePathGbk = "C:\\\xB9\xA4\xBE\xDF\\\xB1\xA8\xBE\xAF.wav";

class SettingsFilesTest : public ::testing::Test {
protected:
    test::TempFolder folder{false};
    std::unique_ptr<TextCodec> codec = makeSystemTextCodec();
    test::FakeFileReplacer replacer;
    SettingsFiles files{folder.path(), *codec, replacer};

    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            result.insert(entry.path().filename().string());
        }
        return result;
    }

    // Writes `size` bytes: `head` followed by repeats of `fill`, in pieces so the test stays small.
    void writeLarge(std::string_view name, std::string_view head, char fill, std::size_t size) const {
        std::ofstream out(folder / name, std::ios::binary);
        out << head;
        const std::string chunk(1 << 20, fill);
        for (std::size_t written = head.size(); written < size; written += chunk.size()) {
            out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), size - written)));
        }
    }

    bool allReadersFail() const {
        return !files.readSettings(SettingsFiles::kSet) && !files.readSettings(SettingsFiles::kInfo) &&
               !files.readAccess() && !files.readPlacement() && !files.readBatchStart();
    }

    void writeAll(std::string_view bytes) const {
        for (auto name : {SettingsFiles::kSet, SettingsFiles::kInfo, SettingsFiles::kAccess, SettingsFiles::kPlacement,
                          SettingsFiles::kBatchStart}) {
            folder.write(name, bytes);
        }
    }
};

TEST_F(SettingsFilesTest, ReadersFailOnMissingEmptyAndBlankFiles) {
    EXPECT_TRUE(allReadersFail());
    writeAll("");
    EXPECT_TRUE(allReadersFail());
    writeAll("\r\n");
    EXPECT_TRUE(allReadersFail());
    // A directory in place of a file is a failed read, not a crash.
    folder.remove(SettingsFiles::kSet);
    fs::create_directory(folder / SettingsFiles::kSet);
    EXPECT_FALSE(files.readSettings(SettingsFiles::kSet));
    EXPECT_FALSE(files.readBytes(SettingsFiles::kSet));
}

TEST_F(SettingsFilesTest, FirstLineEndsAtAnyLineEnd) {
    for (const std::string tail : {"\r\ngarbage,,,\r\n", "\ngarbage,,,\n", "\rgarbage,,,\r", ""}) {
        folder.write("set.dxl", std::string(kSettingsLine) + tail);
        const auto r = files.readSettings("set.dxl");
        ASSERT_TRUE(r) << "tail size " << tail.size();
        EXPECT_EQ(r->ChartStyle, 0);
        EXPECT_EQ(r->AlarmSoundFile, "C:\\Alarm.wav");
    }
    folder.write("afn.dxl", "1,a.exe,True,\nb.exe,False,\n");
    EXPECT_EQ(files.readBatchStart(), (BatchStartList{{"a.exe", true}}));
}

TEST_F(SettingsFilesTest, SettingsFileFieldErrors) {
    const std::string good = kSettingsLine;
    folder.write("set.dxl", "3,True,25,False,C:\\Alarm.wav,False,180,False,True,False,True,False,10\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl")) << "13 fields";
    folder.write("set.dxl", good + ",0\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl")) << "15 fields";
    folder.write("set.dxl", "3a,True,25,False,C:\\Alarm.wav,False,180,False,True,False,True,False,10,0\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl")) << "non-numeric";
    folder.write("set.dxl", "3,True,25,False,C:\\Alarm.wav,False,180,False,True,False,True,False,10,256\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl")) << "out of range";
    folder.write("set.dxl", "3,yes,25,False,C:\\Alarm.wav,False,180,False,True,False,True,False,10,0\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl")) << "yes";

    folder.write("set.dxl", "3,TRUE,10.4,-1,C:\\Alarm.wav,0,180,False,True,False,True,False,10,0\r\n");
    const auto r = files.readSettings("set.dxl");
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->AutoReleaseWhenLow);
    EXPECT_EQ(r->MinFreePercent, 10);
    EXPECT_TRUE(r->AlarmEnabled);
    EXPECT_FALSE(r->PeriodicRelease);

    // The master copy is read by the same rules, under its own name.
    folder.write("info.dxl", good + "\r\n");
    EXPECT_TRUE(files.readSettings(SettingsFiles::kInfo));
}

TEST_F(SettingsFilesTest, AccessPlacementAndBatchFiles) {
    folder.write("AqSet.dxl", "3,1\r\n");
    EXPECT_EQ(files.readAccess(), (AccessRecord{3, 1}));
    folder.write("AqSet.dxl", "3\r\n");
    EXPECT_FALSE(files.readAccess());
    folder.write("AqSet.dxl", "3,1,0\r\n");
    EXPECT_FALSE(files.readAccess());
    folder.write("AqSet.dxl", "3,x\r\n");
    EXPECT_FALSE(files.readAccess());

    folder.write("wtl.dxl", "1500, 9000, 240\r\n");
    EXPECT_EQ(files.readPlacement(), (MonitorPlacement{1500, 9000, 240}));
    folder.write("wtl.dxl", "1500,9000,240\r\n");
    EXPECT_EQ(files.readPlacement(), (MonitorPlacement{1500, 9000, 240}));
    folder.write("wtl.dxl", "1500,9000\r\n");
    EXPECT_FALSE(files.readPlacement());

    folder.write("afn.dxl", "2,a.exe,True,b.exe,False,\r\n");
    EXPECT_EQ(files.readBatchStart(), (BatchStartList{{"a.exe", true}, {"b.exe", false}}));
    folder.write("afn.dxl", "0,\r\n");
    EXPECT_EQ(files.readBatchStart(), BatchStartList{});
    folder.write("afn.dxl", "0\r\n");
    EXPECT_FALSE(files.readBatchStart());

    std::string line = "0,";
    for (int i = 0; i < 255; ++i) {
        line += "p.exe,True,";
    }
    folder.write("afn.dxl", line + "\r\n");
    ASSERT_TRUE(files.readBatchStart());
    EXPECT_EQ(files.readBatchStart()->size(), 255u);
    folder.write("afn.dxl", line + "q.exe,True,\r\n");
    EXPECT_FALSE(files.readBatchStart()) << "256th entry";
}

TEST_F(SettingsFilesTest, TextIsCodePage936) {
    folder.write("set.dxl", "3,True,25,False," + kChinesePathGbk + ",False,180,False,True,False,True,False,10,0\r\n");
    const auto r = files.readSettings("set.dxl");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->AlarmSoundFile, "C:\\工具\\报警.wav");

    // Bytes without a character read as Windows reads them, and what is read is written back as
    // Windows writes it: a path saved by a UTF-8 editor, a lead byte with a blank, 0xFF.
    folder.write("set.dxl", "3,True,25,False,C:\\\xE4\xB8\xAD\xE6\x96\x87\x81 .wav,False,180,False,True,False,"
                            "True,False,10,0\r\n");
    const auto damaged = files.readSettings("set.dxl");
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->AlarmSoundFile, "C:\\涓\uE15F枃?.wav");
    ASSERT_TRUE(files.writeSettings(*damaged));
    EXPECT_EQ(folder.read("info.dxl").substr(16, 14), "C:\\\xE4\xB8\xAD\xE6\x96\x87?.wav");
    folder.write("afn.dxl", "1,\xFF.exe,True,\r\n");
    const auto batch = files.readBatchStart();
    ASSERT_TRUE(batch);
    ASSERT_TRUE(files.writeBatchStart(*batch));
    EXPECT_EQ(folder.read("afn.dxl"), "1,\xFF.exe,True,\r\n");
    // A lead byte cut off by the line end is a '?', which is no number.
    folder.write("wtl.dxl", "1500,9000,240\xB9\r\n");
    EXPECT_FALSE(files.readPlacement());
}

TEST_F(SettingsFilesTest, LineLengthIsBounded) {
    const std::size_t max = SettingsFiles::kMaxLineBytes;
    const std::string prefix = "3,True,25,False,";
    const std::string suffix = ",False,180,False,True,False,True,False,10,0";
    const std::string longest = prefix + std::string(max - prefix.size() - suffix.size(), 'a') + suffix;
    ASSERT_EQ(longest.size(), max);

    folder.write("set.dxl", longest + "\r\n");
    EXPECT_TRUE(files.readSettings("set.dxl"));
    folder.write("set.dxl", longest);
    EXPECT_TRUE(files.readSettings("set.dxl"));
    folder.write("set.dxl", "a" + longest + "\r\n");
    EXPECT_FALSE(files.readSettings("set.dxl"));
    folder.write("set.dxl", "a" + longest);
    EXPECT_FALSE(files.readSettings("set.dxl"));
}

TEST_F(SettingsFilesTest, HugeFileIsNeverReadWhole) {
    constexpr std::size_t size = 100u << 20;
    writeLarge("set.dxl", "", 'a', size);
    ASSERT_EQ(fs::file_size(folder / "set.dxl"), size);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(files.readSettings("set.dxl"));
    const auto lineTime = std::chrono::steady_clock::now() - start;
    EXPECT_LT(lineTime, std::chrono::milliseconds(250));

    // Compared with a whole read of the same file in this run, so a slow machine does not matter.
    const auto wholeStart = std::chrono::steady_clock::now();
    ASSERT_EQ(files.readBytes("set.dxl")->size(), size);
    const auto wholeTime = std::chrono::steady_clock::now() - wholeStart;
    EXPECT_LT(lineTime * 10, wholeTime);

    writeLarge("set.dxl", std::string(kSettingsLine) + "\r\n", 'b', size);
    const auto r = files.readSettings("set.dxl");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->ReleaseLevel, 3);
    folder.remove("set.dxl");
}

TEST_F(SettingsFilesTest, WritersProduceExactBytes) {
    SettingsRecord r = *SettingsFormat::parseSettings(kSettingsLine);
    r.AlarmSoundFile = "C:\\工具\\报警.wav";
    ASSERT_TRUE(files.writeSettings(r));
    EXPECT_EQ(folder.read("info.dxl"),
              "3,True,25,False," + kChinesePathGbk + ",False,180,False,True,False,True,False,10,0\r\n");
    EXPECT_EQ(files.readSettings(SettingsFiles::kInfo), r);
    EXPECT_FALSE(folder.exists("set.dxl")) << "the copy is a separate step";

    ASSERT_TRUE(files.writeAccess({2, 0}));
    EXPECT_EQ(folder.read("aqset.dxl"), "2,0\r\n");
    EXPECT_EQ(files.readAccess(), (AccessRecord{2, 0}));

    ASSERT_TRUE(files.writePlacement({1500, 9000, 240}, ", "));
    EXPECT_EQ(folder.read("wtl.dxl"), "1500, 9000, 240\r\n");
    ASSERT_TRUE(files.writePlacement({-15, 2345.5f, 240}, ","));
    EXPECT_EQ(folder.read("wtl.dxl"), "-15,2345.5,240\r\n");
    EXPECT_EQ(files.readPlacement(), (MonitorPlacement{-15, 2345.5f, 240}));

    const BatchStartList list{{"C:\\工具\\a.exe /s", true}, {"b.exe", false}};
    ASSERT_TRUE(files.writeBatchStart(list));
    EXPECT_EQ(folder.read("afn.dxl"), "2,C:\\\xB9\xA4\xBE\xDF\\a.exe /s,True,b.exe,False,\r\n");
    EXPECT_EQ(files.readBatchStart(), list);
    ASSERT_TRUE(files.writeBatchStart({}));
    EXPECT_EQ(folder.read("afn.dxl"), "0,\r\n");

    // Every write went through a temporary file that is gone now.
    EXPECT_EQ(names(), (std::set<std::string>{"info.dxl", "aqset.dxl", "wtl.dxl", "afn.dxl"}));
}

TEST_F(SettingsFilesTest, RefusedWritesLeaveFilesAsTheyWere) {
    const std::string info = std::string(kSettingsLine) + "\r\n";
    folder.write("info.dxl", info);
    folder.write("afn.dxl", "0,\r\n");
    SettingsRecord r = *SettingsFormat::parseSettings(kSettingsLine);

    r.AlarmSoundFile = "C:\\a,b.wav";
    EXPECT_FALSE(files.writeSettings(r));
    r.AlarmSoundFile = "C:\\a\nb.wav";
    EXPECT_FALSE(files.writeSettings(r));
    r.AlarmSoundFile = "C:\\😀.wav"; // no such character in code page 936
    EXPECT_FALSE(files.writeSettings(r));
    EXPECT_EQ(folder.read("info.dxl"), info);

    EXPECT_FALSE(files.writeBatchStart({{"a,b.exe", true}}));
    EXPECT_FALSE(files.writeBatchStart(BatchStartList(256, {"a.exe", true})));
    EXPECT_EQ(folder.read("afn.dxl"), "0,\r\n");

    r.AlarmSoundFile = "ok.wav";
    replacer.failAll = true;
    EXPECT_FALSE(files.writeSettings(r));
    EXPECT_FALSE(files.writeAccess({3, 3}));
    EXPECT_EQ(folder.read("info.dxl"), info);
    EXPECT_FALSE(folder.exists("aqset.dxl"));
    replacer.failAll = false;

    fs::permissions(folder / "info.dxl", fs::perms(0444));
    EXPECT_FALSE(files.writeSettings(r));
    EXPECT_EQ(folder.read("info.dxl"), info);

    EXPECT_EQ(names(), (std::set<std::string>{"info.dxl", "afn.dxl"}));
}

TEST_F(SettingsFilesTest, NamesMatchWithoutRegardToCase) {
    folder.write("AqSet.dxl", "1,0\r\n");
    ASSERT_TRUE(files.writeAccess({3, 2}));
    EXPECT_EQ(names(), std::set<std::string>{"AqSet.dxl"});
    EXPECT_EQ(folder.read("AqSet.dxl"), "3,2\r\n");

    folder.remove("AqSet.dxl");
    folder.write("AQSET.DXL", "2,1\r\n");
    EXPECT_EQ(files.readAccess(), (AccessRecord{2, 1}));
    folder.write("Set.DXL", std::string(kSettingsLine) + "\r\n");
    EXPECT_TRUE(files.readSettings(SettingsFiles::kSet));

    // An exact match wins over one that differs only in case, where the file system can hold
    // both; where it cannot (Windows), writing "aqset.dxl" rewrote the one file there is.
    folder.write("aqset.dxl", "3,3\r\n");
    if (names().count("aqset.dxl") != 0) {
        EXPECT_EQ(files.locate("aqset.dxl"), folder / "aqset.dxl");
    } else {
        EXPECT_EQ(files.readAccess(), (AccessRecord{3, 3}));
    }
    EXPECT_EQ(files.locate("AQSET.DXL"), folder / "AQSET.DXL");
    EXPECT_EQ(files.locate("nothing.dxl"), folder / "nothing.dxl");

    // With several spellings present, the level is saved to the file it is read from.
    folder.remove("AQSET.DXL");
    folder.write("AqSet.dxl", "1,0\r\n");
    folder.write("aqset.dxl", "2,0\r\n");
    ASSERT_TRUE(files.writeAccess({3, 1}));
    EXPECT_EQ(files.readAccess(), (AccessRecord{3, 1}));
    folder.remove("AqSet.dxl");
    folder.write("aqSet.DXL", "1,0\r\n"); // neither spelling the program uses: the same file for both
    ASSERT_TRUE(files.writeAccess({2, 2}));
    EXPECT_EQ(files.readAccess(), (AccessRecord{2, 2}));
}

TEST_F(SettingsFilesTest, InfoIsCopiedOverSetByteForByte) {
    // Bytes the program could not decode must survive the copy too.
    const std::string info =
        "3,True,25,False," + kChinesePathGbk + "\xFF,False,180,False,True,False,True,False,10,0\r\n";
    folder.write("info.dxl", info);
    folder.write("SET.dxl", "old\r\n");
    ASSERT_TRUE(files.copyInfoOverSet());
    EXPECT_EQ(folder.read("SET.dxl"), info);
    EXPECT_EQ(names(), (std::set<std::string>{"info.dxl", "SET.dxl"}));

    folder.remove("info.dxl");
    EXPECT_FALSE(files.copyInfoOverSet());
    EXPECT_EQ(folder.read("SET.dxl"), info);
}

TEST_F(SettingsFilesTest, FilesLargerThanTheyCanBeAreNeverAllocated) {
    // Huge sparse files behind a valid line: only the line is read, nothing is held whole.
    folder.write("info.dxl", std::string(kSettingsLine) + "\r\n");
    folder.makeHuge("info.dxl");
    folder.write("set.dxl", "old\r\n");
    ASSERT_TRUE(files.readSettings("info.dxl"));
    EXPECT_FALSE(files.copyInfoOverSet());
    EXPECT_EQ(folder.read("set.dxl"), "old\r\n");

    folder.write("wtl.dxl", "300,9000,240\r\n");
    folder.makeHuge("wtl.dxl");
    ASSERT_TRUE(files.readPlacement());
    ASSERT_TRUE(files.refreshPlacement({300, 9000, 240}, ","));
    EXPECT_EQ(folder.read("wtl.dxl"), "300,9000,240\r\n");
}

TEST_F(SettingsFilesTest, PlacementRefreshRewritesOnlyWhatChanged) {
    folder.write("wtl.dxl", "300,9000,240\r\n");
    const MonitorPlacement p{300, 9000, 240};
    ASSERT_TRUE(files.refreshPlacement(p, ","));
    EXPECT_TRUE(replacer.written.empty());
    // A file written with the other separator, a changed place or a deleted file is rewritten.
    folder.write("wtl.dxl", "300, 9000, 240\r\n");
    ASSERT_TRUE(files.refreshPlacement(p, ","));
    EXPECT_EQ(folder.read("wtl.dxl"), "300,9000,240\r\n");
    folder.remove("wtl.dxl");
    ASSERT_TRUE(files.refreshPlacement(p, ","));
    EXPECT_EQ(folder.read("wtl.dxl"), "300,9000,240\r\n");
    EXPECT_EQ(replacer.written.size(), 2u);
    // Another program's change of the same size is seen by its time of change.
    ASSERT_TRUE(files.refreshPlacement(p, ","));
    folder.write("wtl.dxl", "300,9001,240\r\n");
    std::filesystem::last_write_time(folder / "wtl.dxl",
                                     std::filesystem::last_write_time(folder / "wtl.dxl") + std::chrono::seconds(1));
    ASSERT_TRUE(files.refreshPlacement(p, ","));
    EXPECT_EQ(folder.read("wtl.dxl"), "300,9000,240\r\n");
    EXPECT_EQ(replacer.written.size(), 3u);
}

} // namespace
} // namespace tarvik
