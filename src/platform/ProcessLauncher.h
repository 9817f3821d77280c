#pragma once

#include <string>

namespace tarvik {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts a command line as a new process shown minimised, without waiting for it.
    // false when the program could not be started.
    virtual bool startMinimized(const std::string& commandLine, const std::string& workingDirectory) = 0;
};

} // namespace tarvik
