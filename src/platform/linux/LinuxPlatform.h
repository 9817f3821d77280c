#pragma once

#include "platform/linux/DesktopShell.h"
#include "platform/linux/IconvTextCodec.h"
#include "platform/linux/LazySoundPlayer.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/LockFileInstanceGuard.h"
#include "platform/linux/MmapBlockAllocator.h"
#include "platform/linux/PosixFileAppender.h"
#include "platform/linux/PosixFileReplacer.h"
#include "platform/linux/PosixProcessEnder.h"
#include "platform/linux/ProcMeminfoSource.h"
#include "platform/linux/QtProcessLauncher.h"
#include "platform/linux/QtTrayAnimator.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/Platform.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"

namespace tarvik {

// The Linux desktop's side of every platform interface.
class LinuxPlatform : public NativePlatform {
public:
    LinuxPlatform(const std::filesystem::path& executable, const ProgramFolders& folders);
    Platform& platform() override { return m_platform; }

private:
    ProcMeminfoSource m_memory;
    IconvTextCodec m_codec;
    PosixFileReplacer m_fileReplacer;
    PosixFileAppender m_fileAppender;
    SystemClock m_clock;
    MmapBlockAllocator m_allocator;
    QtClipboard m_clipboard;
    XdgAutostart m_autostart;
    LazySoundPlayer m_sound;
    DesktopShell m_shell;
    QtProcessLauncher m_launcher;
    LockFileInstanceGuard m_instanceGuard;
    PosixProcessEnder m_ender;
    QtTrayAnimator m_trayAnimator;
    QtDialogs m_dialogs;
    LinuxDesktop m_desktop;
    Platform m_platform; // refers to the members above, so it comes last
};

} // namespace tarvik
