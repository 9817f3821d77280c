#pragma once

#include "platform/Shell.h"

namespace tarvik {

// Opens documents and links with the "open" verb of the Windows shell (ShellExecuteW).
class Win32Shell : public Shell {
public:
    void open(const std::string& target, const std::string& workingDirectory, std::uintptr_t ownerWindow) override;
};

} // namespace tarvik
