#include "settings/SettingsFormat.h"
#include "settings/PlacementPixels.h"
#include "settings/SettingsConversions.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tarvik {
namespace {

using namespace SettingsConversions;
using namespace SettingsFormat;

constexpr const char* kExampleLine = "3,True,25,False,C:\\Tools\\Alarm.wav,False,180,False,True,False,True,False,10,0";

TEST(SettingsConversions, ByteRoundsHalfToEvenWithinRange) {
    EXPECT_EQ(toByte("0"), 0);
    EXPECT_EQ(toByte("255"), 255);
    EXPECT_EQ(toByte(" \t42 "), 42);
    EXPECT_EQ(toByte("+7"), 7);
    EXPECT_EQ(toByte("2.5"), 2);
    EXPECT_EQ(toByte("3.5"), 4);
    EXPECT_EQ(toByte("2.51"), 3);
    EXPECT_EQ(toByte("-0.4"), 0);
    EXPECT_EQ(toByte("-0.5"), 0);
    EXPECT_EQ(toByte("254.5"), 254);
    EXPECT_EQ(toByte(".5"), 0);
    EXPECT_EQ(toByte("5."), 5);
    EXPECT_EQ(toByte("1e2"), 100);
    EXPECT_EQ(toByte("25E-1"), 2);
    EXPECT_EQ(toByte("1e-400"), 0); // too small for a double is still zero

    EXPECT_FALSE(toByte("256"));
    EXPECT_FALSE(toByte("255.5")); // rounds to 256
    EXPECT_FALSE(toByte("-1"));
    EXPECT_FALSE(toByte("-0.6"));
    EXPECT_FALSE(toByte("1e400"));
    EXPECT_FALSE(toByte("3a"));
    EXPECT_FALSE(toByte("3 4"));
    EXPECT_FALSE(toByte(""));
    EXPECT_FALSE(toByte("  "));
    EXPECT_FALSE(toByte("."));
    EXPECT_FALSE(toByte("+"));
    EXPECT_FALSE(toByte("1e"));
    EXPECT_FALSE(toByte("0x10"));
    EXPECT_FALSE(toByte("&H10"));
    EXPECT_FALSE(toByte("inf"));
    EXPECT_FALSE(toByte("nan"));
    EXPECT_FALSE(toByte("True"));
}

TEST(SettingsConversions, Int16CoversItsWholeRange) {
    EXPECT_EQ(toInt16("720"), 720);
    EXPECT_EQ(toInt16(" -32768"), -32768);
    EXPECT_EQ(toInt16("32767"), 32767);
    EXPECT_EQ(toInt16("-32768.5"), -32768);
    EXPECT_EQ(toInt16("180.5"), 180);
    EXPECT_FALSE(toInt16("32768"));
    EXPECT_FALSE(toInt16("32767.5"));
    EXPECT_FALSE(toInt16("-32769"));
    EXPECT_FALSE(toInt16("180min"));
    EXPECT_FALSE(toInt16(""));
}

TEST(SettingsConversions, BooleanTakesWordsInAnyCaseAndNumbers) {
    EXPECT_EQ(toBoolean("True"), true);
    EXPECT_EQ(toBoolean("TRUE"), true);
    EXPECT_EQ(toBoolean(" true "), true);
    EXPECT_EQ(toBoolean("fALSE"), false);
    EXPECT_EQ(toBoolean("-1"), true);
    EXPECT_EQ(toBoolean("0"), false);
    EXPECT_EQ(toBoolean("0.0"), false);
    EXPECT_EQ(toBoolean("2"), true);
    EXPECT_EQ(toBoolean("0.001"), true);
    EXPECT_FALSE(toBoolean("yes"));
    EXPECT_FALSE(toBoolean("Tru"));
    EXPECT_FALSE(toBoolean("Truee"));
    EXPECT_FALSE(toBoolean(""));
    EXPECT_FALSE(toBoolean("1x"));
}

TEST(SettingsConversions, SingleReadsDecimalsInFloatRange) {
    EXPECT_EQ(toSingle("1500"), 1500.0f);
    EXPECT_EQ(toSingle(" 9000"), 9000.0f);
    EXPECT_EQ(toSingle("-15"), -15.0f);
    EXPECT_EQ(toSingle("2345.5"), 2345.5f);
    EXPECT_EQ(toSingle("0.1"), 0.1f); // read as a float, not through a double
    EXPECT_EQ(toSingle("1.5e3"), 1500.0f);
    EXPECT_FALSE(toSingle("1e39"));
    EXPECT_FALSE(toSingle("-1e39"));
    EXPECT_FALSE(toSingle("12px"));
    EXPECT_FALSE(toSingle(""));
    EXPECT_FALSE(toSingle("inf"));
}

TEST(SettingsConversions, LeadingNumberAndMinimumPercent) {
    EXPECT_EQ(leadingNumber("10abc"), 10);
    EXPECT_EQ(leadingNumber("10.4"), 10.4);
    EXPECT_EQ(leadingNumber("  -3.5e1x"), -35);
    EXPECT_EQ(leadingNumber("7e"), 7);
    EXPECT_EQ(leadingNumber("7e+"), 7);
    EXPECT_EQ(leadingNumber(".5."), 0.5);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("x10"), 0);
    EXPECT_EQ(leadingNumber(""), 0);

