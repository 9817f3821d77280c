// The yardstick for start-up time: the smallest Qt 6 program that puts one icon in the tray.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap pm(22, 22);
    pm.fill(Qt::darkCyan);
    QSystemTrayIcon icon{QIcon(pm)};
    icon.show();
    return QApplication::exec();
}
