#include "platform/win32/RegistryAutostart.h"

#include "platform/win32/WideText.h"

#include <algorithm>
#include <vector>

namespace tarvik {

namespace {

// The ANSI form of a text, as the A calls take it.
std::string toAnsi(const std::string& utf8) {
    return fromWide(toWide(utf8), CP_ACP);
}
std::string fromAnsi(std::string_view ansi) {
    return fromWide(toWide(ansi, CP_ACP));
}

} // namespace

RegistryAutostart::RegistryAutostart(HKEY root, std::wstring runKey, std::wstring runKeyForDelete)
    : m_root(root), m_runKey(std::move(runKey)), m_runKeyForDelete(std::move(runKeyForDelete)) {}

void RegistryAutostart::setRunValue(const std::string& valueName, const std::string& command) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(m_root, m_runKey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    const std::string name = toAnsi(valueName);
    const std::string data = toAnsi(command);
    // The size counts the terminating zero.
    ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
}

void RegistryAutostart::deleteRunValue(const std::string& valueName) {
    wchar_t noClass[] = L"";
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(m_root, m_runKeyForDelete.c_str(), 0, noClass, 0, KEY_SET_VALUE, nullptr, &key,
                          &disposition) != ERROR_SUCCESS) {
        return;
    }
    // An absent value is simply not deleted.
    ::RegDeleteValueA(key, toAnsi(valueName).c_str());
    ::RegCloseKey(key);
}

std::optional<std::string> RegistryAutostart::runValue(const std::string& valueName) const {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(m_root, m_runKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::string name = toAnsi(valueName);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> result;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<char> data(size);
        if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            // A value written by hand need not count its terminating zero; the text ends at the first one.
            std::string_view text(data.data(), std::min<std::size_t>(size, data.size()));
            result = fromAnsi(text.substr(0, text.find('\0')));
        }
    }
    ::RegCloseKey(key);
    return result;
}

} // namespace tarvik
