#pragma once

#include "platform/SoundPlayer.h"

#include <filesystem>
#include <memory>
#include <QUrl>

class QAudioOutput;
class QMediaPlayer;

namespace tarvik {

// The alarm player on Qt Multimedia. The player and its audio output are made on the first
// command, so a program whose alarm never sounds pays nothing for them.
class QtSoundPlayer : public SoundPlayer {
public:
    // Relative sound file names are taken from `programFolder`, or from `dataFolder` where the
    // program folder has no such file.
    explicit QtSoundPlayer(std::filesystem::path programFolder, std::filesystem::path dataFolder = {});
    ~QtSoundPlayer() override;

    void setFileName(const std::string& path) override;
    void command(std::string_view verb) override;

    // The file the player has open, empty when none is (for tests).
    QUrl openSource() const;

private:
    bool ensurePlayer();
    void open();

    std::filesystem::path m_programFolder;
    std::filesystem::path m_dataFolder;
    std::string m_fileName;
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player; // uses m_output, so it is declared after it and goes first
};

} // namespace tarvik
