#pragma once

#include "platform/ProcessLauncher.h"

#include <QStringList>

namespace tarvik {

// Starts batch-start command lines as detached processes, without a shell.
class QtProcessLauncher : public ProcessLauncher {
public:
    bool startMinimized(const std::string& commandLine, const std::string& workingDirectory) override;

    // The program and its arguments of a command line; empty when there is nothing to run.
    static QStringList splitCommandLine(const std::string& commandLine, const std::string& workingDirectory);
};

} // namespace tarvik
