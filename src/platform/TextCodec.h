#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// Converts between the files' code page 936 and the UTF-8 used everywhere inside the program.
class TextCodec {
public:
    virtual ~TextCodec() = default;
    // nullopt when the bytes are not valid code page 936.
    virtual std::optional<std::string> toUtf8(std::string_view cp936) const = 0;
    // Never fails, as Windows reads text in its code page (no check for invalid characters): a
    // lead byte with the byte after it that form no character, or a lead byte alone, become '?';
    // 0xFF becomes U+F8F5. For settings lines, which the Windows program always reads.
    virtual std::string toUtf8AsWindows(std::string_view cp936) const = 0;
    // nullopt when the text is not valid UTF-8 or holds a character code page 936 cannot represent.
    virtual std::optional<std::string> fromUtf8(std::string_view utf8) const = 0;
    // Never fails: undecodable bytes become U+FFFD. For showing text that must not be refused.
    virtual std::string toUtf8Lossy(std::string_view cp936) const = 0;
    // Never fails: characters code page 936 lacks become '?'. For log entries, which must not be lost.
    virtual std::string fromUtf8Lossy(std::string_view utf8) const = 0;
};

// The converter of this operating system (iconv on Linux, the code page API on Windows).
std::unique_ptr<TextCodec> makeSystemTextCodec();

} // namespace tarvik
