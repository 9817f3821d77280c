#pragma once

#include <QApplication>

namespace tarvik::test {

// The one application object of the test process, drawing offscreen also when the tests are
// started by hand.
inline QApplication& qtTestApp() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "tests_platform_linux";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace tarvik::test
