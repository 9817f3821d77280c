// Entry point of every test program: pins the environment the tests rely on before anything
// reads it, whichever runner starts them.
#include "platform/QtEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

void pin(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

} // namespace

int main(int argc, char** argv) {
    pin("LANG", "C.UTF-8");
    pin("LC_ALL", "C.UTF-8");
    pin("TZ", "UTC");
    // Widget tests draw offscreen; desktop tests run the real program instead.
    pin("QT_QPA_PLATFORM", "offscreen");
    // A test of several screens runs in a process of its own, which names their layout.
    if (const char* screens = std::getenv("TARVIK_TEST_SCREENS")) {
        pin("QT_QPA_PLATFORM", (std::string("offscreen:configfile=") + screens).c_str());
    }
#ifdef _WIN32
    // Wine hands no QT_* variable of the Linux side to a Windows program, so the offscreen plugin's
    // font folder comes under a name of our own.
    if (const char* fonts = std::getenv("TARVIK_TEST_FONTDIR")) {
        pin("QT_QPA_FONTDIR", fonts);
    }
    // The program's own choices on Windows (its widget style): the widgets are tested as it shows them.
    tarvik::prepareQtEnvironment();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
