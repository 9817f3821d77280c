#include "MonitorFixture.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

constexpr std::uint64_t MiB = 1048576ULL;

class Supervision : public MonitorFixture {
protected:
    void startWith(const std::string& settingsLine) {
        folder.write("set.dxl", settingsLine + "\r\n");
        folder.write("wtl.dxl", "300,9000,240\r\n");
        ASSERT_TRUE(start());
    }
    void setFreeTwips(int twips) { // free memory that makes the bar exactly this long
        fakes.memory.set(1200 * MiB, static_cast<std::uint64_t>(twips) * MiB);
        window().Timer1_Timer();
    }
    int releases() const { return static_cast<int>(fakes.allocator.allocations.size()); }
    int countInLog(const std::string& text) const {
        const std::string log = logText();
        int n = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
};

} // namespace

TEST_F(Supervision, LowMemorySoundsTheAlarmReleasesLogsAndSavesThePlacement) {
    startWith("2,True,10,True,Alarm.wav,False,180,False,False,False,True,False,10,0");
    setFreeTwips(120); // exactly 10 %: nothing acts
    window().Timer2_Timer();
    EXPECT_TRUE(fakes.sound.commands.empty());
    EXPECT_EQ(releases(), 0);
    EXPECT_EQ(folder.read("wtl.dxl"), "300,9000,240\r\n"); // written with a plain comma

    setFreeTwips(105); // 8.75 %
    window().move(15, 30);
    window().Timer2_Timer();
    EXPECT_EQ(fakes.sound.commands, (std::vector<std::string>{"Alarm.wav|Open", "Alarm.wav|Play", "Alarm.wav|Prev"}));
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(fakes.allocator.allocations[0], 80000000u); // level 2 on a large machine
    EXPECT_EQ(lastLogMessage(), "系统可用内存低于最低限度10%，自动整理内存。");
    EXPECT_EQ(folder.read("wtl.dxl"), "450,225,240\r\n");

    // Still low at the next tick: both act again.
    window().Timer2_Timer();
    EXPECT_EQ(fakes.sound.commands.size(), 6u);
    EXPECT_EQ(releases(), 2);
}

TEST_F(Supervision, SamplesWithoutFiguresNeverReleaseOrSoundTheAlarm) {
    // No figures from the first sample on: the supervision stays idle, the placement is saved.
    fakes.memory.fail = true;
    startWith("2,True,10,True,Alarm.wav,False,180,False,False,False,True,False,10,0");
    for (int i = 0; i < 3; ++i) {
        window().Timer1_Timer();
    }
    window().move(15, 30);
    window().Timer2_Timer();
    window().Timer2_Timer();
    EXPECT_TRUE(fakes.sound.commands.empty());
    EXPECT_EQ(releases(), 0);
    EXPECT_EQ(countInLog("运行时出现错误。"), 1);
    EXPECT_EQ(countInLog("自动整理内存"), 0);
    EXPECT_EQ(folder.read("wtl.dxl"), "450,225,240\r\n");

    fakes.memory.fail = false;
    setFreeTwips(105); // real figures, and low: both act
    window().Timer2_Timer();
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(fakes.sound.commands.size(), 3u);

    // A zero total later on keeps the bar, and the supervision does not act on it.
    fakes.memory.next = MemoryStatus{};
    window().Timer1_Timer();
    window().Timer2_Timer();
    EXPECT_FLOAT_EQ(window().BarPercent(), 8.75f);
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(fakes.sound.commands.size(), 3u);
    EXPECT_EQ(countInLog("运行时出现错误。"), 2);
}

TEST_F(Supervision, AlarmAloneReleasesAndLogsNothing) {
    startWith("3,False,25,True,Alarm.wav,False,180,False,False,False,True,False,10,0");
    setFreeTwips(60);
    window().Timer2_Timer();
    window().Timer2_Timer();
    EXPECT_EQ(fakes.sound.commands.size(), 6u);
    EXPECT_EQ(releases(), 0);
    EXPECT_EQ(folder.read("Tarvik.log"), "");
}

TEST_F(Supervision, PeriodicReleaseEveryPeriodWithoutLogLines) {
    startWith("1,False,0,False,Alarm.wav,True,180,False,False,False,True,False,10,0");
    for (int i = 0; i < 179; ++i) {
        window().Timer2_Timer();
    }
    EXPECT_EQ(releases(), 0);
    window().Timer2_Timer();
    EXPECT_EQ(releases(), 1);
    EXPECT_EQ(window().supervisor().PeriodicTickCount, 0);
    EXPECT_EQ(folder.read("Tarvik.log"), "");
}

TEST_F(Supervision, AutomaticReportUsesTheMainWindowCaptionsWhenItExists) {
    startWith("3,False,0,False,Alarm.wav,False,180,False,False,False,True,True,10,0");
    fakes.memory.set(256 * MiB, static_cast<std::uint64_t>(95.3 * MiB));
    window().Timer1_Timer();
    for (int i = 0; i < 40; ++i) {
        window().Timer2_Timer();
    }
    EXPECT_EQ(countInLog("内存信息:"), 1);
    EXPECT_NE(logText().find("2006-12-6 22:24:44 内存信息:\r\n物理内存总量: 256M\r\n可用的物理内存: 95M\r\n"
                             "可用的页面文件: 80%\r\n可用的虚拟内存: 98%\r\n"),
              std::string::npos)
        << logText();

    host.captions = std::array<std::string, 4>{"a", "b", "c", "d"};
    for (int i = 0; i < 40; ++i) {
        window().Timer2_Timer();
    }
    EXPECT_EQ(countInLog("内存信息:"), 2);
    EXPECT_EQ(lastLogMessage(), "内存信息:\r\na\r\nb\r\nc\r\nd");
}

TEST_F(Supervision, SavedSettingsCountFromTheNextTick) {
    startWith("3,False,25,False,Alarm.wav,False,180,False,False,False,True,False,10,0");
    setFreeTwips(60); // 5 %
    window().Timer2_Timer();
    EXPECT_EQ(releases(), 0);
    state.Settings.AutoReleaseWhenLow = true; // as a save in the main window does
    window().Timer2_Timer();
    EXPECT_EQ(releases(), 1);
}
