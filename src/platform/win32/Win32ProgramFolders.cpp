// The places of the program's files on Windows: beside Tarvik.exe (an unzipped folder), or
// %LOCALAPPDATA%\Tarvik, filled from the factory files beside an installed Tarvik.exe.
#include "platform/Platform.h"
#include "platform/win32/WideText.h"
#include "settings/Paths.h"

#include <string>
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h> // needs windows.h before it

namespace tarvik {

namespace fs = std::filesystem;

namespace {

// Asked by creating a file there, deleted when closed: the folder's rights, a read-only share or
// medium and the protection of Program Files all show in that one answer.
bool mayCreateFilesIn(const fs::path& folder) {
    const fs::path probe = folder / (L"~tarvik-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp");
    const HANDLE file =
        ::CreateFileW(systemPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

std::wstring fullLowerPath(const fs::path& path) {
    std::wstring full(32768, L'\0');
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(n < full.size() ? n : 0);
    while (full.size() > 3 && full.back() == L'\\') {
        full.pop_back();
    }
    ::CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));
    return full;
}

bool liesUnder(const fs::path& folder, const KNOWNFOLDERID& root) {
    PWSTR known = nullptr;
    std::wstring base;
    if (SUCCEEDED(::SHGetKnownFolderPath(root, 0, nullptr, &known)) && known != nullptr) {
        base = fullLowerPath(known);
    }
    ::CoTaskMemFree(known);
    const std::wstring path = fullLowerPath(folder);
    if (base.empty() || path.size() < base.size() || path.compare(0, base.size(), base) != 0) {
        return false;
    }
    return path.size() == base.size() || path[base.size()] == L'\\' || base.back() == L'\\';
}

// The setup leaves its uninstaller beside the program; Program Files is where a setup puts
// programs, and what an administrator's run may write to.
bool isInstalledFolder(const fs::path& folder) {
    return isRegularFile(locateIgnoringCase(folder, "uninstall.exe")) || liesUnder(folder, FOLDERID_ProgramFiles) ||
           liesUnder(folder, FOLDERID_ProgramFilesX86);
}

fs::path localAppData() {
    // The variable, where the user or a test points it; the shell's folder otherwise.
    std::wstring value(MAX_PATH, L'\0');
    DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), static_cast<DWORD>(value.size()));
    if (n >= value.size()) {
        value.resize(n);
        n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), static_cast<DWORD>(value.size()));
    }
    if (n > 0 && n < value.size()) {
        value.resize(n);
        if (fs::path(value).is_absolute()) {
            return value;
        }
    }
    wchar_t known[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, known))) {
        return known;
    }
    return {};
}

} // namespace

ProgramFolderFacts programFolderFacts(const fs::path& executable) {
    ProgramFolderFacts facts;
    facts.executableFolder = executable.parent_path();
    facts.executableFolderHoldsSettings = holdsSettings(facts.executableFolder);
    facts.executableFolderWritable = mayCreateFilesIn(facts.executableFolder);
    facts.executableFolderInstalled = isInstalledFolder(facts.executableFolder);
    // An installed Tarvik.exe has its factory files, help and sound beside it.
    facts.installedDataFolder = facts.executableFolder;
    if (const fs::path base = localAppData(); !base.empty()) {
        facts.perUserFolder = base / L"Tarvik";
    }
    return facts;
}

} // namespace tarvik
