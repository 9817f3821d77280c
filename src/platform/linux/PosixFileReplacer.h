#pragma once

#include "platform/FileReplacer.h"

#include <string>

namespace tarvik {

class PosixFileReplacer : public FileReplacer {
public:
    bool replaceFile(const std::filesystem::path& target, std::string_view bytes) override;

private:
    static void removeLeftovers(const std::filesystem::path& folder, const std::string& name);
};

} // namespace tarvik
