#pragma once

#include "platform/FileReplacer.h"

namespace tarvik {

class PosixFileReplacer : public FileReplacer {
public:
    bool replaceFile(const std::filesystem::path& target, std::string_view bytes) override;
};

} // namespace tarvik
