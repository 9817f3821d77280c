// The floor for the footprint: a Qt 6 program that does nothing but what any program with this
// program's timers must do — a small always-on-top window, a tray icon, and timers waking it at
// 1 s, 15 s and 500 ms. With IDLE_HIDDEN set the window stays hidden; a double-click on the tray
// icon hides and shows it, as the program's does, so that one run can measure both. The 1 s and
// 500 ms timers also take the memory sample that the program must take at those rates, as it
// takes it, once for timers that fire together: on Linux (with IDLE_SAMPLE set) /proc/meminfo and
// /proc/self/statm, kept open and read afresh; on Windows (always) GlobalMemoryStatusEx. With
// IDLE_TEXT set the window shows one line of text, drawn once, as a monitor window must show its
// figure: under Wine the first text a program draws loads the fonts' faces into its own memory.
#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif
#include <chrono>

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace {

std::chrono::steady_clock::time_point g_sampledAt;
unsigned long long g_available = 0;

#ifdef _WIN32
bool startSampling() {
    return true;
}

void readMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (::GlobalMemoryStatusEx(&status)) {
        g_available = status.ullAvailPhys;
    }
}
#else
int g_meminfo = -1;
int g_statm = -1;

bool startSampling() {
    if (!qEnvironmentVariableIsSet("IDLE_SAMPLE")) {
        return false;
    }
    g_meminfo = ::open("/proc/meminfo", O_RDONLY | O_CLOEXEC);
    g_statm = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    return g_meminfo >= 0;
}

void readMemory() {
    char buffer[4096];
    const ssize_t n = ::pread(g_meminfo, buffer, sizeof buffer - 1, 0);
    if (n > 0) {
        buffer[n] = '\0';
        if (const char* field = std::strstr(buffer, "MemAvailable:")) {
            g_available = std::strtoull(field + 13, nullptr, 10);
        }
    }
    char statm[256];
    [[maybe_unused]] const ssize_t m = ::pread(g_statm, statm, sizeof statm, 0);
}
#endif

bool g_sampling = false;

void sample() {
    const auto now = std::chrono::steady_clock::now();
    if (!g_sampling || now - g_sampledAt < std::chrono::milliseconds(20)) {
        return;
    }
    g_sampledAt = now;
    readMemory();
}

} // namespace

int main(int argc, char** argv) {
    g_sampling = startSampling();
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    window.setWindowTitle(QStringLiteral("idle_timers"));
    window.resize(120, 16);
    if (qEnvironmentVariableIsSet("IDLE_TEXT")) {
        auto* text = new QLabel(QStringLiteral("可用内存 1234 MB"), &window);
        text->resize(window.size());
    }
    if (!qEnvironmentVariableIsSet("IDLE_HIDDEN")) {
        window.show();
    }
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
