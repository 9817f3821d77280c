#pragma once

namespace tarvik {

// Ends the process at once, without unload handlers. Tests record the call instead,
// so callers return right after calling it.
class ProcessEnder {
public:
    virtual ~ProcessEnder() = default;
    virtual void endNow(int exitCode) = 0;
};

} // namespace tarvik
