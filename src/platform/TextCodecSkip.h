#pragma once

#include <cstddef>
#include <string_view>

namespace tarvik {

// How far a lossy conversion skips when it cannot take the character at the front of `text`
// (never empty). Both converters follow these rules, so a damaged text reads the same everywhere.

// UTF-8: the lead byte and the continuation bytes that follow it, up to the length the lead
// byte announces; a broken sequence never swallows the next character.
inline std::size_t utf8SkipLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t skip = 1;
    while (skip < length && skip < text.size() && (static_cast<unsigned char>(text[skip]) & 0xC0) == 0x80) {
        ++skip;
    }
    return skip;
}

// Code page 936: a lead byte with a byte that can trail it is one unmapped character, whose
// trail byte must not start the next; any other byte costs only itself.
inline std::size_t cp936SkipLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead >= 0x81 && lead <= 0xFE && text.size() >= 2) {
        const auto trail = static_cast<unsigned char>(text[1]);
        if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFE)) {
            return 2;
        }
    }
    return 1;
}

} // namespace tarvik
