#pragma once

#include <cstdint>

namespace tarvik {

// The double-byte codes that Windows' code page 936 maps to private-use characters and glibc's
// CP936 does not map at all: the three user-defined areas and the codes GBK leaves unassigned
// among the symbols. A file that the Windows program reads holds them, so the Linux program
// reads and writes them back the same way.
class Cp936PrivateUse {
public:
    // The character of the code lead/trail, 0 when Windows gives it none of these.
    static char32_t decode(std::uint8_t lead, std::uint8_t trail);
    // The code of a private-use character as lead * 256 + trail, 0 when Windows has none for it.
    static std::uint16_t encode(char32_t ch);
};

} // namespace tarvik
