#pragma once

#include "platform/InstanceGuard.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tarvik {

// One instance per executable and log-on session: a named mutex whose name is made from the
// executable's full path, held for the life of the process.
class MutexInstanceGuard : public InstanceGuard {
public:
    explicit MutexInstanceGuard(const std::filesystem::path& executable);
    ~MutexInstanceGuard() override;
    MutexInstanceGuard(const MutexInstanceGuard&) = delete;
    MutexInstanceGuard& operator=(const MutexInstanceGuard&) = delete;

    bool anotherInstanceRuns() override;

    // "Local\Tarvik-" and a hash of the lowercased full path: Windows paths ignore case, and a
    // mutex name may hold no further backslash.
    static std::wstring mutexName(const std::filesystem::path& executable);

private:
    std::wstring m_name;
    void* m_mutex = nullptr;
    std::optional<bool> m_another;
};

} // namespace tarvik
