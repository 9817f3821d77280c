#include "platform/linux/sound/QtSoundPlayer.h"

#include "QtTestApp.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

using tarvik::QtSoundPlayer;

namespace {

// A tenth of a second of silence, 8 kHz mono 8-bit PCM.
std::string silentWave() {
    const char header[] = "RIFF\x44\x03\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
                          "data\x20\x03\0\0";
    return std::string(header, sizeof header - 1) + std::string(800, '\x80');
}

} // namespace

TEST(QtSoundPlayer, MissingFileAndUnknownVerbsPlayNothing) {
    tarvik::test::qtTestApp();
    tarvik::test::TempFolder folder(false);
    QtSoundPlayer player(folder.path());
    for (const std::string name : {"", "Alarm.wav", "/no/such/alarm.mid"}) {
        player.setFileName(name);
        for (const char* verb : {"Open", "Play", "Prev", "Close", "", "open"}) {
            player.command(verb);
        }
        EXPECT_TRUE(player.openSource().isEmpty()) << name;
    }
}

TEST(QtSoundPlayer, OpensRelativeFilesFromTheProgramFolderOrElseTheInstalledOneAndForgetsVanishedOnes) {
    tarvik::test::qtTestApp();
    tarvik::test::TempFolder folder(false);
    tarvik::test::TempFolder installed(false);
    folder.write("Alarm.wav", silentWave());
    QtSoundPlayer player(folder.path(), installed.path());
    player.setFileName("Alarm.wav");
    const QUrl expected = QUrl::fromLocalFile(QString::fromStdString((folder / "Alarm.wav").string()));

    // Three alarm ticks in a row; there may be no sound device, which must not matter.
    for (int tick = 0; tick < 3; ++tick) {
        player.command("Open");
        player.command("Play");
        player.command("Prev");
        EXPECT_EQ(player.openSource(), expected);
        QCoreApplication::processEvents();
    }

    installed.write("Alarm.wav", silentWave());
    folder.remove("Alarm.wav");
    player.command("Open");
    EXPECT_EQ(player.openSource(), QUrl::fromLocalFile(QString::fromStdString((installed / "Alarm.wav").string())));

    installed.remove("Alarm.wav");
    player.command("Open");
    player.command("Play");
    EXPECT_TRUE(player.openSource().isEmpty());
}
