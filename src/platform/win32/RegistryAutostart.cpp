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

RegistryAutostart::RegistryAutostart(HKEY machineRoot, HKEY userRoot, std::wstring runKey, std::wstring runKeyForDelete)
    : m_machineRoot(machineRoot), m_userRoot(userRoot), m_runKey(std::move(runKey)),
      m_runKeyForDelete(std::move(runKeyForDelete)) {}

void RegistryAutostart::setRunValue(const std::string& valueName, const std::string& command) {
    if (setIn(m_machineRoot, false, valueName, command)) {
        // A value an earlier, unelevated save left for this user would start the program twice.
        deleteIn(m_userRoot, valueName);
        return;
    }
    // The user's Run key exists on every Windows; it is made when a fresh profile lacks it.
    setIn(m_userRoot, true, valueName, command);
}

void RegistryAutostart::deleteRunValue(const std::string& valueName) {
    deleteIn(m_machineRoot, valueName);
    deleteIn(m_userRoot, valueName);
}

std::optional<std::string> RegistryAutostart::runValue(const std::string& valueName) const {
    if (auto machine = readFrom(m_machineRoot, valueName)) {
        return machine;
    }
    return readFrom(m_userRoot, valueName);
}

bool RegistryAutostart::setIn(HKEY root, bool create, const std::string& valueName, const std::string& command) const {
    HKEY key = nullptr;
    const LSTATUS opened =
        create ? ::RegCreateKeyExW(root, m_runKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
               : ::RegOpenKeyExW(root, m_runKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const std::string name = toAnsi(valueName);
    const std::string data = toAnsi(command);
    // The size counts the terminating zero.
    const LSTATUS set = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                         static_cast<DWORD>(data.size() + 1));
    ::RegCloseKey(key);
    return set == ERROR_SUCCESS;
}

void RegistryAutostart::deleteIn(HKEY root, const std::string& valueName) const {
    wchar_t noClass[] = L"";
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(root, m_runKeyForDelete.c_str(), 0, noClass, 0, KEY_SET_VALUE, nullptr, &key, &disposition) !=
        ERROR_SUCCESS) {
        return;
    }
    // An absent value is simply not deleted.
    ::RegDeleteValueA(key, toAnsi(valueName).c_str());
    ::RegCloseKey(key);
}

std::optional<std::string> RegistryAutostart::readFrom(HKEY root, const std::string& valueName) const {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, m_runKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
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
