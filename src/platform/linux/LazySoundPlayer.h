#pragma once

#include "platform/SoundPlayer.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tarvik {

// The alarm player of the Linux desktops: the Qt Multimedia player of the sound module
// (libtarvik-sound.so beside the executable, in ../lib/tarvik/modules from it, or where the system finds
// libraries), loaded on the first command. Without the module the alarm stays silent.
class LazySoundPlayer : public SoundPlayer {
public:
    // `moduleFolder` holds the module; relative sound file names are taken from `programFolder`,
    // or from `dataFolder` where the program folder has no such file.
    LazySoundPlayer(std::filesystem::path moduleFolder, std::filesystem::path programFolder,
                    std::filesystem::path dataFolder = {});
    ~LazySoundPlayer() override;
    LazySoundPlayer(const LazySoundPlayer&) = delete;
    LazySoundPlayer& operator=(const LazySoundPlayer&) = delete;

    void setFileName(const std::string& path) override;
    void command(std::string_view verb) override;

    static constexpr const char* kModuleName = "libtarvik-sound.so";

private:
    std::filesystem::path m_moduleFolder;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    std::string m_fileName;
    bool m_tried = false;
    void* m_module = nullptr;
    std::unique_ptr<SoundPlayer> m_player; // made by the module, so it goes before the module
};

} // namespace tarvik
