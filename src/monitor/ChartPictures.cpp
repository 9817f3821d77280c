#include "monitor/ChartPictures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <QApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace tarvik::ChartPictures {

namespace {

// An image of `w` × `h` logical pixels at this ratio, tagged with it.
QImage deviceImage(int w, int h, double ratio) {
    QImage img(static_cast<int>(std::lround(w * ratio)), static_cast<int>(std::lround(h * ratio)),
               QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    return img;
}

} // namespace

QImage lineChartBackground(double pixelRatio) {
    const double r = std::max(1.0, pixelRatio);
    QImage img = deviceImage(69, 35, r);
    img.fill(QColor(0, 0, 0));
    // Drawn in device pixels: a logical pixel k starts at device pixel at(k), and every line of the
    // design is t device pixels thick, so lines stay even at ratios such as 1.5. At a whole ratio
    // this is the 69 × 35 picture with each pixel enlarged.
    const int t = std::max(1, static_cast<int>(std::lround(r)));
    const auto at = [r](int k) { return static_cast<int>(std::lround(k * r)); };
    const int w = img.width();
    const int h = img.height();
    img.setDevicePixelRatio(1.0);
    QPainter p(&img);
    // Grey bevel: light on the top and left, dark on the bottom and right.
    const QColor light(223, 223, 223), dark(128, 128, 128);
    p.fillRect(0, 0, w, t, light);
    p.fillRect(0, 0, t, h, light);
    p.fillRect(0, h - t, w, t, dark);
    p.fillRect(w - t, 0, t, h, dark);
    // Green border of the field, just inside the bevel.
    const QColor green(0, 160, 0);
    p.fillRect(t, t, w - 2 * t, t, green);
    p.fillRect(t, h - 2 * t, w - 2 * t, t, green);
    p.fillRect(t, t, t, h - 2 * t, green);
    p.fillRect(w - 2 * t, t, t, h - 2 * t, green);
    // Dotted grid: every other pixel, 4 columns by 2 rows inside the border.
    const QColor dots(0, 112, 0);
    for (int c = 1; c < 4; ++c) {
        const int x = 2 + c * 64 / 4;
        for (int y = 3; y < 33; y += 2) {
            p.fillRect(at(x), at(y), t, t, dots);
        }
    }
    for (int x = 3; x < 67; x += 2) {
        p.fillRect(at(x), at(17), t, t, dots);
    }
    p.end();
    img.setDevicePixelRatio(r);
    return img;
}

QImage peakChartBackground(double pixelRatio) {
    QImage img = deviceImage(72, 24, std::max(1.0, pixelRatio));
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 24);
    g.setColorAt(0.0, QColor(250, 250, 250));
    g.setColorAt(0.55, QColor(226, 226, 226));
    g.setColorAt(1.0, QColor(204, 204, 204));
    p.fillRect(QRectF(0, 0, 72, 24), g);
    p.end();
    return img;
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

namespace {

// Draws each size of the program icon when it is first asked for, and keeps it: the tray asks
// for one size while the program starts, the windows for the others later.
class ProgramIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        auto it = m_drawn.find(side);
        if (it == m_drawn.end()) {
            it = m_drawn.emplace(side, QPixmap::fromImage(programIconImage(side))).first;
        }
        if (mode == QIcon::Normal || QApplication::style() == nullptr) {
            return it->second;
        }
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, it->second, &option);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        return QSize(side, side);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(22, 22), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("tarvik-program-icon"); }

private:
    std::map<int, QPixmap> m_drawn;
};

} // namespace

QIcon programIcon() {
    // One icon for the tray, every window and the about box.
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

} // namespace tarvik::ChartPictures
