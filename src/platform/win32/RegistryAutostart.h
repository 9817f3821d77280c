#pragma once

#include "platform/Autostart.h"

#include <string>
#include <windows.h>

namespace tarvik {

// The log-on entry as a value of the Run key: REG_SZ through the wide registry calls, so that
// any folder is stored exactly, and quoted when the path holds a blank, as the shell runs the
// value as a command line.
//
// The machine's Run key serves every user, but only an elevated program may write it; a
// program started by a standard user, or by an administrator under UAC, is refused there and
// writes the same value into the user's own Run key instead. Removal clears both.
class RegistryAutostart : public Autostart {
public:
    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    // The key as the delete names it: the same key, in capitals and with a closing backslash.
    static constexpr const wchar_t* kRunKeyForDelete = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

    // The program uses the machine's and the user's Run keys; other roots and keys serve tests.
    explicit RegistryAutostart(HKEY machineRoot = HKEY_LOCAL_MACHINE, HKEY userRoot = HKEY_CURRENT_USER,
                               std::wstring runKey = kRunKey, std::wstring runKeyForDelete = kRunKeyForDelete);

    bool setRunValue(const std::string& valueName, const std::string& command) override;
    bool deleteRunValue(const std::string& valueName) override;
    std::optional<std::string> runValue(const std::string& valueName) const override;

private:
    // false when the key cannot be opened for writing or the value not set.
    bool setIn(HKEY root, bool create, const std::string& valueName, const std::string& command) const;
    void deleteIn(HKEY root, const std::string& valueName) const;
    std::optional<std::string> readFrom(HKEY root, const std::string& valueName) const;

    HKEY m_machineRoot;
    HKEY m_userRoot;
    std::wstring m_runKey;
    std::wstring m_runKeyForDelete;
};

} // namespace tarvik
