#pragma once

#include "platform/SoundPlayer.h"

#include <deque>
#include <filesystem>
#include <string>

namespace tarvik {

// The alarm player on MCI commands sent by device: a .mid file opens as a sequencer, anything
// else as wave audio. Errors are ignored, as a missing or unplayable file simply plays nothing.
class MciSoundPlayer : public SoundPlayer {
public:
    // Relative sound file names are taken from `programFolder`, or from `dataFolder` where the
    // program folder has no such file.
    explicit MciSoundPlayer(std::filesystem::path programFolder, std::filesystem::path dataFolder = {});
    ~MciSoundPlayer() override;
    MciSoundPlayer(const MciSoundPlayer&) = delete;
    MciSoundPlayer& operator=(const MciSoundPlayer&) = delete;

    void setFileName(const std::string& path) override;
    void command(std::string_view verb) override;

    // The most recent commands sent to MCI, oldest first (a few, not the whole history), each
    // as a short text: "open <type> <file>", "play from 0", "status mode", "seek to start", "close".
    const std::deque<std::string>& sentCommands() const { return m_sent; }

private:
    // Sends one command to the open device (or opens one); false when MCI reports an error.
    bool send(const std::string& what, unsigned message, unsigned long flags, void* parameters);
    void open();
    void close();

    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    std::string m_fileName;
    unsigned m_device = 0; // 0 while no file is open
    std::filesystem::path m_openFile;
    std::deque<std::string> m_sent;
};

} // namespace tarvik
