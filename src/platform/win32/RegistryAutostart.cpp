#include "platform/win32/RegistryAutostart.h"

#include "platform/win32/WideText.h"

#include <vector>

namespace tarvik {

namespace {

// The shell runs the value as a command line: a path with a blank, unquoted, would first be
// tried cut at that blank ("C:\Program.exe" for "C:\Program Files\...").
std::wstring commandLineFor(const std::wstring& path) {
    if (path.find_first_of(L" \t") == std::wstring::npos) {
        return path;
    }
    return L"\"" + path + L"\"";
}

} // namespace

RegistryAutostart::RegistryAutostart(HKEY machineRoot, HKEY userRoot, std::wstring runKey, std::wstring runKeyForDelete)
    : m_machineRoot(machineRoot), m_userRoot(userRoot), m_runKey(std::move(runKey)),
      m_runKeyForDelete(std::move(runKeyForDelete)) {}

bool RegistryAutostart::setRunValue(const std::string& valueName, const std::string& command) {
    if (setIn(m_machineRoot, false, valueName, command)) {
        // A value an earlier, unelevated save left for this user would start the program twice.
        deleteIn(m_userRoot, valueName);
        return true;
    }
    // The user's Run key exists on every Windows; it is made when a fresh profile lacks it.
    return setIn(m_userRoot, true, valueName, command);
}

bool RegistryAutostart::deleteRunValue(const std::string& valueName) {
    deleteIn(m_machineRoot, valueName);
    deleteIn(m_userRoot, valueName);
    // An unelevated program cannot remove the machine's value, which then still starts it.
    return !readFrom(m_machineRoot, valueName) && !readFrom(m_userRoot, valueName);
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
    const std::wstring data = commandLineFor(toWide(command));
    // The size is in bytes and counts the terminating zero.
    const LSTATUS set =
        ::RegSetValueExW(key, toWide(valueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
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
    // By its name alone: a value of this program is removed quoted or not; an absent one is simply not deleted.
    ::RegDeleteValueW(key, toWide(valueName).c_str());
    ::RegCloseKey(key);
}

std::optional<std::string> RegistryAutostart::readFrom(HKEY root, const std::string& valueName) const {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, m_runKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = toWide(valueName);
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> result;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            // A value written by hand need not count its terminating zero: the buffer holds one more.
            std::wstring text(data.data());
            // The command as it was registered: the quotes belong to the command line only.
            if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
                text = text.substr(1, text.size() - 2);
            }
            result = fromWide(text);
        }
    }
    ::RegCloseKey(key);
    return result;
}

} // namespace tarvik
