#include "platform/linux/LazySoundPlayer.h"

#include "QtTestApp.h"
#include "support/TempFolder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

using tarvik::LazySoundPlayer;

namespace {

bool moduleLoaded() {
    void* handle = ::dlopen(TARVIK_SOUND_MODULE_DIR "/libtarvik-sound.so", RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        ::dlclose(handle);
    }
    return handle != nullptr;
}

} // namespace

TEST(LazySoundPlayer, LoadsTheModuleOnTheFirstCommandAndIsSilentWithoutIt) {
    tarvik::test::qtTestApp();
    tarvik::test::TempFolder folder(false);
    folder.write("Alarm.wav", "RIFF");
    {
        LazySoundPlayer without(folder.path(), folder.path()); // no module there
        without.setFileName("Alarm.wav");
        for (const char* verb : {"Open", "Play", "Prev"}) {
            without.command(verb);
        }
    }
    EXPECT_FALSE(moduleLoaded());

    LazySoundPlayer player(TARVIK_SOUND_MODULE_DIR, folder.path());
    player.setFileName("Alarm.wav");
    EXPECT_FALSE(moduleLoaded()); // a program whose alarm never sounds never loads it
    for (const char* verb : {"Open", "Play", "Prev"}) {
        player.command(verb);
    }
    EXPECT_TRUE(moduleLoaded());
    player.setFileName("/no/such/alarm.mid");
    player.command("Open");
}
