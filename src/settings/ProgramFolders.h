#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvik {

class FileReplacer;

// What the system says about the places the program's files may live; the platform layer
// gathers it (programFolderFacts) and ProgramFolders decides from it.
struct ProgramFolderFacts {
    std::filesystem::path executableFolder;
    bool executableFolderHoldsSettings = false; // info.dxl lies there
    bool executableFolderWritable = false;      // this user may create files there
    std::filesystem::path installedDataFolder;  // factory files, help and sound of an installed program
    std::filesystem::path perUserFolder;        // empty when the system names none
    bool executableFolderInstalled = false;     // a setup put the program there: never a portable folder
};

// Where the settings files, the log, the help file and the alarm sound live. A portable folder
// (the executable's own, holding info.dxl, writable by this user and not an installation) is the
// program folder and its own source of factory files. Anywhere else (an installed program, a
// folder this user may not write) the program folder is the user's own, filled from the installed
// data folder.
class ProgramFolders {
public:
    static ProgramFolders decide(const ProgramFolderFacts& facts);

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    // Where the factory files, the help file and the alarm sound were installed.
    const std::filesystem::path& dataFolder() const { return m_dataFolder; }
    bool perUser() const { return m_perUser; }

    // Creates a per-user program folder and lays into it the factory files it lacks, as long as it
    // holds no info.dxl (so a file the user deleted later is not brought back). false, with the
    // system's reason, when the folder cannot be created; a file that cannot be laid is left to
    // the start-up readers, which report it.
    bool prepare(FileReplacer& replacer, std::string& failure) const;

private:
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    bool m_perUser = false;
};

// The folder holds info.dxl, the master copy of the settings, in any letter case.
bool holdsSettings(const std::filesystem::path& folder);

// The file `name` of the program folder, or of the data folder when the program folder has none;
// the help file and the alarm sound stay in the data folder unless the user puts their own in.
std::filesystem::path findProgramFile(const std::filesystem::path& programFolder,
                                      const std::filesystem::path& dataFolder, std::string_view name);

} // namespace tarvik
