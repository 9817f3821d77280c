#pragma once

#include "platform/SoundPlayer.h"

#include <deque>
#include <filesystem>
#include <string>

namespace tarvik {

// The alarm player on MCI command strings: a .mid file opens as a sequencer, anything else as
// wave audio, under one alias. Errors are ignored, as a missing or unplayable file simply plays
// nothing.
class MciSoundPlayer : public SoundPlayer {
public:
    static constexpr const char* kAlias = "tarvik_alarm";

    // Relative sound file names are taken from `programFolder`, or from `dataFolder` where the
    // program folder has no such file.
    explicit MciSoundPlayer(std::filesystem::path programFolder, std::filesystem::path dataFolder = {});
    ~MciSoundPlayer() override;
    MciSoundPlayer(const MciSoundPlayer&) = delete;
    MciSoundPlayer& operator=(const MciSoundPlayer&) = delete;

    void setFileName(const std::string& path) override;
    void command(std::string_view verb) override;

    // The most recent command strings sent to MCI, oldest first (a few, not the whole history).
    const std::deque<std::string>& sentCommands() const { return m_sent; }

private:
    // Sends one command string; false when MCI reports an error. `answer` gets its reply.
    bool send(const std::string& command, std::string* answer = nullptr);
    void open();

    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    std::string m_fileName;
    std::filesystem::path m_openFile; // empty while the alias is closed
    std::deque<std::string> m_sent;
};

} // namespace tarvik
