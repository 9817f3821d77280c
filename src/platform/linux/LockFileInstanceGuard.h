#pragma once

#include "platform/InstanceGuard.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <QString>

class QLockFile;

namespace tarvik {

// One instance per executable and user: a lock file in the user's runtime folder (else in the
// user's data folder), named after the executable's path, held for the life of the process.
class LockFileInstanceGuard : public InstanceGuard {
public:
    explicit LockFileInstanceGuard(const std::filesystem::path& executable);
    ~LockFileInstanceGuard() override;

    bool anotherInstanceRuns() override;

    const QString& lockPath() const { return m_lockPath; }

private:
    QString m_lockPath;
    std::filesystem::path m_lockFolder; // made when the lock is taken, if it is not the runtime folder
    std::unique_ptr<QLockFile> m_lock;
    std::optional<bool> m_another;
};

} // namespace tarvik
