#include "platform/linux/LazySoundPlayer.h"

#include <dlfcn.h>

namespace tarvik {

LazySoundPlayer::LazySoundPlayer(std::filesystem::path moduleFolder, std::filesystem::path programFolder)
    : m_moduleFolder(std::move(moduleFolder)), m_programFolder(std::move(programFolder)) {}

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
        m_module = ::dlopen((m_moduleFolder / kModuleName).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (m_module == nullptr) {
            m_module = ::dlopen(kModuleName, RTLD_NOW | RTLD_LOCAL); // installed among the libraries
        }
        using Create = SoundPlayer* (*)(const char*);
        auto create =
            m_module != nullptr ? reinterpret_cast<Create>(::dlsym(m_module, "tarvikCreateSoundPlayer")) : nullptr;
        if (create != nullptr) {
            m_player.reset(create(m_programFolder.c_str()));
            m_player->setFileName(m_fileName);
        }
    }
    if (m_player) {
        m_player->command(verb);
    }
}

} // namespace tarvik
