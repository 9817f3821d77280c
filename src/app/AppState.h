#pragma once

#include "memory/MemoryStatus.h"
#include "settings/SettingsRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tarvik {

// What the program keeps process-wide, shared by the monitor window and the main window.
struct AppState {
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder; // where the help file and the alarm sound were installed
    std::filesystem::path executable;

    SettingsRecord Settings;
    AccessRecord Access;
    BatchStartList BatchStart; // the monitor window's copy, read at start
    MemoryStatus Memory;
    std::string LogText; // see EventLog

    bool MonitorShown = false;
    bool MainWindowShown = false;
    std::uint8_t PageRefreshRequested = 0;
};

} // namespace tarvik
