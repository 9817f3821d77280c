#pragma once

#include <cstdint>
#include <string>

namespace tarvik {

// Opens a document or a link with the desktop's associated program. Results are not reported.
class Shell {
public:
    virtual ~Shell() = default;
    // `target` is a file path or a URL such as "mailto:..."; `ownerWindow` is the native handle of
    // the window that asks (0 for none), which owns whatever the desktop shows in answer.
    virtual void open(const std::string& target, const std::string& workingDirectory, std::uintptr_t ownerWindow) = 0;
};

} // namespace tarvik
