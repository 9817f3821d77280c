#pragma once

#include "platform/FileReplacer.h"

#include <string>

namespace tarvik {

class PosixFileReplacer : public FileReplacer {
public:
    bool replaceFile(const std::filesystem::path& target, std::string_view bytes) override;

    // Temporary files are named the prefix, the target's name, "." and six random characters.

private:
    static void removeLeftovers(const std::filesystem::path& folder);
};

} // namespace tarvik
