#pragma once

#include <functional>

namespace tarvik {

struct AppState;
struct Platform;
class ProgramFolders;

// The program from the moment the Qt application object and the platform exist: the instance
// check, the program folder made ready, both windows built, the monitor window's start-up, then
// `runEventLoop`. Gives the process's exit code.
int startProgram(AppState& state, const ProgramFolders& folders, Platform& platform,
                 const std::function<int()>& runEventLoop);

} // namespace tarvik
