#pragma once

#include <filesystem>

namespace tarvik {

// An XDG base folder: the absolute path in `variable` (XDG_CONFIG_HOME, XDG_DATA_HOME), else
// `underHome` below the user's home folder; empty when no home folder is known.
std::filesystem::path xdgBaseFolder(const char* variable, const char* underHome);

} // namespace tarvik
