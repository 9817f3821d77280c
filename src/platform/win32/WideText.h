#pragma once

#include <string>
#include <string_view>

namespace tarvik {

// UTF-8, the program's inner text, to and from the UTF-16 of the wide Win32 calls.
// Malformed input is replaced, never refused: these carry names and paths, not file contents.
std::wstring toWide(std::string_view utf8);
std::string fromWide(std::wstring_view utf16);

} // namespace tarvik
