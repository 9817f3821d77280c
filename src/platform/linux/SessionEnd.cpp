// Session end on Linux desktops: the session manager ends its clients with SIGTERM (or SIGHUP
// when the terminal goes). The signal is turned into a GUI-thread call through a socket pair.
#include "platform/linux/LinuxDesktop.h"

#include <csignal>
#include <memory>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvik {

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

void LinuxDesktop::watchSessionEnd(std::function<void()> onEnd) {
    // The X11 session manager asks first through Qt; a plain SIGTERM is the other way. Either
    // may come, or both: the handler runs once.
    auto once = [onEnd, done = std::make_shared<bool>(false)] {
        if (!*done) {
            *done = true;
            onEnd();
        }
    };
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, qGuiApp, [once](QSessionManager&) { once(); });
    // Close-on-exec: programs started from the batch list must not inherit the pair.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [once] {
        char byte;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[1], &byte, 1);
        once();
        // exit(), not quit(): quit() first asks every window to close, and the monitor window
        // refuses (it only hides), which would cancel the end of the program.
        QCoreApplication::exit(0);
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
}

} // namespace tarvik
