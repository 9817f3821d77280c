#pragma once

namespace tarvik {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // false when the clipboard could not be emptied.
    virtual bool clear() = 0;
};

} // namespace tarvik
