#include "platform/linux/sound/QtSoundPlayer.h"

#include "settings/Paths.h"
#include "settings/ProgramFolders.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaPlayer>

namespace tarvik {

QtSoundPlayer::QtSoundPlayer(std::filesystem::path programFolder, std::filesystem::path dataFolder)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder)) {}

// The player refers to the output, so it goes first.
QtSoundPlayer::~QtSoundPlayer() {
    m_player.reset();
}

void QtSoundPlayer::setFileName(const std::string& path) {
    m_fileName = path;
}

bool QtSoundPlayer::ensurePlayer() {
    if (m_player) {
        return true;
    }
    // Qt Multimedia needs the application object; without it the alarm stays silent.
    if (QCoreApplication::instance() == nullptr) {
        return false;
    }
    m_output = std::make_unique<QAudioOutput>();
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setAudioOutput(m_output.get());
    return true;
}

void QtSoundPlayer::open() {
    std::error_code ec;
    std::filesystem::path file = pathFromUtf8(m_fileName);
    if (file.is_relative()) {
        file = findProgramFile(m_programFolder, m_dataFolder, m_fileName);
    }
    if (m_fileName.empty() || !std::filesystem::is_regular_file(file, ec)) {
        // A missing file plays nothing, and needs no player to do so.
        if (m_player) {
            m_player->stop();
            m_player->setSource(QUrl());
        }
        return;
    }
    if (!ensurePlayer()) {
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.lexically_normal().string()));
    // Each alarm tick opens the same file again; reloading it would only cost time and cut a
    // sound that is still playing. A file that failed to load is given another chance.
    if (m_player->source() == url && m_player->mediaStatus() != QMediaPlayer::InvalidMedia) {
        return;
    }
    m_player->setSource(url);
}

void QtSoundPlayer::command(std::string_view verb) {
    if (verb == "Open") {
        open();
    } else if (verb == "Play") {
        if (m_player && !m_player->source().isEmpty()) {
            if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia) {
                m_player->setPosition(0);
            }
            m_player->play();
        }
    } else if (verb == "Prev") {
        if (m_player && !m_player->source().isEmpty()) {
            m_player->setPosition(0);
        }
    }
}

QUrl QtSoundPlayer::openSource() const {
    return m_player ? m_player->source() : QUrl();
}

} // namespace tarvik
