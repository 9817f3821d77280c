#include "memory/RamClass.h"

#include <array>

namespace tarvik {

RamClass ramClassOf(std::uint64_t totalPhys) {
    if (totalPhys < 67108864ULL) {
        return RamClass::Small;
    }
    if (totalPhys < 134217728ULL) {
        return RamClass::Middle;
    }
    return RamClass::Large;
}

std::size_t releaseBlockChars(RamClass ramClass, int releaseLevel) {
    // Level 5 breaks the even steps of the small and middle columns on purpose.
    static constexpr std::array<std::array<std::size_t, 3>, 5> kTable{{
        {4000000, 8000000, 20000000},
        {8000000, 16000000, 40000000},
        {12000000, 24000000, 60000000},
        {16000000, 32000000, 80000000},
        {24000000, 48000000, 100000000},
    }};
    if (releaseLevel < 1 || releaseLevel > 5) {
        return 0;
    }
    return kTable[static_cast<std::size_t>(releaseLevel - 1)][static_cast<std::size_t>(ramClass)];
}

} // namespace tarvik
