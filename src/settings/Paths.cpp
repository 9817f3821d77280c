#include "settings/Paths.h"

#include "settings/SettingsFormat.h"

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
