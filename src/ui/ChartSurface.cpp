#include "ui/ChartSurface.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace tarvik {

namespace {

// Paints on an image in its own pixels, whatever ratio it is shown at: the chart's positions are
// put on the device grid here, where a painter's scaling would leave line ends between pixels and
// a line of uneven thickness at 125 % or 150 %.
class DevicePainter : public QPainter {
public:
    explicit DevicePainter(QImage& image) : m_image(image), m_ratio(image.devicePixelRatio()) {
        m_image.setDevicePixelRatio(1.0);
        begin(&m_image);
    }
    ~DevicePainter() {
        end();
        m_image.setDevicePixelRatio(m_ratio);
    }
    DevicePainter(const DevicePainter&) = delete;
    DevicePainter& operator=(const DevicePainter&) = delete;

private:
    QImage& m_image;
    qreal m_ratio;
};

} // namespace

ChartSurface::ChartSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    rebuildCanvas();
}

void ChartSurface::setFramed(bool framed, const QColor& frameColour) {
    m_framed = framed;
    m_frameColour = frameColour;
    rebuildCanvas();
}

void ChartSurface::setBackColour(const QColor& colour) {
    m_backColour = colour;
    clear();
}

void ChartSurface::setBackground(Picture picture) {
    m_picture = picture;
    drawBackground();
    clear();
}

void ChartSurface::setScale(double left, double top, double right, double bottom) {
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

void ChartSurface::setPixelRatio(double ratio) {
    ratio = std::max(1.0, ratio);
    if (ratio == m_ratio) {
        return;
    }
    m_ratio = ratio;
    drawBackground();
    m_canvas = QImage(); // rebuilt at the new size
    rebuildCanvas();
}

void ChartSurface::drawBackground() {
    m_background = m_picture != nullptr ? m_picture(m_ratio) : QImage();
    m_background.setDevicePixelRatio(1.0); // laid on the canvas pixel for pixel
}

QRect ChartSurface::drawingArea() const {
    return m_framed ? rect().adjusted(1, 1, -1, -1) : rect();
}

void ChartSurface::resizeEvent(QResizeEvent*) {
    rebuildCanvas();
}

void ChartSurface::rebuildCanvas() {
    const QSize logical = drawingArea().size().expandedTo(QSize(1, 1));
    const QSize size(static_cast<int>(std::lround(logical.width() * m_ratio)),
                     static_cast<int>(std::lround(logical.height() * m_ratio)));
    if (m_canvas.size() != size) {
        m_canvas = QImage(size, QImage::Format_RGB32);
        m_canvas.setDevicePixelRatio(m_ratio);
        clear();
    }
}

void ChartSurface::clear() {
    if (m_canvas.isNull()) {
        return; // not laid out yet
    }
    m_canvas.fill(m_backColour);
    if (!m_background.isNull()) {
        DevicePainter p(m_canvas);
        p.drawImage(0, 0, m_background);
    }
    update();
}

void ChartSurface::keepAsBackground() {
    m_background = m_canvas;
    m_background.setDevicePixelRatio(1.0);
}

QPoint ChartSurface::devicePoint(double x, double y, int span) const {
    const int w = m_canvas.width();
    const int h = m_canvas.height();
    // The far edges of the scale fall on the last pixels, so they stay visible.
    const double px = (x - m_left) / (m_right - m_left) * w;
    const double py = (y - m_top) / (m_bottom - m_top) * h;
    return QPoint(std::clamp(static_cast<int>(std::floor(px)), 0, std::max(0, w - span)),
                  std::clamp(static_cast<int>(std::floor(py)), 0, std::max(0, h - span)));
}

int ChartSurface::devicePenWidth() const {
    return std::max(1, static_cast<int>(std::lround(m_penWidth * m_ratio)));
}

int ChartSurface::columnRightOfBar(double x) const {
    const int w = devicePenWidth();
    const int end = toPixel(x, 0).x() - w / 2 + w; // first device column past the bar
    return drawingArea().left() + static_cast<int>(std::ceil(end / m_ratio));
}

void ChartSurface::line(double x1, double y1, double x2, double y2, const QColor& colour) {
    const QLineF l(x1, y1, x2, y2);
    lines(&l, 1, colour);
}

void ChartSurface::lines(const QLineF* userLines, int count, const QColor& colour) {
    if (m_canvas.isNull()) {
        return;
    }
    DevicePainter p(m_canvas);
    // Vertical lines (the bar charts) are filled rectangles; the rest are lines drawn through the
    // middle of `w` device pixels, so each has that thickness all along. Both stay on the
    // painter's fast paths.
    const int w = devicePenWidth();
    QPen pen(colour, w == 1 ? 0 : w);
    p.setPen(pen);
    const QPointF middle(w / 2.0, w / 2.0);
    for (int i = 0; i < count; ++i) {
        const QLineF& l = userLines[i];
        const QPoint a = devicePoint(l.x1(), l.y1(), 1);
        const QPoint b = devicePoint(l.x2(), l.y2(), 1);
        if (a.x() == b.x()) {
            if (l.y1() == l.y2()) {
                continue; // a bar of height zero shows nothing; any other shows at least one row
            }
            const int top = std::min(a.y(), b.y());
            // A wide bar straddles its coordinate; an even width leans to the left of it.
            p.fillRect(a.x() - w / 2, top, w, std::abs(a.y() - b.y()) + 1, colour);
        } else {
            p.drawLine(QPointF(devicePoint(l.x1(), l.y1(), w)) + middle,
                       QPointF(devicePoint(l.x2(), l.y2(), w)) + middle);
        }
    }
    update();
}

void ChartSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // At a ratio such as 1.5 the picture's device pixels need not reach the widget's last one;
    // what is left shows the frame's or the surface's colour.
    p.fillRect(rect(), m_framed ? m_frameColour : m_backColour);
    p.drawImage(drawingArea().topLeft(), m_canvas);
}

} // namespace tarvik
