#include "monitor/ChartPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarvik::ChartPictures {

QPixmap lineChartBackground() {
    QImage img(69, 35, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 0));
    QPainter p(&img);
    // Grey bevel: light on the top and left, dark on the bottom and right.
    p.setPen(QColor(223, 223, 223));
    p.drawLine(0, 0, 68, 0);
    p.drawLine(0, 0, 0, 34);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 34, 68, 34);
    p.drawLine(68, 0, 68, 34);
    // Green border of the field.
    const QColor green(0, 160, 0);
    p.setPen(green);
    p.drawRect(1, 1, 66, 32);
    // Dotted grid: every other pixel, 4 columns by 2 rows inside the border.
    const QColor dots(0, 112, 0);
    for (int c = 1; c < 4; ++c) {
        const int x = 2 + c * 64 / 4;
        for (int y = 3; y < 33; y += 2) {
            img.setPixelColor(x, y, dots);
        }
    }
    for (int x = 3; x < 67; x += 2) {
        img.setPixelColor(x, 17, dots);
    }
    p.end();
    return QPixmap::fromImage(img);
}

QPixmap peakChartBackground() {
    QImage img(72, 24, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 24);
    g.setColorAt(0.0, QColor(250, 250, 250));
    g.setColorAt(0.55, QColor(226, 226, 226));
    g.setColorAt(1.0, QColor(204, 204, 204));
    p.fillRect(img.rect(), g);
    p.end();
    return QPixmap::fromImage(img);
}

QImage programIconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Contacts along the bottom edge of the module.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 170, 40));
    for (int i = 0; i < 6; ++i) {
        p.drawRect(QRectF(4.5 + i * 4.2, 25, 2.4, 4));
    }
    // The module's board.
    QPainterPath board;
    board.addRoundedRect(QRectF(1.5, 5, 29, 21), 3, 3);
    QLinearGradient g(0, 5, 0, 26);
    g.setColorAt(0, QColor(52, 150, 226));
    g.setColorAt(1, QColor(24, 100, 170));
    p.setBrush(g);
    p.setPen(QPen(QColor(18, 74, 128), 1.2));
    p.drawPath(board);
    // Free-memory gauge: a light track with a green fill.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 244, 252));
    p.drawRoundedRect(QRectF(5, 10, 22, 8), 2, 2);
    p.setBrush(QColor(40, 200, 90));
    p.drawRoundedRect(QRectF(6, 11, 13, 6), 1.5, 1.5);
    p.end();
    return img;
}

QIcon programIcon() {
    // Drawn once: the tray, every window and the about box share it.
    static const QIcon icon = [] {
        QIcon drawn;
        for (int size : {16, 22, 24, 32, 48, 64}) {
            drawn.addPixmap(QPixmap::fromImage(programIconImage(size)));
        }
        return drawn;
    }();
    return icon;
}

} // namespace tarvik::ChartPictures
