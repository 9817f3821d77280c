// The sampling floor of the Windows program's footprint: a Qt 6 program that does nothing but what
// any program with this program's timers must do on Windows — a small always-on-top window, a
// tray icon, timers waking it at 1 s, 15 s and 500 ms — and takes the memory sample that the
// program must take at 1 s and 500 ms, with the one call the program makes for it,
// GlobalMemoryStatusEx (once for timers that fire together). A double-click on the tray icon hides
// and shows the window, as the program's does, so that one run measures both.
#include <windows.h>

#include <chrono>

#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace {

std::chrono::steady_clock::time_point g_sampledAt;
unsigned long long g_available = 0;

void sample() {
    const auto now = std::chrono::steady_clock::now();
    if (now - g_sampledAt < std::chrono::milliseconds(20)) {
        return;
    }
    g_sampledAt = now;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status)) {
        g_available = status.ullAvailPhys;
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    window.setWindowTitle(QStringLiteral("idle_timers"));
    window.resize(120, 16);
    window.show();
    QPixmap pm(22, 22);
    pm.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pm)};
    QObject::connect(&icon, &QSystemTrayIcon::activated, [&window](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) {
            window.setVisible(!window.isVisible());
        }
    });
    icon.show();
    int ticks = 0;
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&ticks] {
        ++ticks;
        sample();
    });
    second.start(1000);
    QTimer quarterMinute;
    QObject::connect(&quarterMinute, &QTimer::timeout, [&ticks] { ++ticks; });
    quarterMinute.start(15000);
    QTimer halfSecond;
    QObject::connect(&halfSecond, &QTimer::timeout, [&ticks] {
        ++ticks;
        sample();
    });
    halfSecond.start(500);
    return QApplication::exec();
}
