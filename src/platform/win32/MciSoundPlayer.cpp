#include "platform/win32/MciSoundPlayer.h"

#include "platform/win32/WideText.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <windows.h>

#include <mmsystem.h> // needs windows.h before it

namespace tarvik {

namespace {

constexpr std::size_t kKeptCommands = 8;

bool isMidi(const std::filesystem::path& file) {
    std::wstring ext = file.extension().wstring();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](wchar_t c) { return std::towlower(c); });
    return ext == L".mid" || ext == L".midi" || ext == L".rmi";
}

} // namespace

MciSoundPlayer::MciSoundPlayer(std::filesystem::path programFolder, std::filesystem::path dataFolder)
    : m_programFolder(std::move(programFolder)), m_dataFolder(std::move(dataFolder)) {}

MciSoundPlayer::~MciSoundPlayer() {
    if (!m_openFile.empty()) {
        ::mciSendStringW(toWide(std::string("close ") + kAlias).c_str(), nullptr, 0, nullptr);
    }
}

void MciSoundPlayer::setFileName(const std::string& path) {
    m_fileName = path;
}

bool MciSoundPlayer::send(const std::string& command, std::string* answer) {
    if (m_sent.size() == kKeptCommands) {
        m_sent.pop_front();
    }
    m_sent.push_back(command);
    wchar_t text[128] = {};
    const bool ok = ::mciSendStringW(toWide(command).c_str(), text, static_cast<UINT>(std::size(text)), nullptr) == 0;
    if (answer != nullptr) {
        *answer = ok ? fromWide(text) : std::string();
    }
    return ok;
}

void MciSoundPlayer::open() {
    std::filesystem::path file = pathFromUtf8(m_fileName);
    if (!file.empty() && file.is_relative()) {
        file = findProgramFile(m_programFolder, m_dataFolder, m_fileName);
    }
    file = file.lexically_normal();
    // Each alarm tick opens the same file again; it is open already and keeps playing.
    if (!m_openFile.empty() && m_openFile == file) {
        return;
    }
    if (!m_openFile.empty()) {
        send(std::string("close ") + kAlias);
        m_openFile.clear();
    }
    if (m_fileName.empty()) {
        return;
    }
    const std::string type = isMidi(file) ? "sequencer" : "waveaudio";
    // A failed open is tried again at the next alarm.
    if (send("open \"" + pathToUtf8(file) + "\" type " + type + " alias " + kAlias)) {
        m_openFile = file;
    }
}

void MciSoundPlayer::command(std::string_view verb) {
    const std::string alias = kAlias;
    if (verb == "Open") {
        open();
        return;
    }
    if (m_openFile.empty()) {
        return; // nothing could be opened, so there is nothing to play
    }
    if (verb == "Play") {
        // From the start, without waiting: the alarm must not hold up the program.
        send("play " + alias + " from 0");
    } else if (verb == "Prev") {
        // Seeking stops a playing device, which would cut the alarm just started; while it
        // plays, the next "Play" starts from the beginning anyway.
        std::string mode;
        send("status " + alias + " mode", &mode);
        if (mode != "playing") {
            send("seek " + alias + " to start");
        }
    }
}

} // namespace tarvik
