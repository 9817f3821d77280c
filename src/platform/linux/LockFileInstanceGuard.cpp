#include "platform/linux/LockFileInstanceGuard.h"

#include "platform/linux/XdgFolders.h"
#include "settings/Paths.h"

#include <cstdlib>
#include <QCryptographicHash>
#include <QFile>
#include <QLockFile>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvik {

LockFileInstanceGuard::LockFileInstanceGuard(const std::filesystem::path& executable) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(executable, ec);
    if (ec) {
        canonical = executable.lexically_normal();
    }
    // Copies of the program in different folders are different programs, each with its own files.
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(canonical.string()), QCryptographicHash::Sha256).toHex();
    const std::string name = "tarvik-" + hash.left(16).toStdString() + ".lock";
    // The lock must lie where only this user may write: a lock file that another user can make
    // first would keep this user from the program. Without a runtime folder, no shared folder
    // such as /tmp (where Qt's stand-in for it lies too, under a name anyone can take first) but
    // the user's own data folder.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::geteuid()) {
        m_lockPath = QFile::decodeName((std::filesystem::path(runtime) / name).c_str());
    } else if (const std::filesystem::path dataHome = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
               !dataHome.empty()) {
        m_lockFolder = dataHome / "tarvik";
        m_lockPath = QFile::decodeName((m_lockFolder / name).c_str());
    }
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

bool LockFileInstanceGuard::anotherInstanceRuns() {
    if (!m_another && m_lockPath.isEmpty()) {
        m_another = false; // nowhere to keep a lock (no home folder): the user is not kept out
    }
    if (!m_another) {
        if (std::error_code ec; !m_lockFolder.empty()) {
            createPrivateFolders(m_lockFolder, ec);
        }
        m_lock = std::make_unique<QLockFile>(m_lockPath);
        // Never stale by age: the program runs for days. A lock left by a process that died
        // (or ended through _exit) is still taken over, because its owner no longer runs.
        m_lock->setStaleLockTime(0);
        const bool locked = m_lock->tryLock(0);
        // A lock file that cannot be made at all must not keep the user from the program.
        m_another = !locked && m_lock->error() == QLockFile::LockFailedError;
    }
    return *m_another;
}

} // namespace tarvik
