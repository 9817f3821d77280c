#include "platform/linux/PosixFileAppender.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvik {

namespace {

bool preadAll(int fd, char* out, std::size_t size, off_t at) {
    while (size > 0) {
        const ssize_t n = ::pread(fd, out, size, at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        out += n;
        size -= static_cast<std::size_t>(n);
        at += n;
    }
    return true;
}

bool pwriteAll(int fd, std::string_view bytes, off_t at) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        at += n;
    }
    return true;
}

bool holdsExpected(int fd, std::uint64_t expectedSize, std::string_view expectedTail) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0 ||
        static_cast<std::uint64_t>(st.st_size) != expectedSize || expectedTail.size() > expectedSize) {
        return false;
    }
    std::string tail(expectedTail.size(), '\0');
    return preadAll(fd, tail.data(), tail.size(), static_cast<off_t>(expectedSize - tail.size())) &&
           tail == expectedTail;
}

} // namespace

FileAppender::Result PosixFileAppender::appendIfUnchanged(const std::filesystem::path& target,
                                                          std::uint64_t expectedSize, std::string_view expectedTail,
                                                          std::string_view bytes) {
    struct stat folderStat {};
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    // Where the atomic replace could not write its temporary file, the entry is not appended either.
    if (::stat(folder.c_str(), &folderStat) != 0 || (folderStat.st_mode & 0222) == 0 ||
        ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return Result::Changed;
    }
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return Result::Changed;
    }
    if (!holdsExpected(fd, expectedSize, expectedTail)) {
        ::close(fd);
        return Result::Changed;
    }
    // The pieces end at block boundaries; the last goes first, the first (at the old end) last.
    bool ok = true;
    const std::uint64_t end = expectedSize + bytes.size();
    std::uint64_t pieceEnd = end;
    while (ok && pieceEnd > expectedSize) {
        const std::uint64_t pieceStart = std::max(expectedSize, (pieceEnd - 1) / kBlock * kBlock);
        ok = pwriteAll(fd, bytes.substr(pieceStart - expectedSize, pieceEnd - pieceStart),
                       static_cast<off_t>(pieceStart));
        pieceEnd = pieceStart;
    }
    ok = ok && ::fdatasync(fd) == 0;
    if (!ok) {
        // Whatever part was written goes again, so the file is as it was.
        [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(expectedSize));
    }
    ::close(fd); // the data is on disk already; nothing a failed close could tell would change that
    return ok ? Result::Appended : Result::Failed;
}

std::unique_ptr<FileAppender> makeSystemFileAppender() {
    return std::make_unique<PosixFileAppender>();
}

} // namespace tarvik
