#pragma once

#include "platform/Platform.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/win32/MciSoundPlayer.h"
#include "platform/win32/MutexInstanceGuard.h"
#include "platform/win32/RegistryAutostart.h"
#include "platform/win32/VirtualAllocBlockAllocator.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileAppender.h"
#include "platform/win32/Win32FileReplacer.h"
#include "platform/win32/Win32MemorySource.h"
#include "platform/win32/Win32ProcessEnder.h"
#include "platform/win32/Win32ProcessLauncher.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32TextCodec.h"
#include "platform/win32/Win32TrayAnimator.h"

namespace tarvik {

// The Windows side of every platform interface.
class Win32Platform : public NativePlatform {
public:
    Win32Platform(const std::filesystem::path& executable, const ProgramFolders& folders);
    Platform& platform() override { return m_platform; }

private:
    Win32MemorySource m_memory;
    Win32TextCodec m_codec;
    Win32FileReplacer m_fileReplacer;
    Win32FileAppender m_fileAppender;
    Win32Clock m_clock;
    VirtualAllocBlockAllocator m_allocator;
    QtClipboard m_clipboard;
    RegistryAutostart m_autostart;
    MciSoundPlayer m_sound;
    Win32Shell m_shell;
    Win32ProcessLauncher m_launcher;
    MutexInstanceGuard m_instanceGuard;
    Win32ProcessEnder m_ender;
    Win32TrayAnimator m_trayAnimator;
    QtDialogs m_dialogs;
    Win32Desktop m_desktop;
    Platform m_platform; // refers to the members above, so it comes last
};

} // namespace tarvik
