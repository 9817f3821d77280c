#pragma once

namespace tarvik {

// Tells whether another instance of this same executable already runs. The first call claims
// the instance for this process for the rest of its life.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherInstanceRuns() = 0;
};

} // namespace tarvik
