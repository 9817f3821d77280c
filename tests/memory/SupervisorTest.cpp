#include "memory/Supervisor.h"
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tarvik;

namespace {

struct RecordingActions : SupervisionActions {
    std::optional<float> bar = 50.0f;
    std::vector<std::string> events;
    std::optional<float> barPercent() override { return bar; }
    void soundAlarm() override { events.push_back("alarm"); }
    void releaseMemory() override { events.push_back("release"); }
    void appendLog(const std::string& m) override { events.push_back("log:" + m); }
    std::string memoryReport() override { return "report"; }
    void writePlacement() override { events.push_back("placement"); }
    int count(const std::string& e) const { return static_cast<int>(std::count(events.begin(), events.end(), e)); }
};

SettingsRecord quiet() {
    SettingsRecord s;
    s.AutoReleaseWhenLow = false;
    s.AlarmEnabled = false;
    s.PeriodicRelease = false;
    s.AutoLogMemoryInfo = false;
    s.MinFreePercent = 10;
    return s;
}

} // namespace

TEST(Supervisor, ThresholdIsStrictlyBelowTheMinimum) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.AlarmEnabled = true;
    s.AutoReleaseWhenLow = true;
    a.bar = 120.0f / 12.0f; // exactly 10 %
    sup.tick(s, a);
    EXPECT_EQ(a.events, std::vector<std::string>{"placement"});
    a.events.clear();
    a.bar = 105.0f / 12.0f; // 8.75 %
    sup.tick(s, a);
    EXPECT_EQ(a.events, (std::vector<std::string>{"alarm", "release", "log:系统可用内存低于最低限度10%，自动整理内存。",
                                                  "placement"}));
}

TEST(Supervisor, AlarmAndAutomaticReleaseAreIndependent) {
    Supervisor sup;
    RecordingActions a;
    a.bar = 5;
    auto s = quiet();
    s.AlarmEnabled = true;
    for (int i = 0; i < 3; ++i) {
        sup.tick(s, a);
    }
    EXPECT_EQ(a.count("alarm"), 3);
    EXPECT_EQ(a.count("release"), 0);
    EXPECT_EQ(a.count("placement"), 3);
    EXPECT_EQ(a.events.size(), 6u); // nothing logged
}

TEST(Supervisor, PeriodicReleaseEvery180TicksWithoutLogLines) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.PeriodicRelease = true;
    s.PeriodicReleaseTicks = 180;
    for (int i = 1; i <= 360; ++i) {
        sup.tick(s, a);
        if (i == 179) {
            EXPECT_EQ(a.count("release"), 0);
        }
        if (i == 180) {
            EXPECT_EQ(a.count("release"), 1);
        }
    }
    EXPECT_EQ(a.count("release"), 2);
    EXPECT_EQ(sup.PeriodicTickCount, 0);
    for (const auto& e : a.events) {
        EXPECT_EQ(e.rfind("log:", 0), std::string::npos);
    }
}

TEST(Supervisor, SwitchingPeriodicReleaseOffPausesTheCount) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.PeriodicRelease = true;
    s.PeriodicReleaseTicks = 180;
    for (int i = 0; i < 100; ++i) {
        sup.tick(s, a);
    }
    s.PeriodicRelease = false;
    for (int i = 0; i < 500; ++i) {
        sup.tick(s, a);
    }
    EXPECT_EQ(sup.PeriodicTickCount, 100);
    s.PeriodicRelease = true;
    for (int i = 0; i < 80; ++i) {
        sup.tick(s, a);
    }
    EXPECT_EQ(a.count("release"), 1);
}

TEST(Supervisor, LoweringThePeriodBelowTheCountStillReleasesAndNeverOverflows) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.PeriodicRelease = true;
    s.PeriodicReleaseTicks = 720;
    for (int i = 0; i < 400; ++i) {
        sup.tick(s, a);
    }
    s.PeriodicReleaseTicks = 180; // the count (400) is already past the new period
    sup.tick(s, a);
    EXPECT_EQ(a.count("release"), 1);
    EXPECT_EQ(sup.PeriodicTickCount, 0);
    // A period of zero ticks from a hand-edited file never releases and never overflows.
    s.PeriodicReleaseTicks = 0;
    for (int i = 0; i < 70000; ++i) {
        sup.tick(s, a);
    }
    EXPECT_EQ(a.count("release"), 1);
    EXPECT_GE(sup.PeriodicTickCount, 0);
}

TEST(Supervisor, MemoryReportEveryAutoLogMinutesTimesFourTicks) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.AutoLogMemoryInfo = true;
    s.AutoLogMinutes = 10;
    for (int i = 1; i <= 80; ++i) {
        sup.tick(s, a);
        if (i == 39) {
            EXPECT_EQ(a.count("log:report"), 0);
        }
    }
    EXPECT_EQ(a.count("log:report"), 2);
    // Lowering the period below the current count reports at the next tick.
    for (int i = 0; i < 30; ++i) {
        sup.tick(s, a);
    }
    s.AutoLogMinutes = 5;
    sup.tick(s, a);
    EXPECT_EQ(a.count("log:report"), 3);
}

TEST(Supervisor, WithoutCurrentFiguresOnlyThePlacementIsSavedAndTheCountersWait) {
    Supervisor sup;
    RecordingActions a;
    auto s = quiet();
    s.AlarmEnabled = s.AutoReleaseWhenLow = s.PeriodicRelease = s.AutoLogMemoryInfo = true;
    s.PeriodicReleaseTicks = 2;
    s.AutoLogMinutes = 1;
    sup.PeriodicTickCount = 1;
    sup.AutoLogTickCount = 3;
    a.bar = std::nullopt;
    sup.tick(s, a);
    EXPECT_EQ(a.events, std::vector<std::string>{"placement"});
    EXPECT_EQ(sup.PeriodicTickCount, 1);
    EXPECT_EQ(sup.AutoLogTickCount, 3);
    a.bar = 50.0f; // figures again: both counters reach their targets
    sup.tick(s, a);
    EXPECT_EQ(a.count("release"), 1);
    EXPECT_EQ(a.count("log:report"), 1);
}
