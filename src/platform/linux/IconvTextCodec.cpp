#include "platform/linux/IconvTextCodec.h"

#include "platform/linux/Cp936PrivateUse.h"
#include "platform/TextCodecSkip.h"

#include <cerrno>
#include <iconv.h>

namespace tarvik {

namespace {

// What becomes of a sequence that glibc's converter cannot take.
enum class Bad {
    Fail,     // the conversion fails
    Windows,  // as Windows' conversion without error checks: '?' for a lead byte and the byte after it
    Replaced, // U+FFFD or '?' for the sequence that TextCodecSkip measures
};

constexpr std::uint8_t kWindowsOnlyByte = 0xFF; // Windows reads it as U+F8F5 where no error is checked
constexpr char32_t kWindowsOnlyChar = 0xF8F5;

void appendUtf8(std::string& out, char32_t ch) {
    // Only three-byte characters come here: the private-use area and U+F8F5.
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
}

// The three-byte UTF-8 character at the front of `rest`, 0 when there is none.
char32_t threeByteChar(std::string_view rest) {
    if (rest.size() < 3) {
        return 0;
    }
    const auto b0 = static_cast<unsigned char>(rest[0]);
    const auto b1 = static_cast<unsigned char>(rest[1]);
    const auto b2 = static_cast<unsigned char>(rest[2]);
    if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) {
        return 0;
    }
    return static_cast<char32_t>((b0 & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F));
}

// Where glibc stops in code page 936: Windows' own characters, or the bad sequence handled as
// `bad` asks. Returns the bytes taken, 0 to fail.
std::size_t decodeStop(std::string_view rest, Bad bad, std::string& out) {
    const auto lead = static_cast<unsigned char>(rest[0]);
    const bool paired = lead >= 0x81 && lead <= 0xFE && rest.size() >= 2 && rest[1] != '\0';
    if (paired) {
        if (const char32_t ch = Cp936PrivateUse::decode(lead, static_cast<unsigned char>(rest[1]))) {
            appendUtf8(out, ch);
            return 2;
        }
    }
    switch (bad) {
    case Bad::Fail:
        return 0;
    case Bad::Windows:
        if (lead == kWindowsOnlyByte) {
            appendUtf8(out, kWindowsOnlyChar);
            return 1;
        }
        out += '?';
        return paired ? 2 : 1;
    case Bad::Replaced:
        out += "\xEF\xBF\xBD";
        return cp936SkipLength(rest);
    }
    return 0;
}

// Where glibc stops in UTF-8: a character only Windows' code page 936 has, or the bad sequence.
std::size_t encodeStop(std::string_view rest, Bad bad, std::string& out) {
    const char32_t ch = threeByteChar(rest);
    if (ch == kWindowsOnlyChar) {
        out += static_cast<char>(kWindowsOnlyByte);
        return 3;
    }
    if (const std::uint16_t code = ch != 0 ? Cp936PrivateUse::encode(ch) : 0) {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
        return 3;
    }
    if (bad == Bad::Fail) {
        return 0;
    }
    out += '?';
    return utf8SkipLength(rest);
}

// Converts `in` between code page 936 and UTF-8 with glibc's converter, taking up what only
// Windows' code page 936 has and the bad sequences where it stops.
std::optional<std::string> convert(bool fromCp936, std::string_view in, Bad bad) {
    iconv_t cd = fromCp936 ? iconv_open("UTF-8", "CP936") : iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        // EILSEQ (invalid or unrepresentable) or EINVAL (truncated sequence at the end)
        const std::string_view rest(src, srcLeft);
        const std::size_t taken = fromCp936 ? decodeStop(rest, bad, out) : encodeStop(rest, bad, out);
        if (taken == 0) {
            ok = false;
            break;
        }
        src += taken;
        srcLeft -= taken;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (ok) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
    }
    iconv_close(cd);
    if (!ok) {
        return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<std::string> IconvTextCodec::toUtf8(std::string_view cp936) const {
    return convert(true, cp936, Bad::Fail);
}

std::string IconvTextCodec::toUtf8AsWindows(std::string_view cp936) const {
    return convert(true, cp936, Bad::Windows).value_or(std::string());
}

std::optional<std::string> IconvTextCodec::fromUtf8(std::string_view utf8) const {
    return convert(false, utf8, Bad::Fail);
}

std::string IconvTextCodec::toUtf8Lossy(std::string_view cp936) const {
    return convert(true, cp936, Bad::Replaced).value_or(std::string());
}

std::string IconvTextCodec::fromUtf8Lossy(std::string_view utf8) const {
    return convert(false, utf8, Bad::Replaced).value_or(std::string());
}

std::unique_ptr<TextCodec> makeSystemTextCodec() {
    return std::make_unique<IconvTextCodec>();
}

} // namespace tarvik
