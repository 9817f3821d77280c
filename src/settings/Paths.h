#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvik {

// Paths travel as UTF-8 text inside the program; these convert at the std::filesystem boundary.
inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string u = path.u8string();
    return std::string(u.begin(), u.end());
}

// A regular file is there (false for anything that cannot be asked about).
inline bool isRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Creates `folder` and the parents it lacks. A folder made here is for this user alone (owner-only,
// as XDG base folders are made); folders that were there keep their permissions. false with the
// reason in `ec` when `folder` is not a folder afterwards.
bool createPrivateFolders(const std::filesystem::path& folder, std::error_code& ec);

// The existing entry of `folder` whose name matches `name` without regard to case: an exact match,
// else the first such name in byte order; folder/name when none does. File names match this way
// on every system.
std::filesystem::path locateIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// The newest part of a regular file: at most its last `maxBytes` bytes, from the first line start
// among them (the byte after a LF); `offset` is where the part starts in the file. nullopt when it
// cannot be read, or the memory for it cannot be had. Only the part is ever held.
struct FileEnd {
    std::uint64_t offset = 0;
    std::string bytes;
    bool atLineStart = true; // false when no line starts among those bytes (the part is empty)
};
std::optional<FileEnd> readFileEnd(const std::filesystem::path& path, std::size_t maxBytes);

// The first `maxBytes` bytes of a regular file (all of a shorter one); nullopt when it cannot be
// opened or read, or the memory for them cannot be had. Never sized by what the file claims.
std::optional<std::string> readFileStart(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace tarvik
