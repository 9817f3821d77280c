#include "settings/ProgramFolders.h"

#include "platform/FileReplacer.h"
#include "settings/Paths.h"
#include "settings/SettingsFiles.h"

#include <system_error>

namespace tarvik {

namespace fs = std::filesystem;

ProgramFolders ProgramFolders::decide(const ProgramFolderFacts& facts) {
    ProgramFolders folders;
    // An installed copy that may write beside itself (run as administrator, or installed into a
    // folder the user owns) still keeps the user's folder: one set of settings and one log,
    // whichever way it was started.
    if (facts.executableFolderHoldsSettings && facts.executableFolderWritable && !facts.executableFolderInstalled) {
        folders.m_programFolder = facts.executableFolder;
        folders.m_dataFolder = facts.executableFolder;
        return folders;
    }
    folders.m_perUser = true;
    folders.m_programFolder = facts.perUserFolder;
    // Factory files beside the executable (a folder this user may not write) are the ones that
    // belong to it; otherwise they were installed apart from it.
    folders.m_dataFolder = facts.executableFolderHoldsSettings ? facts.executableFolder : facts.installedDataFolder;
    return folders;
}

bool ProgramFolders::prepare(FileReplacer& replacer, std::string& failure) const {
    if (!m_perUser) {
        return true;
    }
    std::error_code ec;
    if (m_programFolder.empty()) {
        failure = "no home folder";
        return false;
    }
    createPrivateFolders(m_programFolder, ec);
    if (ec || !fs::is_directory(m_programFolder, ec)) {
        failure = ec ? ec.message() : std::make_error_code(std::errc::not_a_directory).message();
        return false;
    }
    if (holdsSettings(m_programFolder)) {
        return true;
    }
    // info.dxl last: a fill cut short is taken up again at the next start.
    const std::string_view factoryFiles[] = {SettingsFiles::kSet,       SettingsFiles::kAccess,
                                             SettingsFiles::kPlacement, SettingsFiles::kBatchStart,
                                             SettingsFiles::kLog,       SettingsFiles::kInfo};
    for (const std::string_view name : factoryFiles) {
        const fs::path source = locateIgnoringCase(m_dataFolder, name);
        if (isRegularFile(locateIgnoringCase(m_programFolder, name)) || !isRegularFile(source)) {
            continue;
        }
        // A factory file too large for its kind is not laid; the reader then reports it.
        const std::size_t maxBytes =
            name == SettingsFiles::kLog ? SettingsFiles::kMaxLogBytes : SettingsFiles::kMaxSettingsFileBytes;
        const auto bytes = readFileStart(source, maxBytes + 1);
        if (bytes && bytes->size() <= maxBytes) {
            replacer.replaceFile(m_programFolder / pathFromUtf8(name), *bytes);
        }
    }
    return true;
}

bool holdsSettings(const fs::path& folder) {
    return isRegularFile(locateIgnoringCase(folder, SettingsFiles::kInfo));
}

fs::path findProgramFile(const fs::path& programFolder, const fs::path& dataFolder, std::string_view name) {
    const fs::path own = locateIgnoringCase(programFolder, name);
    if (dataFolder.empty() || dataFolder == programFolder || isRegularFile(own)) {
        return own;
    }
    const fs::path installed = locateIgnoringCase(dataFolder, name);
    return isRegularFile(installed) ? installed : own;
}

} // namespace tarvik
