#pragma once

#include <string>

namespace tarvik {

// Opens a document or a link with the desktop's associated program. Results are not reported.
class Shell {
public:
    virtual ~Shell() = default;
    // `target` is a file path or a URL such as "mailto:...".
    virtual void open(const std::string& target, const std::string& workingDirectory) = 0;
};

} // namespace tarvik
