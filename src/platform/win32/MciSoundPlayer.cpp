#include "platform/win32/MciSoundPlayer.h"

#include "platform/win32/WideText.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"

#include <algorithm>
#include <cwctype>
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
    close();
}

void MciSoundPlayer::setFileName(const std::string& path) {
    m_fileName = path;
}

bool MciSoundPlayer::send(const std::string& what, unsigned message, unsigned long flags, void* parameters) {
    if (m_sent.size() == kKeptCommands) {
        m_sent.pop_front();
    }
    m_sent.push_back(what);
    return ::mciSendCommandW(m_device, message, flags, reinterpret_cast<DWORD_PTR>(parameters)) == 0;
}

void MciSoundPlayer::close() {
    if (m_device != 0) {
        MCI_GENERIC_PARMS none{};
        send("close", MCI_CLOSE, 0, &none);
        m_device = 0;
        m_openFile.clear();
    }
}

void MciSoundPlayer::open() {
    std::filesystem::path file = pathFromUtf8(m_fileName);
    if (!file.empty() && file.is_relative()) {
        file = findProgramFile(m_programFolder, m_dataFolder, m_fileName);
    }
    file = file.lexically_normal();
    // Each alarm tick opens the same file again; it is open already and keeps playing.
    if (m_device != 0 && m_openFile == file) {
        return;
    }
    close();
    if (m_fileName.empty()) {
        return;
    }
    // The file name travels as a field of its own, never inside a command string, so no
    // character of a path can add words to the command.
    const std::wstring element = file.wstring();
    const wchar_t* type = isMidi(file) ? L"sequencer" : L"waveaudio";
    MCI_OPEN_PARMSW parameters{};
    parameters.lpstrDeviceType = type;
    parameters.lpstrElementName = element.c_str();
    // A failed open is tried again at the next alarm.
    if (send("open " + fromWide(type) + " " + pathToUtf8(file), MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
             &parameters)) {
        m_device = parameters.wDeviceID;
        m_openFile = file;
    }
}

void MciSoundPlayer::command(std::string_view verb) {
    if (verb == "Open") {
        open();
        return;
    }
    if (m_device == 0) {
        return; // nothing could be opened, so there is nothing to play
    }
    if (verb == "Play") {
        // From the start, without waiting: the alarm must not hold up the program.
        MCI_PLAY_PARMS play{};
        play.dwFrom = 0;
        send("play from 0", MCI_PLAY, MCI_FROM, &play);
    } else if (verb == "Prev") {
        // Seeking stops a playing device, which would cut the alarm just started; while it
        // plays, the next "Play" starts from the beginning anyway.
        MCI_STATUS_PARMS status{};
        status.dwItem = MCI_STATUS_MODE;
        if (!send("status mode", MCI_STATUS, MCI_STATUS_ITEM, &status) || status.dwReturn != MCI_MODE_PLAY) {
            MCI_SEEK_PARMS seek{};
            send("seek to start", MCI_SEEK, MCI_SEEK_TO_START, &seek);
        }
    }
}

} // namespace tarvik
