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

} // namespace tarvik
