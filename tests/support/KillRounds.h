#pragma once

#include "support/TempFolder.h"

#include <functional>
#include <string>

namespace tarvik::test {

// The kill test's two sides, shared by the systems' ways of starting and killing a process.
//
// The writer saves the settings, the access levels, the placement and log entries for ever,
// alternating between two contents of every file, until it is killed. `started` runs once its
// files are open for business, just before the first write.
[[noreturn]] void writeSettingsAndLogForever(const std::filesystem::path& folder, const std::function<void()>& started);

// The checker: prepares the folder, then after each kill checks that every file holds its old or
// its new content, never a torn or empty one, that the log only ever grew by whole entries, and
// that the start-up readers still accept all of them.
class KillRounds {
public:
    explicit KillRounds(const TempFolder& folder);
    // TARVIK_KILL_ROUNDS, else 500.
    static int count();
    // Call as ASSERT_NO_FATAL_FAILURE(rounds.check(round)).
    void check(int round);
    // Prints the figures, then checks that one more replace leaves no temporary file behind.
    void finish(int rounds);

private:
    const TempFolder& m_folder;
    std::string m_entries[2];
    std::string m_lastLog;
    bool m_lastSettingsB = false;
    int m_settingsChanged = 0;
    int m_logGrew = 0;
    int m_cutShort = 0;
};

} // namespace tarvik::test
