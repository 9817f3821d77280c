#include "platform/win32/Win32Platform.h"

namespace tarvik {

Win32Platform::Win32Platform(const std::filesystem::path& executable, const ProgramFolders& folders)
    : m_sound(folders.programFolder(), folders.dataFolder()),
      m_instanceGuard(executable), m_platform{m_memory, m_codec,        m_fileReplacer, m_fileAppender,
                                              m_clock,  m_allocator,    m_clipboard,    m_autostart,
                                              m_sound,  m_shell,        m_launcher,     m_instanceGuard,
                                              m_ender,  m_trayAnimator, m_dialogs,      m_desktop} {}

std::unique_ptr<NativePlatform> createNativePlatform(const std::filesystem::path& executable,
                                                     const ProgramFolders& folders) {
    return std::make_unique<Win32Platform>(executable, folders);
}

} // namespace tarvik
