#include "memory/Supervisor.h"

#include "settings/SettingsRecord.h"
#include "settings/Texts.h"

namespace tarvik {

namespace {

// Advances a tick counter; true when it has reached its target, after which it restarts at 0.
bool countTo(std::int16_t& counter, int target) {
    if (target <= 0) {
        return false; // a period of zero ticks (a hand-edited file) never comes round
    }
    counter = static_cast<std::int16_t>(counter + 1);
    if (counter >= target) {
        counter = 0;
        return true;
    }
    return false;
}

} // namespace

void Supervisor::tick(const SettingsRecord& s, SupervisionActions& actions) {
    const std::optional<float> bar = actions.barPercent();
    if (!bar) {
        actions.writePlacement();
        return;
    }
    const float minimum = static_cast<float>(s.MinFreePercent);

    const bool low = *bar < minimum;
    if (low && s.AlarmEnabled) {
        actions.soundAlarm();
    }

    if (low && s.AutoReleaseWhenLow) {
        actions.releaseMemory();
        actions.appendLog(Texts::lowMemoryRelease(s.MinFreePercent));
    }

    if (s.PeriodicRelease && countTo(PeriodicTickCount, s.PeriodicReleaseTicks)) {
        actions.releaseMemory();
    }

    if (s.AutoLogMemoryInfo && countTo(AutoLogTickCount, s.AutoLogMinutes * 4)) {
        actions.appendLog(actions.memoryReport());
    }

    actions.writePlacement();
}

} // namespace tarvik
