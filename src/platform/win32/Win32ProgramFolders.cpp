// The places of the program's files on Windows: beside Tarvik.exe (an unzipped folder), or
// %LOCALAPPDATA%\Tarvik, filled from the factory files beside an installed Tarvik.exe.
#include "platform/Platform.h"
#include "platform/win32/WideText.h"

#include <string>
#include <windows.h>

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
    // An installed Tarvik.exe has its factory files, help and sound beside it.
    facts.installedDataFolder = facts.executableFolder;
    if (const fs::path base = localAppData(); !base.empty()) {
        facts.perUserFolder = base / L"Tarvik";
    }
    return facts;
}

} // namespace tarvik
