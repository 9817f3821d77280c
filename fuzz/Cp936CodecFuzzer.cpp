// The code page 936 converter, fed the same bytes once as file content and once as program text.
#include "FuzzCheck.h"
#include "platform/linux/IconvTextCodec.h"

#include <string>

using namespace tarvik;

namespace {

const IconvTextCodec codec;
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD

void checkDecoding(std::string_view cp936) {
    const auto strict = codec.toUtf8(cp936);
    const std::string lossy = codec.toUtf8Lossy(cp936);
    FUZZ_CHECK(fuzz::isValidUtf8(lossy));
    FUZZ_CHECK(lossy.empty() == cp936.empty());
    // Whatever a settings line holds, it reads as Windows reads it, and what is read can be written
    // back: unchanged where the line was valid.
    const std::string asWindows = codec.toUtf8AsWindows(cp936);
    FUZZ_CHECK(fuzz::isValidUtf8(asWindows));
    const auto writtenBack = codec.fromUtf8(asWindows);
    FUZZ_CHECK(writtenBack.has_value());
    if (!strict) {
        FUZZ_CHECK(lossy.find(kReplacement) != std::string::npos);
        return;
    }
    FUZZ_CHECK(fuzz::isValidUtf8(*strict));
    FUZZ_CHECK(lossy == *strict);
    FUZZ_CHECK(asWindows == *strict);
    // A settings line read and saved unchanged keeps its bytes.
    FUZZ_CHECK(*writtenBack == std::string(cp936));
}

// The characters of `utf8` that code page 936 has, the others as '?': what fromUtf8Lossy must keep.
std::string expectedLossyText(std::string_view utf8) {
    std::string expected;
    while (!utf8.empty()) {
        const std::string_view ch = utf8.substr(0, fuzz::utf8CharLength(utf8));
        expected += codec.fromUtf8(ch) ? std::string(ch) : "?";
        utf8.remove_prefix(ch.size());
    }
    return expected;
}

void checkEncoding(std::string_view utf8) {
    const auto strict = codec.fromUtf8(utf8);
    const std::string lossy = codec.fromUtf8Lossy(utf8);
    // Whatever the log is given, what is written reads back as Windows reads it, to the same bytes.
    FUZZ_CHECK(codec.fromUtf8(codec.toUtf8AsWindows(lossy)) == lossy);
    FUZZ_CHECK(lossy.empty() == utf8.empty());
    // Broken UTF-8 costs only the broken bytes: every ASCII byte of the text reaches the file.
    std::size_t found = 0;
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x80) {
            found = lossy.find(c, found);
            FUZZ_CHECK(found != std::string::npos);
            ++found;
        }
    }
    if (!strict) {
        return;
    }
    FUZZ_CHECK(fuzz::isValidUtf8(utf8));
    FUZZ_CHECK(lossy == *strict);
    FUZZ_CHECK(codec.toUtf8AsWindows(*strict) == std::string(utf8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    checkDecoding(bytes);
    checkEncoding(bytes);
    // A character at a time costs one converter each, so only a short prefix is compared this way.
    if (fuzz::isValidUtf8(bytes)) {
        std::string_view prefix = bytes;
        std::size_t length = 0;
        for (int i = 0; i < 32 && length < prefix.size(); ++i) {
            length += fuzz::utf8CharLength(prefix.substr(length));
        }
        prefix = prefix.substr(0, length);
        FUZZ_CHECK(codec.toUtf8AsWindows(codec.fromUtf8Lossy(prefix)) == expectedLossyText(prefix));
    }
    return 0;
}
