#pragma once

#include <string>
#include <vector>

namespace tarvik::test {

// Code page 936 bytes as Windows reads them (MultiByteToWideChar without an error check, measured
// under Wine, whose tables are Windows' own), and the bytes Windows writes for that text again.
// Both converters are held to the same table.
struct Cp936Sample {
    std::string bytes;
    std::string utf8;
    std::string writtenBack;
};

const std::vector<Cp936Sample>& cp936Samples();

} // namespace tarvik::test
