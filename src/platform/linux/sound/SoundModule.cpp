// The entry of the sound module (libtarvik-sound.so), which holds the Qt Multimedia player. The
// program loads it on the alarm's first command, so that Qt Multimedia and the twenty libraries
// it brings (PulseAudio, the audio codecs) are not loaded at every start.
#include "platform/linux/sound/QtSoundPlayer.h"

extern "C" __attribute__((visibility("default"))) tarvik::SoundPlayer*
tarvikCreateSoundPlayer(const char* programFolder, const char* dataFolder) {
    return new tarvik::QtSoundPlayer(std::filesystem::path(programFolder), std::filesystem::path(dataFolder));
}
