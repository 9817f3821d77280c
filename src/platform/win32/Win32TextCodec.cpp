#include "platform/win32/Win32TextCodec.h"

#include "platform/TextCodecSkip.h"

#include <windows.h>

namespace tarvik {

namespace {

constexpr UINT kCp936 = 936;

// Strict decoding to UTF-16: nullopt for bytes that are not valid in the code page.
std::optional<std::wstring> decode(UINT codePage, std::string_view in) {
    if (in.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(in.size());
    const int n = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0) {
        return std::nullopt;
    }
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, out.data(), n);
    return out;
}

// Strict encoding from UTF-16: nullopt for characters the code page lacks. No best-fit
// mapping either, which would silently turn a character into a look-alike.
std::optional<std::string> encode(UINT codePage, std::wstring_view in) {
    if (in.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(in.size());
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int n = ::WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (n <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, flags, in.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> convert(UINT from, UINT to, std::string_view in) {
    const std::optional<std::wstring> wide = decode(from, in);
    return wide ? encode(to, *wide) : std::nullopt;
}

} // namespace

std::optional<std::string> Win32TextCodec::toUtf8(std::string_view cp936) const {
    return convert(kCp936, CP_UTF8, cp936);
}

std::string Win32TextCodec::toUtf8AsWindows(std::string_view cp936) const {
    if (cp936.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(cp936.size());
    const int n = ::MultiByteToWideChar(kCp936, 0, cp936.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    ::MultiByteToWideChar(kCp936, 0, cp936.data(), size, wide.data(), n);
    return encode(CP_UTF8, wide).value_or(std::string());
}

std::optional<std::string> Win32TextCodec::fromUtf8(std::string_view utf8) const {
    return convert(CP_UTF8, kCp936, utf8);
}

std::string Win32TextCodec::toUtf8Lossy(std::string_view cp936) const {
    if (auto whole = toUtf8(cp936)) {
        return *std::move(whole);
    }
    // Character by character: what cannot be decoded becomes U+FFFD and decoding goes on after it.
    std::string out;
    std::size_t i = 0;
    while (i < cp936.size()) {
        const auto lead = static_cast<unsigned char>(cp936[i]);
        if (lead < 0x80) {
            out += cp936[i++];
            continue;
        }
        const std::size_t length = ::IsDBCSLeadByteEx(kCp936, lead) && i + 1 < cp936.size() ? 2 : 1;
        if (auto ch = toUtf8(cp936.substr(i, length))) {
            out += *ch;
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            i += cp936SkipLength(cp936.substr(i));
        }
    }
    return out;
}

std::string Win32TextCodec::fromUtf8Lossy(std::string_view utf8) const {
    if (auto whole = fromUtf8(utf8)) {
        return *std::move(whole);
    }
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        const std::size_t length = utf8SkipLength(utf8.substr(i));
        const auto ch = fromUtf8(utf8.substr(i, length));
        out += ch ? *ch : "?";
        i += length;
    }
    return out;
}

std::unique_ptr<TextCodec> makeSystemTextCodec() {
    return std::make_unique<Win32TextCodec>();
}

} // namespace tarvik
