#include "platform/linux/LockFileInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::tempPath();
    }
    m_lockPath = QDir(folder).filePath(QStringLiteral("tarvik-%1.lock").arg(QString::fromLatin1(hash.left(16))));
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

bool LockFileInstanceGuard::anotherInstanceRuns() {
    if (!m_another) {
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
