#include "settings/Paths.h"

#include "settings/SettingsConversions.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>
#include <optional>
#include <system_error>

namespace tarvik {

namespace fs = std::filesystem;

fs::path locateIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    std::optional<fs::path> caseless;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string entryName = pathToUtf8(it->path().filename());
        if (entryName == name) {
            return it->path();
        }
        // Of several spellings the first in byte order, so that the choice never depends on the
        // order in which the system lists the folder (which a rewrite may change).
        if (SettingsConversions::equalsIgnoringCase(entryName, name) &&
            (!caseless || it->path().filename() < caseless->filename())) {
            caseless = it->path();
        }
    }
    return caseless ? *caseless : folder / pathFromUtf8(name);
}

std::optional<std::string> readFileStart(const fs::path& path, std::size_t maxBytes) {
    if (!isRegularFile(path)) {
        return std::nullopt;
    }
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::string bytes;
        // Sized once, so a large log is read without growing the buffer again and again; a sparse
        // or lying size costs no more than the bound.
        std::error_code ec;
        const auto size = fs::file_size(path, ec);
        if (!ec) {
            bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, maxBytes)));
        }
        char buffer[64 * 1024];
        while (bytes.size() < maxBytes) {
            const std::size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
            in.read(buffer, static_cast<std::streamsize>(want));
            bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (in.gcount() < static_cast<std::streamsize>(want)) {
                break;
            }
        }
        if (in.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<FileEnd> readFileEnd(const fs::path& path, std::size_t maxBytes) {
    if (!isRegularFile(path)) {
        return std::nullopt;
    }
    try {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        const std::streamoff end = in ? static_cast<std::streamoff>(in.tellg()) : -1;
        if (end < 0) {
            return std::nullopt;
        }
        const auto size = static_cast<std::uint64_t>(end);
        FileEnd part;
        if (size > maxBytes) {
            // The part starts at the earliest `maxBytes` before the end, and only where a line does.
            std::uint64_t at = size - maxBytes - 1;
            part.offset = size;
            part.atLineStart = false;
            in.seekg(static_cast<std::streamoff>(at));
            char buffer[64 * 1024];
            while (at < size && in) {
                in.read(buffer, static_cast<std::streamsize>(std::min<std::uint64_t>(sizeof buffer, size - at)));
                const auto got = static_cast<std::size_t>(in.gcount());
                if (const void* lf = std::memchr(buffer, '\n', got)) {
                    part.offset = at + static_cast<std::uint64_t>(static_cast<const char*>(lf) - buffer) + 1;
                    part.atLineStart = true;
                    break;
                }
                at += got;
                if (got == 0) {
                    break;
                }
            }
            if (in.bad()) {
                return std::nullopt;
            }
            in.clear();
        }
        part.bytes.resize(static_cast<std::size_t>(size - part.offset));
        in.seekg(static_cast<std::streamoff>(part.offset));
        in.read(part.bytes.data(), static_cast<std::streamsize>(part.bytes.size()));
        if (in.bad()) {
            return std::nullopt;
        }
        part.bytes.resize(static_cast<std::size_t>(in.gcount()));
        return part;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool createPrivateFolders(const fs::path& folder, std::error_code& ec) {
    ec.clear();
    if (folder.empty()) {
        ec = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    if (fs::is_directory(folder, ec)) {
        return true;
    }
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !createPrivateFolders(parent, ec)) {
        return false;
    }
    if (fs::create_directory(folder, ec)) {
        // The umask may leave it open to others for the moment; nothing is in it yet. A folder
        // whose permissions cannot be set still serves.
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ignored);
    }
    return !ec && fs::is_directory(folder, ec);
}

} // namespace tarvik
