#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

namespace tarvik {

// Adds bytes to the end of a file that only grows, the event log, instead of rewriting it.
//
// A process killed part way through an append leaves the file in one of three states: as it
// was; complete; or as it was, then NUL bytes up to a multiple of kBlock, then the rest of the
// appended bytes. The bytes are written in pieces that each lie within one kBlock-aligned block of
// the file, the last piece first; the system finishes such a write before it lets the process go.
// Readers take the third state as the file as it was.
class FileAppender {
public:
    static constexpr std::uint64_t kBlock = 4096;

    enum class Result {
        Appended, // the bytes follow the old content and are flushed to disk
        Changed,  // the file is missing, unreadable, read-only or not as expected: nothing written
        Failed,   // writing or flushing failed; the file was cut back to its old length
    };

    virtual ~FileAppender() = default;
    // Appends `bytes` when `target` is `expectedSize` bytes long and ends with `expectedTail`.
    virtual Result appendIfUnchanged(const std::filesystem::path& target, std::uint64_t expectedSize,
                                     std::string_view expectedTail, std::string_view bytes) = 0;
};

std::unique_ptr<FileAppender> makeSystemFileAppender();

} // namespace tarvik
