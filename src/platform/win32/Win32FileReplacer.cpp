#include "platform/win32/Win32FileReplacer.h"

#include "platform/win32/BusyFileRetry.h"
#include "platform/win32/WideText.h"

#include <atomic>
#include <string>
#include <windows.h>

namespace tarvik {

namespace {

constexpr std::size_t kTemporaryNameChars = 32;

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// A new, uniquely named file in the target's folder; INVALID_HANDLE_VALUE when none can be made.
HANDLE createTemporary(const std::filesystem::path& target, std::filesystem::path& made) {
    static std::atomic<unsigned> counter{0};
    // The name stays short whatever the target's, so that a name near the system's limit of 255
    // characters still gets its temporary file.
    std::wstring name = target.filename().wstring();
    if (name.size() > kTemporaryNameChars) {
        name.resize(kTemporaryNameChars);
        if (IS_HIGH_SURROGATE(name.back())) {
            name.pop_back();
        }
    }
    const std::wstring base = std::filesystem::path(FileReplacer::kTemporaryPrefix).wstring() + name + L"." +
                              std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        made = target.parent_path() / (base + std::to_wstring(counter++) + L".tmp");
        const HANDLE file = ::CreateFileW(systemPath(made).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool moveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    // Windows refuses to replace a file that another program holds open at that moment.
    return retryWhileFileBusy([&]() -> unsigned long {
               return ::MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                          ? ERROR_SUCCESS
                          : ::GetLastError();
           }) == ERROR_SUCCESS;
}

} // namespace

bool Win32FileReplacer::replaceFile(const std::filesystem::path& target, std::string_view bytes) {
    // A file marked read-only stays as it is, and a folder is never a settings file.
    const DWORD attributes = ::GetFileAttributesW(systemPath(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }
    std::filesystem::path temporary;
    const HANDLE file = createTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = writeAll(file, bytes) && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
    if (ok) {
        ok = moveOver(temporary, target);
    }
    if (!ok) {
        ::DeleteFileW(systemPath(temporary).c_str());
        return false;
    }
    removeLeftovers(target.parent_path());
    return true;
}

void Win32FileReplacer::removeLeftovers(const std::filesystem::path& folder) {
    // Only names this writer makes are touched: the prefix, and ".tmp" at the end.
    const std::wstring prefix = std::filesystem::path(kTemporaryPrefix).wstring();
    const std::wstring suffix = L".tmp";
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileExW(systemPath(folder / (prefix + L"*")).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring entry = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && entry.size() > prefix.size() + suffix.size() &&
            entry.compare(0, prefix.size(), prefix) == 0 &&
            entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0) {
            // One still open elsewhere stays until a later replace.
            ::DeleteFileW(systemPath(folder / entry).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::unique_ptr<FileReplacer> makeSystemFileReplacer() {
    return std::make_unique<Win32FileReplacer>();
}

} // namespace tarvik
