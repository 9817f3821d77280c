#pragma once

#include <optional>
#include <string>

namespace tarvik {

// The entry that starts the program when the user logs on: the "Run" value on Windows,
// an XDG autostart entry on Linux desktops.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Registers `command` (the executable's full path) under `valueName`; false when no entry
    // could be written.
    virtual bool setRunValue(const std::string& valueName, const std::string& command) = 0;
    // Removes the entry; true when none is left afterwards, so an absent entry is no failure.
    virtual bool deleteRunValue(const std::string& valueName) = 0;
    // The registered command, or nullopt when no entry exists.
    virtual std::optional<std::string> runValue(const std::string& valueName) const = 0;
};

} // namespace tarvik
