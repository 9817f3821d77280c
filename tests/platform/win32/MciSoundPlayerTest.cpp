#include "platform/win32/MciSoundPlayer.h"

#include "settings/Paths.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

#include <mmsystem.h> // needs windows.h before it

using tarvik::MciSoundPlayer;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> sent(const MciSoundPlayer& player) {
    return {player.sentCommands().begin(), player.sentCommands().end()};
}

// Wine may have no sound device: then the open fails and nothing more is sent. Either way the
// alarm's commands must be the ones below.
void expectAlarmCommands(const std::vector<std::string>& commands, const std::string& open) {
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], open);
    if (commands.size() == 1) {
        return;
    }
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[1], "play from 0");
    EXPECT_EQ(commands[2], "status mode");
    if (commands.size() > 3) {
        EXPECT_EQ(commands[3], "seek to start");
    }
    EXPECT_LE(commands.size(), 4u);
}

} // namespace

TEST(MciSoundPlayer, AlarmOpensPlaysAndRewindsTheWaveFile) {
    tarvik::test::TempFolder folder; // with the factory Alarm.wav
    const fs::path sounds = folder.path() / L"声音";
    fs::create_directory(sounds);
    fs::copy_file(folder / "Alarm.wav", sounds / L"警报.wav");
    const std::string path = tarvik::pathToUtf8(sounds / L"警报.wav");

    MciSoundPlayer player(folder.path());
    player.setFileName(path);
    for (const char* verb : {"Open", "Play", "Prev"}) {
        player.command(verb);
    }
    const std::vector<std::string> first = sent(player);
    expectAlarmCommands(first, "open waveaudio " + path);

    // The next alarm finds the file open: it is not opened again.
    const bool opened = first.size() > 1;
    for (const char* verb : {"Open", "Play", "Prev"}) {
        player.command(verb);
    }
    std::vector<std::string> second = sent(player);
    second.erase(second.begin(), second.begin() + static_cast<std::ptrdiff_t>(first.size()));
    if (opened) {
        ASSERT_FALSE(second.empty());
        EXPECT_EQ(second[0], "play from 0");
    } else {
        expectAlarmCommands(second, first[0]);
    }
}

TEST(MciSoundPlayer, RelativeAndMidiFilesAndAChangeOfFile) {
    tarvik::test::TempFolder folder;
    MciSoundPlayer player(folder.path());
    player.setFileName("Alarm.wav");
    player.command("Open");
    const std::string wave = tarvik::pathToUtf8(folder / "Alarm.wav");
    ASSERT_EQ(sent(player), std::vector<std::string>{"open waveaudio " + wave});
    // "Play" goes only to an open file.
    player.command("Play");
    const bool waveOpen = sent(player).size() == 2;

    // A MIDI file opens as a sequencer; the wave file, if it was open, is closed first.
    player.setFileName(tarvik::pathToUtf8(folder / "Song.MID"));
    const std::size_t before = player.sentCommands().size();
    player.command("Open");
    std::vector<std::string> commands(player.sentCommands().begin() + static_cast<std::ptrdiff_t>(before),
                                      player.sentCommands().end());
    const std::string openMidi = "open sequencer " + tarvik::pathToUtf8(folder / "Song.MID");
    const std::vector<std::string> expected =
        waveOpen ? std::vector<std::string>{"close", openMidi} : std::vector<std::string>{openMidi};
    EXPECT_EQ(commands, expected);

    // No file to open (Song.MID does not exist): nothing is played, and nothing is reported.
    const std::size_t afterOpen = player.sentCommands().size();
    player.command("Play");
    player.command("Prev");
    EXPECT_EQ(player.sentCommands().size(), afterOpen);
}

TEST(MciSoundPlayer, QuoteInTheSoundPathAddsNothingToTheCommand) {
    tarvik::test::TempFolder folder;
    const auto openWaveDevices = [] {
        wchar_t count[16] = {};
        ::mciSendStringW(L"sysinfo waveaudio quantity open", count, 16, nullptr);
        return std::wstring(count);
    };
    // Set by hand in set.dxl: the quote would end the file name of a command string, and the
    // words after it would open the factory sound under a name of their choosing.
    MciSoundPlayer player(folder.path());
    player.setFileName(tarvik::pathToUtf8(folder / "Alarm.wav") + "\" type waveaudio alias injected");
    for (const char* verb : {"Open", "Play", "Prev"}) {
        player.command(verb);
    }
    EXPECT_EQ(openWaveDevices(), L"0"); // no file has that name
    EXPECT_NE(::mciSendStringW(L"status injected mode", nullptr, 0, nullptr), 0u);
}
