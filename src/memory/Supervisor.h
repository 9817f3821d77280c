#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvik {

struct SettingsRecord;

// What one supervision tick may ask the monitor window to do.
class SupervisionActions {
public:
    virtual ~SupervisionActions() = default;
    // The free percentage as the monitor bar shows it (bar length in twips / 12); nullopt while
    // the latest sample could not be read, or none has been yet.
    virtual std::optional<float> barPercent() = 0;
    virtual void soundAlarm() = 0; // "Open", "Play", "Prev"
    virtual void releaseMemory() = 0;
    virtual void appendLog(const std::string& message) = 0;
    virtual std::string memoryReport() = 0;
    virtual void writePlacement() = 0;
};

// The 15-second supervision: alarm, automatic and periodic release, periodic memory report and
// the placement save. The counters act when they reach or pass their target and then restart,
// so lowering a period never stops the action and a counter never overflows. Without current
// figures the tick only saves the placement: nothing is released, sounded or reported on figures
// the program does not have, and the counters wait.
class Supervisor {
public:
    void tick(const SettingsRecord& settings, SupervisionActions& actions);

    std::int16_t PeriodicTickCount = 0;
    std::int16_t AutoLogTickCount = 0;
};

} // namespace tarvik