    EXPECT_EQ(toMinFreePercent("10"), 10);
    EXPECT_EQ(toMinFreePercent("10.4"), 10);
    EXPECT_EQ(toMinFreePercent("10.6"), 11);
    EXPECT_EQ(toMinFreePercent("12.5"), 12);
    EXPECT_EQ(toMinFreePercent("25%"), 25);
    EXPECT_EQ(toMinFreePercent("none"), 0);
    EXPECT_EQ(toMinFreePercent(""), 0);
    EXPECT_FALSE(toMinFreePercent("-3"));
    EXPECT_FALSE(toMinFreePercent("300"));
    EXPECT_FALSE(toMinFreePercent("1e999"));
}

TEST(SettingsLines, SettingsLineReadsEveryFieldInOrder) {
    const auto r = parseSettings("1,False,10.4,True,D:\\a b\\x.mid,True,-360,True,False,True,False,True,60,2");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->ReleaseLevel, 1);
    EXPECT_FALSE(r->AutoReleaseWhenLow);
    EXPECT_EQ(r->MinFreePercent, 10);
    EXPECT_TRUE(r->AlarmEnabled);
    EXPECT_EQ(r->AlarmSoundFile, "D:\\a b\\x.mid");
    EXPECT_TRUE(r->PeriodicRelease);
    EXPECT_EQ(r->PeriodicReleaseTicks, -360);
    EXPECT_TRUE(r->ClearClipboardOnRelease);
    EXPECT_FALSE(r->RunAtLogon);
    EXPECT_TRUE(r->HideMonitorAtStart);
    EXPECT_FALSE(r->NoReleaseWhenCpuBusy);
    EXPECT_TRUE(r->AutoLogMemoryInfo);
    EXPECT_EQ(r->AutoLogMinutes, 60);
    EXPECT_EQ(r->ChartStyle, 2);

    // Text fields keep their blanks; values outside the documented ranges are the caller's business.
    const auto loose = parseSettings(" 9,-1,0, 0, x.wav ,0,720,0,0,0,0,0,5,7");
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->ReleaseLevel, 9);
    EXPECT_TRUE(loose->AutoReleaseWhenLow);
    EXPECT_EQ(loose->AlarmSoundFile, " x.wav ");
    EXPECT_EQ(loose->ChartStyle, 7);
}

TEST(SettingsLines, SettingsLineFailsAsAWhole) {
    EXPECT_FALSE(parseSettings(""));
    EXPECT_FALSE(parseSettings("3,True,25,False,a.wav,False,180,False,True,False,True,False,10"));         // 13
    EXPECT_FALSE(parseSettings("3,True,25,False,a.wav,False,180,False,True,False,True,False,10,0,0"));     // 15
    EXPECT_FALSE(parseSettings("3,True,25,False,a.wav,False,180,False,True,False,True,False,10,0,"));      // trailing ,
    EXPECT_FALSE(parseSettings("3,True,25,False,C:\\a,b.wav,False,180,False,True,False,True,False,10,0")); // shifted

    // Every field but the free text refuses a value that does not convert.
    const std::string fields[14] = {"3",     "True", "25",    "False", "a.wav", "False", "180",
                                    "False", "True", "False", "True",  "False", "10",    "0"};
    for (int bad = 0; bad < 14; ++bad) {
        if (bad == 2 || bad == 4) {
            continue; // MinFreePercent reads "x" as 0; the sound file is any text
        }
        std::string line;
        for (int i = 0; i < 14; ++i) {
            line += (i ? "," : "") + (i == bad ? std::string("yes") : fields[i]);
        }
        EXPECT_FALSE(parseSettings(line)) << line;
    }
    EXPECT_FALSE(parseSettings("256,True,25,False,a.wav,False,180,False,True,False,True,False,10,0"));
    EXPECT_FALSE(parseSettings("3,True,256,False,a.wav,False,180,False,True,False,True,False,10,0"));
    EXPECT_FALSE(parseSettings("3,True,25,False,a.wav,False,40000,False,True,False,True,False,10,0"));
}

