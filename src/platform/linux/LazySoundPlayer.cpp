#include "platform/linux/LazySoundPlayer.h"

#include <dlfcn.h>

namespace tarvik {

LazySoundPlayer::LazySoundPlayer(std::filesystem::path moduleFolder, std::filesystem::path programFolder,
                                 std::filesystem::path dataFolder)
    : m_moduleFolder(std::move(moduleFolder)), m_programFolder(std::move(programFolder)),
      m_dataFolder(std::move(dataFolder)) {}

LazySoundPlayer::~LazySoundPlayer() {
    m_player.reset();
    // The module stays loaded: Qt Multimedia keeps threads and handlers of its own until exit.
}

void LazySoundPlayer::setFileName(const std::string& path) {
    m_fileName = path;
    if (m_player) {
        m_player->setFileName(path);
    }
}

void LazySoundPlayer::command(std::string_view verb) {
    if (!m_tried) {
        m_tried = true;
        // Beside the executable (the build's and a portable folder), in an installed program's
        // library folder, or among the system's libraries (a bare name).
        for (const std::filesystem::path& module : {m_moduleFolder / kModuleName,
                                                    m_moduleFolder / "../lib/tarvik/modules" / kModuleName,
                                                    std::filesystem::path(kModuleName)}) {
            m_module = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (m_module != nullptr) {
                break;
            }
        }
        using Create = SoundPlayer* (*)(const char*, const char*);
        auto create =
            m_module != nullptr ? reinterpret_cast<Create>(::dlsym(m_module, "tarvikCreateSoundPlayer")) : nullptr;
        if (create != nullptr) {
            m_player.reset(create(m_programFolder.c_str(), m_dataFolder.c_str()));
            m_player->setFileName(m_fileName);
        }
    }
    if (m_player) {
        m_player->command(verb);
    }
}

} // namespace tarvik
