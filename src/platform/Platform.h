#pragma once

#include "platform/Autostart.h"
#include "platform/BlockAllocator.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/FileAppender.h"
#include "platform/FileReplacer.h"
#include "platform/InstanceGuard.h"
#include "platform/MemorySource.h"
#include "platform/ProcessEnder.h"
#include "platform/ProcessLauncher.h"
#include "platform/Shell.h"
#include "platform/SoundPlayer.h"
#include "platform/TextCodec.h"
#include "platform/TrayAnimator.h"
#include "settings/ProgramFolders.h"

#include <filesystem>
#include <memory>

namespace tarvik {

// Every service the program takes from the operating system, built once in main
// (or from fakes in tests) and handed down by reference.
struct Platform {
    MemorySource& memory;
    TextCodec& codec;
    FileReplacer& fileReplacer;
    FileAppender& fileAppender;
    Clock& clock;
    BlockAllocator& allocator;
    Clipboard& clipboard;
    Autostart& autostart;
    SoundPlayer& sound;
    Shell& shell;
    ProcessLauncher& launcher;
    InstanceGuard& instanceGuard;
    ProcessEnder& ender;
    TrayAnimator& trayAnimator;
    Dialogs& dialogs;
    Desktop& desktop;
};

// Owns the real implementations for this operating system.
class NativePlatform {
public:
    virtual ~NativePlatform() = default;
    virtual Platform& platform() = 0;
};

// Built by the OS folder of this platform layer; `executable` is the program's own full path,
// `folders` where its files live.
std::unique_ptr<NativePlatform> createNativePlatform(const std::filesystem::path& executable,
                                                     const ProgramFolders& folders);

// The executable's folder and what it holds, the installed data folder and the user's own data
// folder, for ProgramFolders::decide.
ProgramFolderFacts programFolderFacts(const std::filesystem::path& executable);

} // namespace tarvik
