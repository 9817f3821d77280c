#pragma once

#include "platform/FileAppender.h"

namespace tarvik {

// WriteFile at explicit offsets, block by block, and FlushFileBuffers; a file marked read-only is
// left alone, as the atomic replace leaves it.
class Win32FileAppender : public FileAppender {
public:
    Result appendIfUnchanged(const std::filesystem::path& target, std::uint64_t expectedSize,
                             std::string_view expectedTail, std::string_view bytes) override;
};

} // namespace tarvik
