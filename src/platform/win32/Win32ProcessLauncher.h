#pragma once

#include "platform/ProcessLauncher.h"

namespace tarvik {

// Starts a batch-start command line with CreateProcessW, its window shown minimised and active.
class Win32ProcessLauncher : public ProcessLauncher {
public:
    bool startMinimized(const std::string& commandLine, const std::string& workingDirectory) override;
};

} // namespace tarvik