TEST(SettingsLines, AccessAndPlacementLines) {
    EXPECT_EQ(parseAccess("3,1"), (AccessRecord{3, 1}));
    EXPECT_EQ(parseAccess(" 2 , 0 "), (AccessRecord{2, 0}));
    EXPECT_FALSE(parseAccess("3"));
    EXPECT_FALSE(parseAccess("3,1,"));
    EXPECT_FALSE(parseAccess("3,1,0"));
    EXPECT_FALSE(parseAccess("3,"));
    EXPECT_FALSE(parseAccess("256,0"));

    const MonitorPlacement expected{1500, 9000, 240};
    EXPECT_EQ(parsePlacement("1500,9000,240"), expected);
    EXPECT_EQ(parsePlacement("1500, 9000, 240"), expected);
    EXPECT_EQ(parsePlacement("-15,2345.5,240"), (MonitorPlacement{-15, 2345.5f, 240}));
    EXPECT_FALSE(parsePlacement("1500,9000"));
    EXPECT_FALSE(parsePlacement("1500,9000,240,0"));
    EXPECT_FALSE(parsePlacement("top,9000,240"));
}

TEST(SettingsLines, PlacementInPixelsAsStartUpAppliesIt) {
    // Left to the nearest pixel; Top and Height cut to whole twips, divided without remainder.
    EXPECT_EQ(placementPixels({1500, 9000, 240}, 15), (PlacementPixels{600, 100, 16}));
    EXPECT_EQ(placementPixels({29.9f, 22.4f, 44.9f}, 15), (PlacementPixels{1, 1, 2}));
    EXPECT_EQ(placementPixels({-29.9f, -22.6f, 0}, 15), (PlacementPixels{-2, -1, 0}));
    // Numbers that read but can be no pixel position.
    EXPECT_FALSE(placementPixels({1e30f, 300, 240}, 15));
    EXPECT_FALSE(placementPixels({300, -1e30f, 240}, 15));
    EXPECT_FALSE(placementPixels({300, 300, 3e38f}, 15));
    EXPECT_FALSE(placementPixels({300, 300, std::numeric_limits<float>::infinity()}, 15));
    EXPECT_TRUE(placementPixels({15.0f * (1 << 24), 0, 0}, 15));
    EXPECT_FALSE(placementPixels({15.0f * (1 << 25), 0, 0}, 15));
}

TEST(SettingsLines, PlacementOnTheScreensStaysAndASliverIsBroughtWithinReach) {
    // 1024 × 768 with a 28-pixel task bar at the bottom; the bar window is 120 × 16.
    const ScreenArea desk{{0, 0, 1024, 768}, {0, 0, 1024, 740}};
    const auto place = [](int x, int y, const std::vector<ScreenArea>& screens, std::size_t primary = 0) {
        return reachablePlace({x, y, 120, 16}, true, screens, primary);
    };
    EXPECT_EQ(place(1022, 100, {desk}), (PixelRect{904, 100, 120, 16})); // 2 pixels on the screen
    EXPECT_EQ(place(964, 100, {desk}), (PixelRect{964, 100, 120, 16}));  // half on it
    EXPECT_EQ(place(-60, 760, {desk}), (PixelRect{0, 724, 120, 16}));    // its centre on the corner, a quarter on
    EXPECT_EQ(place(800, 756, {desk}), (PixelRect{800, 756, 120, 16}));  // on the task bar
    EXPECT_EQ(place(10, -9, {desk}), (PixelRect{10, 0, 120, 16}));
    // Two screens side by side: a window across their edge is wholly on screen.
    const ScreenArea right{{1024, 0, 1280, 1024}, {1024, 0, 1280, 1000}};
    EXPECT_EQ(place(1000, 100, {desk, right}), (PixelRect{1000, 100, 120, 16}));
    EXPECT_EQ(place(1000, 1020, {desk, right}), (PixelRect{1024, 984, 120, 16})); // a sliver of the taller one
    // Screens showing the same picture are counted once: 84 × 10 of 120 × 16 is less than half.
    EXPECT_EQ(place(940, 758, {desk, desk}), (PixelRect{904, 724, 120, 16}));
    // The screen at the left unplugged: the remaining one, with the primary's corner for a place on none.
    const ScreenArea primary{{0, 0, 1920, 1080}, {0, 30, 1920, 1050}};
    EXPECT_EQ(place(-110, 300, {right, primary}, 1), (PixelRect{0, 300, 120, 16}));
    EXPECT_EQ(place(-1000, 300, {right, primary}, 1), (PixelRect{1779, 50, 120, 16}));
    EXPECT_EQ(reachablePlace({500, 500, 120, 16}, false, {right, primary}, 1), (PixelRect{1779, 50, 120, 16}));
}

