#include "platform/win32/WideText.h"

#include <windows.h>

namespace tarvik {

static_assert(kUtf8CodePage == CP_UTF8);

std::wstring toWide(std::string_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), n);
    return out;
}

std::string fromWide(std::wstring_view utf16, unsigned codePage) {
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    const int n = ::WideCharToMultiByte(codePage, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace tarvik
