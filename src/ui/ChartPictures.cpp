#include "ui/ChartPictures.h"

#include <algorithm>
#include <cmath>
#include <QLinearGradient>
#include <QPainter>

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

} // namespace tarvik::ChartPictures
