#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvik {

enum class RamClass { Small, Middle, Large };

RamClass ramClassOf(std::uint64_t totalPhys);

// The release block for a class and level, in 2-byte characters; 0 for a level outside 1..5.
std::size_t releaseBlockChars(RamClass ramClass, int releaseLevel);

} // namespace tarvik
