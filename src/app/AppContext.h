#pragma once

#include "app/AppState.h"
#include "memory/MemoryRelease.h"
#include "platform/Platform.h"
#include "settings/EventLog.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"
#include "settings/SettingsFiles.h"

#include <cstdint>
#include <string_view>

namespace tarvik {

// The process-wide state together with the services every window uses on it.
struct AppContext {
    AppContext(AppState& s, Platform& p)
        : state(s), platform(p), files(s.programFolder, p.codec, p.fileReplacer),
          log(files, p.fileAppender, p.clock, s.LogText), release(p.allocator, p.clipboard) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // Takes a new sample into the shared record; both windows sample through here. false, with
    // the record as it was, when the system gives no figures or a zero total: figures that were
    // never read must not show, nor be acted on, as memory that is all gone.
    bool sampleMemory() {
        std::optional<MemoryStatus> s = platform.memory.sample();
        if (!s || s->dwTotalPhys == 0) {
            return false;
        }
        s->dwLength = 32;
        state.Memory = *s;
        return true;
    }

    // The file of the program folder, or the installed one where the user has none of their own.
    std::filesystem::path programFile(std::string_view name) const {
        return findProgramFile(state.programFolder, state.dataFolder, name);
    }

    // Whatever the desktop makes of the help file, the program reports nothing. `owner` is the
    // asking window's native handle.
    void openHelp(std::uintptr_t owner) {
        platform.shell.open(pathToUtf8(programFile("Tarvik.chm")), pathToUtf8(state.programFolder), owner);
    }

    AppState& state;
    Platform& platform;
    SettingsFiles files;
    EventLog log;
    MemoryRelease release;
};

} // namespace tarvik
