#pragma once

#include "platform/FileReplacer.h"

namespace tarvik {

// Writes a temporary file beside the target, flushes it to disk and moves it over the target
// with MoveFileExW, so the target holds either its old or its new content at every instant.
class Win32FileReplacer : public FileReplacer {
public:
    bool replaceFile(const std::filesystem::path& target, std::string_view bytes) override;

private:
    // Temporary files are named the prefix, the target's name (at most its first 32 characters),
    // ".", the process and a count, ".tmp".
    static void removeLeftovers(const std::filesystem::path& folder);
};

} // namespace tarvik
