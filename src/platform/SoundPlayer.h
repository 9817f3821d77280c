#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// The alarm player, driven by the command words "Open", "Play" and "Prev".
// Errors are swallowed: a missing or unplayable file simply plays nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void setFileName(const std::string& path) = 0;
    virtual void command(std::string_view verb) = 0;
};

} // namespace tarvik
