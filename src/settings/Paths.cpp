#include "settings/Paths.h"

#include "settings/SettingsFormat.h"

#include <algorithm>
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
        if (!caseless && SettingsFormat::equalsIgnoringCase(entryName, name)) {
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
