#include "platform/win32/Win32FileAppender.h"

#include "platform/win32/BusyFileRetry.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <string>
#include <windows.h>

namespace tarvik {

namespace {

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    o.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return o;
}

bool readAt(HANDLE file, char* out, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        OVERLAPPED o = at(offset);
        DWORD got = 0;
        if (!::ReadFile(file, out, static_cast<DWORD>(size), &got, &o) || got == 0) {
            return false;
        }
        out += got;
        size -= got;
        offset += got;
    }
    return true;
}

bool writeAt(HANDLE file, std::string_view bytes, std::uint64_t offset) {
    while (!bytes.empty()) {
        OVERLAPPED o = at(offset);
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &o) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
        offset += written;
    }
    return true;
}

// false with ERROR_SUCCESS when the file is not as expected, with the system's error when it cannot be read.
bool holdsExpected(HANDLE file, std::uint64_t expectedSize, std::string_view expectedTail, DWORD& error) {
    error = ERROR_SUCCESS;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) {
        error = ::GetLastError();
        return false;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) != expectedSize || expectedTail.size() > expectedSize) {
        return false;
    }
    std::string tail(expectedTail.size(), '\0');
    if (!readAt(file, tail.data(), tail.size(), expectedSize - tail.size())) {
        error = ::GetLastError();
        return false;
    }
    return tail == expectedTail;
}

struct Attempt {
    FileAppender::Result result;
    DWORD error; // why it failed, for the caller to decide whether to try again
};

Attempt appendOnce(const std::filesystem::path& target, std::uint64_t expectedSize, std::string_view expectedTail,
                   std::string_view bytes) {
    const HANDLE file = ::CreateFileW(systemPath(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {FileAppender::Result::Changed, ::GetLastError()};
    }
    DWORD error = ERROR_SUCCESS;
    if (!holdsExpected(file, expectedSize, expectedTail, error)) {
        ::CloseHandle(file);
        return {FileAppender::Result::Changed, error};
    }
    // The pieces end at block boundaries; the last goes first, the first (at the old end) last.
    bool ok = true;
    std::uint64_t pieceEnd = expectedSize + bytes.size();
    while (ok && pieceEnd > expectedSize) {
        const std::uint64_t pieceStart =
            std::max(expectedSize, (pieceEnd - 1) / FileAppender::kBlock * FileAppender::kBlock);
        ok = writeAt(file, bytes.substr(pieceStart - expectedSize, pieceEnd - pieceStart), pieceStart);
        pieceEnd = pieceStart;
    }
    ok = ok && ::FlushFileBuffers(file);
    if (!ok) {
        error = ::GetLastError();
        // Whatever part was written goes again, so the file is as it was.
        LARGE_INTEGER old{};
        old.QuadPart = static_cast<LONGLONG>(expectedSize);
        if (::SetFilePointerEx(file, old, nullptr, FILE_BEGIN)) {
            ::SetEndOfFile(file);
        }
    }
    ::CloseHandle(file);
    return {ok ? FileAppender::Result::Appended : FileAppender::Result::Failed, error};
}

} // namespace

FileAppender::Result Win32FileAppender::appendIfUnchanged(const std::filesystem::path& target,
                                                          std::uint64_t expectedSize, std::string_view expectedTail,
                                                          std::string_view bytes) {
    const DWORD attributes = ::GetFileAttributesW(systemPath(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return Result::Changed;
    }
    // Another program may hold the log open for a moment (a virus scanner, an editor, a backup).
    Result result = Result::Changed;
    retryWhileFileBusy([&]() -> unsigned long {
        const Attempt attempt = appendOnce(target, expectedSize, expectedTail, bytes);
        result = attempt.result;
        return attempt.result == Result::Appended ? ERROR_SUCCESS : attempt.error;
    });
    return result;
}

std::unique_ptr<FileAppender> makeSystemFileAppender() {
    return std::make_unique<Win32FileAppender>();
}

} // namespace tarvik
