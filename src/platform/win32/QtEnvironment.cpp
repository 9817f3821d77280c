#include "platform/QtEnvironment.h"

#include <cstdlib>

namespace tarvik {

void prepareQtEnvironment() {
    // Windows grants the monitor window its place and stay-on-top as it is.
    // The windows are laid out to the pixel for the native style of Windows 10, which Qt up to 6.6
    // uses on every Windows; from Qt 6.7 Windows 11 would get its own style, with wider margins
    // and taller controls. One look whichever Qt built the program; a style the user names wins.
    if (std::getenv("QT_STYLE_OVERRIDE") == nullptr) {
        _putenv_s("QT_STYLE_OVERRIDE", "windowsvista");
    }
}

} // namespace tarvik
