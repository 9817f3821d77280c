#include "platform/linux/PosixFileReplacer.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvik {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Whether this user could open the file for writing: a rename in a writable folder would replace
// a file that its owner keeps from others, which an open for writing refuses. Nothing is written.
bool openableForWriting(const std::filesystem::path& target) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace

bool PosixFileReplacer::replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    // A file or folder marked read-only stays as it is, also for a user (root) whom the
    // permissions would not stop.
    struct stat folderStat {};
    if (::stat(folder.c_str(), &folderStat) != 0 || (folderStat.st_mode & 0222) == 0) {
        return false;
    }
    std::string tmpl = (folder / (std::string(kTemporaryPrefix) + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        return false;
    }
    // Keep the permissions an existing file had; new files get the usual rw-r--r-- under the umask.
    struct stat st {};
    mode_t mode = 0644;
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 || !openableForWriting(target)) {
            ::close(fd);
            ::unlink(tmpl.c_str());
            return false;
        }
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        ok = ::rename(tmpl.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(tmpl.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    removeLeftovers(folder);
    return true;
}

void PosixFileReplacer::removeLeftovers(const std::filesystem::path& folder) {
    // A process killed between creating a temporary file and its rename leaves the temporary
    // behind; the next successful replace in the folder sweeps every such leftover away. Only
    // names this writer makes are touched: its prefix, the target's name, a dot, six characters.
    const std::string_view prefix = kTemporaryPrefix;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() > prefix.size() + 7 && entry.compare(0, prefix.size(), prefix) == 0 &&
            entry[entry.size() - 7] == '.') {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

std::unique_ptr<FileReplacer> makeSystemFileReplacer() {
    return std::make_unique<PosixFileReplacer>();
}

} // namespace tarvik
