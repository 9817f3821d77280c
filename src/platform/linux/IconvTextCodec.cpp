#include "platform/linux/IconvTextCodec.h"

#include "platform/TextCodecSkip.h"

#include <cerrno>
#include <iconv.h>

namespace tarvik {

namespace {

// Converts `in` from one encoding to another. Undecodable input either fails the conversion or,
// when `replacement` is given, is replaced by it one byte (or one character) at a time.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   const std::string* replacement) {
    iconv_t cd = iconv_open(to, from);
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
        if (r != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ (invalid or unrepresentable) or EINVAL (truncated sequence at the end)
        if (replacement == nullptr) {
            ok = false;
            break;
        }
        out += *replacement;
        const std::string_view rest(src, srcLeft);
        const std::size_t skip = std::string_view(from) == "UTF-8" ? utf8SkipLength(rest) : cp936SkipLength(rest);
        src += skip;
        srcLeft -= skip;
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
    return convert("UTF-8", "CP936", cp936, nullptr);
}

std::optional<std::string> IconvTextCodec::fromUtf8(std::string_view utf8) const {
    return convert("CP936", "UTF-8", utf8, nullptr);
}

std::string IconvTextCodec::toUtf8Lossy(std::string_view cp936) const {
    static const std::string replacement = "\xEF\xBF\xBD";
    return convert("UTF-8", "CP936", cp936, &replacement).value_or(std::string());
}

std::string IconvTextCodec::fromUtf8Lossy(std::string_view utf8) const {
    static const std::string replacement = "?";
    return convert("CP936", "UTF-8", utf8, &replacement).value_or(std::string());
}

std::unique_ptr<TextCodec> makeSystemTextCodec() {
    return std::make_unique<IconvTextCodec>();
}

} // namespace tarvik
