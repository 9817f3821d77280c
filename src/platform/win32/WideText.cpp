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

std::wstring systemPath(const std::filesystem::path& path) {
    const std::wstring& given = path.native();
    // CreateDirectoryW takes 12 characters fewer than MAX_PATH, leaving room for an 8.3 name.
    constexpr std::size_t kPlainLimit = MAX_PATH - 12;
    if (given.empty() || given.starts_with(L"\\\\?\\") || given.starts_with(L"\\\\.\\")) {
        return given;
    }
    // The prefix turns off the system's own clean-up of the path, so it is done here first.
    std::wstring full(given.size() + MAX_PATH, L'\0');
    DWORD n = ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n);
        n = ::GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (n == 0 || n >= full.size()) {
        return given;
    }
    full.resize(n);
    if (full.size() < kPlainLimit) {
        return given;
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

} // namespace tarvik
