#include "platform/linux/Cp936PrivateUse.h"

namespace tarvik {

namespace {

// A run of codes with consecutive trail bytes under one lead byte, and the character of the first.
struct Run {
    std::uint16_t first;
    std::uint16_t last;
    char32_t ch;
};

// The user-defined areas in the order Windows numbers them from U+E000: AAA1-AFFE and F8A1-FEFE
// (94 trail bytes A1-FE a lead byte), then A140-A7A0 (96 trail bytes 40-7E and 80-A0).
constexpr Run kUserAreas[] = {{0xAAA1, 0xAFFE, 0xE000}, {0xF8A1, 0xFEFE, 0xE234}, {0xA140, 0xA7A0, 0xE4C6}};

// The unassigned symbol codes that follow them, U+E766 to U+E864.
constexpr Run kSymbolGaps[] = {
    {0xA2AB, 0xA2B0, 0xE766}, {0xA2E3, 0xA2E4, 0xE76C}, {0xA2EF, 0xA2F0, 0xE76E}, {0xA2FD, 0xA2FE, 0xE770},
    {0xA4F4, 0xA4FE, 0xE772}, {0xA5F7, 0xA5FE, 0xE77D}, {0xA6B9, 0xA6C0, 0xE785}, {0xA6D9, 0xA6DF, 0xE78D},
    {0xA6EC, 0xA6ED, 0xE794}, {0xA6F3, 0xA6F3, 0xE796}, {0xA6F6, 0xA6FE, 0xE797}, {0xA7C2, 0xA7D0, 0xE7A0},
    {0xA7F2, 0xA7FE, 0xE7AF}, {0xA896, 0xA8A0, 0xE7BC}, {0xA8BC, 0xA8BC, 0xE7C7}, {0xA8BF, 0xA8BF, 0xE7C8},
    {0xA8C1, 0xA8C4, 0xE7C9}, {0xA8EA, 0xA8FE, 0xE7CD}, {0xA958, 0xA958, 0xE7E2}, {0xA95B, 0xA95B, 0xE7E3},
    {0xA95D, 0xA95F, 0xE7E4}, {0xA989, 0xA995, 0xE7E7}, {0xA997, 0xA9A3, 0xE7F4}, {0xA9F0, 0xA9FE, 0xE801},
    {0xD7FA, 0xD7FE, 0xE810}, {0xFE50, 0xFE7E, 0xE815}, {0xFE80, 0xFEA0, 0xE844},
};

// The place of a trail byte among those an area uses, or -1.
int trailIndex(std::uint8_t trail, bool lowTrails) {
    if (!lowTrails) {
        return trail >= 0xA1 && trail <= 0xFE ? trail - 0xA1 : -1;
    }
    if (trail >= 0x40 && trail <= 0x7E) {
        return trail - 0x40;
    }
    return trail >= 0x80 && trail <= 0xA0 ? trail - 0x80 + 63 : -1;
}

} // namespace

char32_t Cp936PrivateUse::decode(std::uint8_t lead, std::uint8_t trail) {
    for (const Run& area : kUserAreas) {
        const bool low = area.first == 0xA140;
        const int leadIndex = lead - (area.first >> 8);
        const int index = trailIndex(trail, low);
        if (leadIndex >= 0 && lead <= (area.last >> 8) && index >= 0) {
            return area.ch + static_cast<char32_t>(leadIndex * (low ? 96 : 94) + index);
        }
    }
    const std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
    for (const Run& gap : kSymbolGaps) {
        if (code >= gap.first && code <= gap.last) {
            return gap.ch + (code - gap.first);
        }
    }
    return 0;
}

std::uint16_t Cp936PrivateUse::encode(char32_t ch) {
    for (const Run& area : kUserAreas) {
        const bool low = area.first == 0xA140;
        const char32_t perLead = low ? 96 : 94;
        const char32_t count = ((area.last >> 8) - (area.first >> 8) + 1) * perLead;
        if (ch >= area.ch && ch < area.ch + count) {
            const char32_t index = ch - area.ch;
            const auto lead = static_cast<std::uint16_t>((area.first >> 8) + index / perLead);
            const char32_t t = index % perLead;
            const auto trail = static_cast<std::uint16_t>(!low ? 0xA1 + t : t < 63 ? 0x40 + t : 0x80 + t - 63);
            return static_cast<std::uint16_t>(lead << 8 | trail);
        }
    }
    for (const Run& gap : kSymbolGaps) {
        if (ch >= gap.ch && ch <= gap.ch + (gap.last - gap.first)) {
            return static_cast<std::uint16_t>(gap.first + (ch - gap.ch));
        }
    }
    return 0;
}

} // namespace tarvik
