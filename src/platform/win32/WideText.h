#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvik {

// UTF-8, the program's inner text, to and from the UTF-16 of the wide Win32 calls; another code
// page (CP_ACP for the ANSI calls) when one is named. Malformed input is replaced, never refused:
// these carry names and paths, not file contents; characters the code page lacks become '?'.
inline constexpr unsigned kUtf8CodePage = 65001; // CP_UTF8
std::wstring toWide(std::string_view text, unsigned codePage = kUtf8CodePage);
std::string fromWide(std::wstring_view utf16, unsigned codePage = kUtf8CodePage);

// `path` as the wide file calls take it. Beyond what a plain path may hold (MAX_PATH, less for a
// folder) it is made full, with backslashes, and given the "\\?\" prefix ("\\?\UNC\" on a share),
// which lifts the limit on every Windows; shorter paths pass as they are.
std::wstring systemPath(const std::filesystem::path& path);

} // namespace tarvik
