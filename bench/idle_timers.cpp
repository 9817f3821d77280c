// The floor for the footprint: a Qt 6 program that does nothing but what any program with this
// program's timers must do — a small window, a tray icon, and timers waking it at 1 s, 15 s and
// 500 ms. With IDLE_HIDDEN set the window stays hidden.
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    window.resize(120, 16);
    if (!qEnvironmentVariableIsSet("IDLE_HIDDEN")) {
        window.show();
    }
    QPixmap pm(22, 22);
    pm.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pm)};
    icon.show();
    int ticks = 0;
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&ticks] { ++ticks; });
    second.start(1000);
    QTimer quarterMinute;
    QObject::connect(&quarterMinute, &QTimer::timeout, [&ticks] { ++ticks; });
    quarterMinute.start(15000);
    QTimer halfSecond;
    QObject::connect(&halfSecond, &QTimer::timeout, [&ticks] { ++ticks; });
    halfSecond.start(500);
    return QApplication::exec();
}
