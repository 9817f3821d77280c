#pragma once

#include "platform/FileAppender.h"

namespace tarvik {

// pwrite block by block and fdatasync; a file or folder marked read-only is left alone, as the
// atomic replace leaves it.
class PosixFileAppender : public FileAppender {
public:
    Result appendIfUnchanged(const std::filesystem::path& target, std::uint64_t expectedSize,
                             std::string_view expectedTail, std::string_view bytes) override;
};

} // namespace tarvik
