#include "support/Cp936Samples.h"

namespace tarvik::test {

const std::vector<Cp936Sample>& cp936Samples() {
    static const std::vector<Cp936Sample> samples = {
        // A lead byte and the byte after it that form no character are one '?', also when that
        // byte is a blank or a line's last comma; a lead byte alone at the end is one too.
        {"ab\xCB", "ab?", "ab?"},
        {"\x81\x20x", "?x", "?x"},
        {"\x81\x7F,", "?,", "?,"},
        {"\xCB\xFE\xCE", "塔?", "\xCB\xFE?"},
        {std::string("\xCB\0z", 3), std::string("?\0z", 3), std::string("?\0z", 3)},
        // The two single bytes beyond ASCII.
        {"a\x80z", "a€z", "a\x80z"},
        {"a\xFFz", "a\uF8F5z", "a\xFFz"},
        // The user-defined areas, first and last code of each, and an unassigned symbol code.
        {"\xAA\xA1\xAF\xFE", "\uE000\uE233", "\xAA\xA1\xAF\xFE"},
        {"\xF8\xA1\xFE\xFE", "\uE234\uE4C5", "\xF8\xA1\xFE\xFE"},
        {"\xA1\x40\xA1\x80\xA7\xA0", "\uE4C6\uE505\uE765", "\xA1\x40\xA1\x80\xA7\xA0"},
        {"\xA2\xE3\xFE\xA0", "\uE76C\uE864", "\xA2\xE3\xFE\xA0"},
        // A path saved by a UTF-8 editor: "C:\中文.wav".
        {"C:\\\xE4\xB8\xAD\xE6\x96\x87.wav", "C:\\涓\uE15F枃.wav", "C:\\\xE4\xB8\xAD\xE6\x96\x87.wav"},
    };
    return samples;
}

} // namespace tarvik::test
