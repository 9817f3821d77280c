#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvik {

// The 14 settings of set.dxl and info.dxl, in file order.
struct SettingsRecord {
    std::uint8_t ReleaseLevel = 3;
    bool AutoReleaseWhenLow = true;
    std::uint8_t MinFreePercent = 25;
    bool AlarmEnabled = false;
    std::string AlarmSoundFile; // UTF-8
    bool PeriodicRelease = false;
    std::int16_t PeriodicReleaseTicks = 720;
    bool ClearClipboardOnRelease = false;
    bool RunAtLogon = false;
    bool HideMonitorAtStart = false;
    bool NoReleaseWhenCpuBusy = true;
    bool AutoLogMemoryInfo = false;
    std::uint8_t AutoLogMinutes = 10;
    std::uint8_t ChartStyle = 0;

    bool operator==(const SettingsRecord&) const = default;
};

// AqSet.dxl: who the user is and how the computer is used.
struct AccessRecord {
    std::uint8_t UserLevel = 2; // 1 beginner, 2 normal, 3 advanced
    std::uint8_t UsageType = 0; // 0..3, the entries of the usage-type list

    bool operator==(const AccessRecord&) const = default;
};

// wtl.dxl: the monitor window's place, in twips.
struct MonitorPlacement {
    float Top = 0;
    float Left = 0;
    float Height = 0;

    bool operator==(const MonitorPlacement&) const = default;
};

struct BatchStartEntry {
    std::string ProgramPath; // a command line, UTF-8
    bool Selected = false;

    bool operator==(const BatchStartEntry&) const = default;
};

// afn.dxl: programs started with the program. At most 255 entries.
using BatchStartList = std::vector<BatchStartEntry>;

inline constexpr std::size_t kMaxBatchEntries = 255;

} // namespace tarvik
