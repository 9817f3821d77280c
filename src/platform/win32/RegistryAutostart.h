#pragma once

#include "platform/Autostart.h"

#include <string>
#include <windows.h>

namespace tarvik {

// The log-on entry as a value of the Run key, written and removed through the ANSI registry
// calls: REG_SZ, the command in the system's ANSI code page (936 on the systems the program
// serves), unquoted. Results are not reported.
class RegistryAutostart : public Autostart {
public:
    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    // The key as the delete names it: the same key, in capitals and with a closing backslash.
    static constexpr const wchar_t* kRunKeyForDelete = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";

    // The program uses the machine's Run key; other roots and keys serve tests.
    explicit RegistryAutostart(HKEY root = HKEY_LOCAL_MACHINE, std::wstring runKey = kRunKey,
                               std::wstring runKeyForDelete = kRunKeyForDelete);

    void setRunValue(const std::string& valueName, const std::string& command) override;
    void deleteRunValue(const std::string& valueName) override;
    std::optional<std::string> runValue(const std::string& valueName) const override;

private:
    HKEY m_root;
    std::wstring m_runKey;
    std::wstring m_runKeyForDelete;
};

} // namespace tarvik
