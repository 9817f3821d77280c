#include "mainwindow/MainWindowPictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace tarvik::MainWindowPictures {

namespace {

// A transparent pixmap of `w` × `h` device-independent pixels, sharp on high-density screens.
QPixmap canvas(int w, int h) {
    const qreal dpr = qMax<qreal>(1.0, qApp != nullptr ? qApp->devicePixelRatio() : 1.0);
    QPixmap pm(qCeil(w * dpr), qCeil(h * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void memoryModule(QPainter& p) {
    // Gold contacts below the board.
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(24, 29, QColor(246, 210, 90), QColor(196, 146, 30)));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(4 + i * 3.6, 24, 2.2, 5));
    }
    QPainterPath board;
    board.addRoundedRect(QRectF(1.5, 6.5, 29, 18.5), 2, 2);
    QPainterPath notch;
    notch.addRect(QRectF(14.5, 22, 3, 4));
    p.setBrush(vertical(6, 25, QColor(60, 170, 100), QColor(22, 110, 60)));
    p.setPen(QPen(QColor(14, 80, 42), 1));
    p.drawPath(board.subtracted(notch));
    // Four memory chips with a highlight on their top edge.
    for (int i = 0; i < 4; ++i) {
        const QRectF chip(3.8 + i * 6.4, 9.5, 5.2, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(vertical(chip.top(), chip.bottom(), QColor(70, 72, 82), QColor(28, 30, 36)));
        p.drawRoundedRect(chip, 0.8, 0.8);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRect(QRectF(chip.left() + 0.6, chip.top() + 0.6, chip.width() - 1.2, 1.2));
    }
}

void sliders(QPainter& p) {
    const QColor knobs[3] = {QColor(52, 132, 220), QColor(240, 140, 40), QColor(60, 176, 90)};
    const qreal knobX[3] = {20, 10, 16};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 7 + i * 9;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 158, 170));
        p.drawRoundedRect(QRectF(3, y - 1.5, 26, 3), 1.5, 1.5);
        p.setBrush(knobs[i].lighter(115));
        p.drawRoundedRect(QRectF(3, y - 1.5, knobX[i] - 3, 3), 1.5, 1.5);
        QRadialGradient g(QPointF(knobX[i] - 1, y - 1.5), 5);
        g.setColorAt(0, knobs[i].lighter(150));
        g.setColorAt(1, knobs[i]);
        p.setBrush(g);
        p.setPen(QPen(knobs[i].darker(150), 1));
        p.drawEllipse(QPointF(knobX[i], y), 3.6, 3.6);
    }
}

void gear(QPainter& p) {
    QPainterPath teeth;
    const QPointF c(16, 16);
    const int count = 8;
    for (int i = 0; i < count; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-3, -14.5, 6, 8), 1.2, 1.2);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(360.0 / count * i);
        teeth.addPath(t.map(tooth));
    }
    QPainterPath body;
    body.addEllipse(c, 10.5, 10.5);
    body = body.united(teeth);
    QPainterPath hole;
    hole.addEllipse(c, 4.2, 4.2);
    QLinearGradient g(4, 2, 28, 30);
    g.setColorAt(0, QColor(170, 186, 206));
    g.setColorAt(1, QColor(78, 96, 122));
    p.setBrush(g);
    p.setPen(QPen(QColor(54, 68, 90), 1));
    p.drawPath(body.subtracted(hole));
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 7, 7);
}

void userBadge(QPainter& p) {
    const QColor blue(46, 112, 200);
    p.setPen(Qt::NoPen);
    QRadialGradient head(QPointF(12, 8), 8);
    head.setColorAt(0, blue.lighter(160));
    head.setColorAt(1, blue);
    p.setBrush(head);
    p.drawEllipse(QPointF(13, 9.5), 6, 6.5);
    QPainterPath shoulders;
    shoulders.moveTo(2, 29);
    shoulders.cubicTo(2, 19, 7, 17, 13, 17);
    shoulders.cubicTo(19, 17, 24, 19, 24, 29);
    shoulders.closeSubpath();
    p.setBrush(vertical(17, 29, blue.lighter(140), blue.darker(120)));
    p.drawPath(shoulders);
    // A gold star on a ribbon badge at the lower right.
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(21, 24), QPointF(25, 24), QPointF(23.5, 31), QPointF(21.5, 28.5)}));
    p.drawPolygon(QPolygonF({QPointF(25, 24), QPointF(29, 24), QPointF(28.5, 28.5), QPointF(26.5, 31)}));
    QPainterPath star;
    const QPointF sc(25, 21);
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? 6.2 : 2.6;
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF pt(sc.x() + r * qCos(a), sc.y() + r * qSin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(vertical(15, 27, QColor(255, 226, 90), QColor(226, 150, 20)));
    p.setPen(QPen(QColor(160, 100, 10), 0.8));
    p.drawPath(star);
}

