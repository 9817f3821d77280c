#pragma once

namespace tarvik {

// The main window's pages, in the order of its page buttons; each is one page frame (FmeXXZL,
// FmeSet, FmeRun, FmeJB, FmeLog).
enum class MainWindowPage { Memory, UserSettings, SoftwareSettings, UserLevel, Log };
inline constexpr int kMainWindowPages = 5;

} // namespace tarvik
