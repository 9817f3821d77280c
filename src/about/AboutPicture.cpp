#include "about/AboutPicture.h"

#include "ui/ProgramIcon.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace tarvik::AboutPicture {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 240;

QFont titleFont(int pixelSize, int weight) {
    QFont f;
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimHei"),
                   QStringLiteral("WenQuanYi Zen Hei")});
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

void background(QPainter& p) {
    QLinearGradient g(0, 0, kWidth, kHeight);
    g.setColorAt(0, QColor(24, 76, 140));
    g.setColorAt(0.55, QColor(12, 44, 92));
    g.setColorAt(1, QColor(6, 20, 48));
    p.fillRect(QRect(0, 0, kWidth, kHeight), g);
    QRadialGradient glow(QPointF(90, 50), 190);
    glow.setColorAt(0, QColor(110, 170, 240, 90));
    glow.setColorAt(1, QColor(110, 170, 240, 0));
    p.fillRect(QRect(0, 0, kWidth, kHeight), glow);
    // Two faint light bands across the field.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 10));
    p.drawPolygon(QPolygonF({QPointF(200, 0), QPointF(260, 0), QPointF(140, 240), QPointF(80, 240)}));
    p.setBrush(QColor(255, 255, 255, 7));
    p.drawPolygon(QPolygonF({QPointF(290, 0), QPointF(310, 0), QPointF(190, 240), QPointF(170, 240)}));
}

void title(QPainter& p) {
    p.drawPixmap(QRect(22, 24, 44, 44), ProgramIcon::icon().pixmap(QSize(44, 44)));
    const QString text = QStringLiteral("塔维内存整理");
    p.setFont(titleFont(32, QFont::Bold));
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(QPointF(78, 64), text);
    QLinearGradient g(0, 34, 0, 66);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(196, 224, 250));
    p.setPen(QPen(QBrush(g), 1));
    p.drawText(QPointF(76, 62), text);
    QFont sub = titleFont(9, QFont::DemiBold);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    p.setFont(sub);
    p.setPen(QColor(150, 192, 236));
    p.drawText(QPointF(78, 84), QStringLiteral("TARVIK MEMORY OPTIMIZER"));
}

// A strip like the program's own chart: grid, the red minimum line and the free memory curve.
void chart(QPainter& p) {
    const QRectF band(22, 104, 316, 58);
    p.setPen(QPen(QColor(120, 170, 230, 80), 1));
    p.setBrush(QColor(0, 10, 30, 90));
    p.drawRoundedRect(band, 4, 4);
    p.save();
    p.setClipRect(band.adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(28, 121, 198, 90), 1));
    for (qreal x = band.left() + 15.8; x < band.right(); x += 15.8) {
        p.drawLine(QPointF(x, band.top()), QPointF(x, band.bottom()));
    }
    for (int i = 1; i < 4; ++i) {
        const qreal y = band.top() + band.height() * i / 4;
        p.drawLine(QPointF(band.left(), y), QPointF(band.right(), y));
    }
    const qreal minimumY = band.bottom() - band.height() * 0.25;
    p.setPen(QPen(QColor(255, 70, 70, 170), 1, Qt::DashLine));
    p.drawLine(QPointF(band.left(), minimumY), QPointF(band.right(), minimumY));

    QPainterPath curve;
    for (int i = 0; i <= 79; ++i) {
        const qreal x = band.left() + band.width() * i / 79.0;
        // Memory use drifting down and jumping back up after each release.
        const qreal phase = std::fmod(i / 26.0, 1.0);
        const qreal free = 0.78 - 0.5 * phase + 0.05 * qSin(i * 0.9);
        const QPointF pt(x, band.bottom() - band.height() * free);
        i == 0 ? curve.moveTo(pt) : curve.lineTo(pt);
    }
    QPainterPath area = curve;
    area.lineTo(band.right(), band.bottom());
    area.lineTo(band.left(), band.bottom());
    area.closeSubpath();
    QLinearGradient fill(0, band.top(), 0, band.bottom());
    fill.setColorAt(0, QColor(40, 220, 110, 110));
    fill.setColorAt(1, QColor(40, 220, 110, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(area);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 255, 140, 60), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    p.setPen(QPen(QColor(90, 255, 150), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    p.restore();
}

void footer(QPainter& p) {
    p.fillRect(QRectF(0, 178, kWidth, kHeight - 178), QColor(0, 0, 0, 70));
    QLinearGradient line(0, 0, kWidth, 0);
    line.setColorAt(0, QColor(120, 170, 230, 0));
    line.setColorAt(0.3, QColor(120, 170, 230, 200));
    line.setColorAt(1, QColor(120, 170, 230, 0));
    p.setPen(QPen(QBrush(line), 1));
    p.drawLine(QPointF(0, 177.5), QPointF(kWidth, 177.5));
}

} // namespace

QPixmap draw() {
    const qreal dpr = qMax<qreal>(1.0, qApp != nullptr ? qApp->devicePixelRatio() : 1.0);
    QPixmap pm(qCeil(kWidth * dpr), qCeil(kHeight * dpr));
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    background(p);
    chart(p);
    footer(p);
    title(p);
    return pm;
}

} // namespace tarvik::AboutPicture