void document(QPainter& p) {
    QPainterPath page;
    page.moveTo(6, 2.5);
    page.lineTo(20, 2.5);
    page.lineTo(26.5, 9);
    page.lineTo(26.5, 29.5);
    page.lineTo(6, 29.5);
    page.closeSubpath();
    p.setBrush(vertical(2, 30, QColor(255, 255, 255), QColor(226, 232, 240)));
    p.setPen(QPen(QColor(120, 130, 146), 1));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20, 2.5);
    fold.lineTo(20, 9);
    fold.lineTo(26.5, 9);
    fold.closeSubpath();
    p.setBrush(QColor(200, 208, 220));
    p.drawPath(fold);
    p.setPen(QPen(QColor(70, 120, 190), 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal ends[6] = {17, 23, 22, 20, 23, 15};
    for (int i = 0; i < 6; ++i) {
        const qreal y = 8 + i * 3.6;
        p.drawLine(QPointF(9.5, y), QPointF(ends[i], y));
    }
}

void closeSign(QPainter& p) {
    QRadialGradient g(QPointF(12, 10), 18);
    g.setColorAt(0, QColor(250, 110, 100));
    g.setColorAt(1, QColor(196, 30, 30));
    p.setBrush(g);
    p.setPen(QPen(QColor(140, 20, 20), 1));
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    p.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

void refresh(QPainter& p) {
    const QColor green(40, 160, 70);
    const QPointF c(16, 16);
    const qreal r = 10;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(green, 3.6, Qt::SolidLine, Qt::FlatCap));
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(ring, 40 * 16, 125 * 16);
    p.drawArc(ring, 220 * 16, 125 * 16);
    // An arrow head at the clockwise end of each arc, along the circle.
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    for (const qreal degrees : {40.0, 220.0}) {
        const qreal a = qDegreesToRadians(degrees);
        const QPointF radial(qCos(a), -qSin(a));
        const QPointF ahead(qSin(a), qCos(a));
        const QPointF at = c + radial * r;
        p.drawPolygon(QPolygonF({at + ahead * 5.5, at + radial * 5 - ahead * 1.5, at - radial * 5 - ahead * 1.5}));
    }
}

void floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(25, 3);
    body.lineTo(29, 7);
    body.lineTo(29, 29);
    body.lineTo(3, 29);
    body.closeSubpath();
    p.setBrush(vertical(3, 29, QColor(70, 120, 200), QColor(32, 72, 146)));
    p.setPen(QPen(QColor(22, 50, 104), 1));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(3, 12, QColor(230, 234, 240), QColor(180, 188, 200)));
    p.drawRect(QRectF(8, 3.5, 15, 9));
    p.setBrush(QColor(40, 60, 100));
    p.drawRect(QRectF(18, 5, 3, 6));
    p.setBrush(QColor(252, 252, 252));
    p.drawRoundedRect(QRectF(6.5, 16, 19, 12), 1, 1);
    p.setPen(QPen(QColor(200, 60, 60), 1.2));
    p.drawLine(QPointF(9, 19.5), QPointF(23, 19.5));
    p.setPen(QPen(QColor(170, 180, 196), 1));
    p.drawLine(QPointF(9, 22.5), QPointF(23, 22.5));
    p.drawLine(QPointF(9, 25.5), QPointF(20, 25.5));
}

void wasteBin(QPainter& p) {
    QPainterPath can;
    can.moveTo(7, 9.5);
    can.lineTo(25, 9.5);
    can.lineTo(23, 29.5);
    can.lineTo(9, 29.5);
    can.closeSubpath();
    QLinearGradient g(7, 0, 25, 0);
    g.setColorAt(0, QColor(150, 160, 176));
    g.setColorAt(0.45, QColor(232, 236, 242));
    g.setColorAt(1, QColor(120, 130, 146));
    p.setBrush(g);
    p.setPen(QPen(QColor(80, 90, 106), 1));
    p.drawPath(can);
    p.setPen(QPen(QColor(100, 110, 126), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {12.0, 16.0, 20.0}) {
        p.drawLine(QPointF(x, 13), QPointF(x - (x - 16) * 0.1, 26.5));
    }
    p.setPen(QPen(QColor(80, 90, 106), 1));
    p.setBrush(vertical(5, 9, QColor(214, 220, 230), QColor(140, 150, 166)));
    p.drawRoundedRect(QRectF(4.5, 5.5, 23, 4), 1.5, 1.5);
    p.drawRoundedRect(QRectF(12.5, 2.5, 7, 3), 1, 1);
}

using Painter = void (*)(QPainter&);

QPixmap icon(Painter paint) {
    QPixmap pm = canvas(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return pm;
}

} // namespace

QPixmap stripBackground() {
    QPixmap pm = canvas(133, 450);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 133, 450);
    g.setColorAt(0, QColor(222, 236, 251));
    g.setColorAt(0.6, QColor(240, 246, 253));
    g.setColorAt(1, QColor(252, 253, 255));
    p.fillRect(QRectF(0, 0, 133, 450), g);
    // A soft rounded tile behind every page button (their cells are 64 pixels apart).
    for (int i = 0; i < 6; ++i) {
        const QRectF tile(5, 4 + 64 * i, 55, 58);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRoundedRect(tile, 6, 6);
    }
    // A fine line along the right edge of the strip.
    p.setPen(QPen(QColor(190, 210, 234), 1));
    p.drawLine(QPointF(64.5, 0), QPointF(64.5, 450));
    return pm;
}

QPixmap pageIcon(int index) {
    static constexpr Painter painters[6] = {memoryModule, sliders, gear, userBadge, document, closeSign};
    return index >= 0 && index < 6 ? icon(painters[index]) : QPixmap();
}

QPixmap logIcon(int index) {
    static constexpr Painter painters[3] = {refresh, floppy, wasteBin};
    return index >= 0 && index < 3 ? icon(painters[index]) : QPixmap();
}

} // namespace tarvik::MainWindowPictures
