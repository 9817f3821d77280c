// The places of the program's files on Linux: beside the executable (a portable folder), or the
// user's data folder with the factory files installed in ../share/tarvik beside the executable.
#include "platform/linux/XdgFolders.h"

#include "platform/Platform.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace tarvik {

namespace fs = std::filesystem;

fs::path xdgBaseFolder(const char* variable, const char* underHome) {
    // XDG base folders must be absolute; a relative value is ignored as invalid.
    const char* xdg = std::getenv(variable);
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return fs::path(home) / underHome;
    }
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return fs::path(pw->pw_dir) / underHome;
    }
    return {};
}

ProgramFolderFacts programFolderFacts(const fs::path& executable) {
    ProgramFolderFacts facts;
    facts.executableFolder = executable.parent_path();
    facts.executableFolderHoldsSettings = holdsSettings(facts.executableFolder);
    // Creating a file needs write and search rights on the folder; asked for the effective user,
    // so root, who may write anywhere, is told so.
    facts.executableFolderWritable =
        ::faccessat(AT_FDCWD, facts.executableFolder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    facts.installedDataFolder = (facts.executableFolder / ".." / "share" / "tarvik").lexically_normal();
    const fs::path dataHome = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    if (!dataHome.empty()) {
        facts.perUserFolder = dataHome / "tarvik";
    }
    return facts;
}

} // namespace tarvik
