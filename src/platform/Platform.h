#pragma once

#include "platform/Autostart.h"
#include "platform/BlockAllocator.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
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

#include <cstdint>
#include <filesystem>
#include <functional>
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

// True where the desktop's tray is a StatusNotifierItem host reached over D-Bus (KDE, Xfce,
// GNOME's AppIndicator extension), which reports no double-click and draws the icon's menu
// itself; false for the X11 (XEmbed) tray and on Windows. Needs the Qt application object.
bool trayIsStatusNotifierHost();

// Choices to make before the Qt application object exists (on Linux: X11, also through XWayland,
// because the monitor window needs its stored position and stay-on-top).
void prepareQtEnvironment();

// Asks the desktop to leave a window out of its task bar and pager (the monitor window lives in
// the tray). `nativeWindow` is the window's native id; call it before each show.
void keepOffTaskbar(std::uintptr_t nativeWindow);

// Whether a drag of a borderless window is left to the system's move loop once it has started.
// On X11 the program moves the window itself at every step, exactly under the pointer; under
// Wine a window that the program moves hears no more of the mouse after the first step, capture
// or not, so there the system's move takes over.
bool dragBySystemMove();

// Called just before a menu opens for a click on the tray icon, with the native id of the window
// that owns the menu. Windows gives the keyboard, and the close on a click elsewhere, only to a
// menu of the foreground window, which a click on the notification area does not make ours.
void prepareTrayMenu(std::uintptr_t ownerWindow);

// Runs `onEnd` on the GUI thread when the desktop session ends the program (log-off, shut-down),
// after which the application quits. Needs the Qt application object.
void watchSessionEnd(std::function<void()> onEnd);

} // namespace tarvik
