#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

namespace tarvik {

// Rewrites a file so that a crash at any instant leaves either the old or the new content:
// a temporary file in the same folder is written, flushed to disk and renamed over the target.
class FileReplacer {
public:
    virtual ~FileReplacer() = default;
    virtual bool replaceFile(const std::filesystem::path& target, std::string_view bytes) = 0;

    // Temporary files start with this, then the target's name; a process killed before its
    // rename leaves one behind, and the next successful replace in that folder removes it.
    static constexpr const char* kTemporaryPrefix = ".tarvik-";
};

std::unique_ptr<FileReplacer> makeSystemFileReplacer();

} // namespace tarvik
