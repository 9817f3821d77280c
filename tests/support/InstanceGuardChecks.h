#pragma once

#include "platform/InstanceGuard.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace tarvik::test {

// A guard of this system for the program at the given path.
using GuardFactory = std::function<std::unique_ptr<InstanceGuard>(const std::filesystem::path& executable)>;

// What every system's guard must do within one process, for a program not guarded yet: while the
// first guard lives, a second one of the program, also under another spelling of its path, sees
// it and one of a copy in another folder does not; answers are kept, so the first stays the
// first; once the first has gone, the next start runs.
void checkASecondStartIsSeenWhileTheFirstRuns(const GuardFactory& guard, const std::filesystem::path& program,
                                              const std::filesystem::path& otherSpelling,
                                              const std::filesystem::path& copy);

} // namespace tarvik::test
