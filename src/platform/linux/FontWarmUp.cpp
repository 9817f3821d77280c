// Fontconfig reads its configuration and font caches the first time a font is needed, which is
// the largest part of the program's start-up. Doing that on a second core while Qt connects to
// the display shortens the time until the monitor window and the tray icon appear.
#include "platform/linux/FontWarmUp.h"

#include <fontconfig/fontconfig.h>
#include <thread>

namespace tarvik {

void warmUpFonts() {
    std::thread([] { FcInit(); }).detach();
}

} // namespace tarvik