TEST(SettingsLines, BatchStartLine) {
    const auto two = parseBatchStart("2,a.exe,True,b.exe /q,False,");
    ASSERT_TRUE(two);
    EXPECT_EQ(*two, (BatchStartList{{"a.exe", true}, {"b.exe /q", false}}));

    // The count is not checked against the entries, only that it is a byte.
    EXPECT_EQ(parseBatchStart("0,a.exe,-1,")->size(), 1u);
    EXPECT_EQ(parseBatchStart("0,"), BatchStartList{});
    EXPECT_FALSE(parseBatchStart("0"));
    EXPECT_FALSE(parseBatchStart(""));
    EXPECT_FALSE(parseBatchStart("256,"));
    EXPECT_FALSE(parseBatchStart("x,"));
    EXPECT_FALSE(parseBatchStart("1,a.exe"));
    EXPECT_FALSE(parseBatchStart("1,a.exe,"));
    EXPECT_FALSE(parseBatchStart("1,a.exe,True"));
    EXPECT_FALSE(parseBatchStart("1,a.exe,yes,"));

    std::string line = "255,";
    for (int i = 0; i < 255; ++i) {
        line += "p" + std::to_string(i) + ".exe,False,";
    }
    const auto full = parseBatchStart(line);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), 255u);
    EXPECT_EQ(full->back().ProgramPath, "p254.exe");
    EXPECT_FALSE(parseBatchStart(line + "p255.exe,True,"));
}

TEST(SettingsLines, ComposedLinesAreExactAndReadBack) {
    SettingsRecord r;
    r.ReleaseLevel = 3;
    r.AutoReleaseWhenLow = true;
    r.MinFreePercent = 25;
    r.AlarmEnabled = false;
    r.AlarmSoundFile = "C:\\Tools\\Alarm.wav";
    r.PeriodicRelease = false;
    r.PeriodicReleaseTicks = 180;
    r.ClearClipboardOnRelease = false;
    r.RunAtLogon = true;
    r.HideMonitorAtStart = false;
    r.NoReleaseWhenCpuBusy = true;
    r.AutoLogMemoryInfo = false;
    r.AutoLogMinutes = 10;
    r.ChartStyle = 0;
    EXPECT_EQ(composeSettings(r), kExampleLine);
    EXPECT_EQ(parseSettings(kExampleLine), r);

    r.PeriodicReleaseTicks = -32768;
    r.ReleaseLevel = 255;
    EXPECT_EQ(parseSettings(*composeSettings(r)), r);

    for (const char* path : {"a,b.wav", "a\r.wav", "a\n.wav"}) {
        r.AlarmSoundFile = path;
        EXPECT_FALSE(composeSettings(r)) << path;
        EXPECT_FALSE(isStorableText(path));
    }
    EXPECT_TRUE(isStorableText("C:\\工具\\报警.wav"));

    EXPECT_EQ(composeAccess({2, 0}), "2,0");

    EXPECT_EQ(composeBatchStart({}), "0,");
    const BatchStartList list{{"a.exe", true}, {"b.exe", false}};
    EXPECT_EQ(composeBatchStart(list), "2,a.exe,True,b.exe,False,");
    EXPECT_EQ(parseBatchStart(*composeBatchStart(list)), list);
    EXPECT_FALSE(composeBatchStart({{"a.exe", true}, {"b,c.exe", false}}));
    EXPECT_FALSE(composeBatchStart(BatchStartList(256, {"a.exe", true})));
    EXPECT_TRUE(composeBatchStart(BatchStartList(255, {"a.exe", true})));
}

TEST(SettingsLines, PlacementTextIsPlainAndExact) {
    EXPECT_EQ(singleText(1500), "1500");
    EXPECT_EQ(singleText(-15), "-15");
    EXPECT_EQ(singleText(2345.5f), "2345.5");
    EXPECT_EQ(singleText(0), "0");
    EXPECT_EQ(singleText(1e10f), "10000000000"); // never an exponent
    for (const float v : {0.1f, 1234.567f, 3.4e38f, -1e-30f, 16777217.0f}) {
        EXPECT_EQ(toSingle(singleText(v)), v) << singleText(v);
    }

    const MonitorPlacement p{1500, 9000, 240};
    EXPECT_EQ(composePlacement(p, ","), "1500,9000,240");
    EXPECT_EQ(composePlacement(p, ", "), "1500, 9000, 240");
    EXPECT_EQ(parsePlacement(composePlacement({-15.25f, 0.1f, 2345.5f}, ", ")),
              (MonitorPlacement{-15.25f, 0.1f, 2345.5f}));
}

} // namespace
} // namespace tarvik
