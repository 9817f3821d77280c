#include "monitor/ChartSurface.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace tarvik {

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

void ChartSurface::setBackground(const QPixmap& picture) {
    m_background = picture;
    clear();
}

void ChartSurface::setScale(double left, double top, double right, double bottom) {
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

QRect ChartSurface::drawingArea() const {
    return m_framed ? rect().adjusted(1, 1, -1, -1) : rect();
}

void ChartSurface::resizeEvent(QResizeEvent*) {
    rebuildCanvas();
}

void ChartSurface::rebuildCanvas() {
    const QSize size = drawingArea().size().expandedTo(QSize(1, 1));
    if (m_canvas.size() != size) {
        m_canvas = QImage(size, QImage::Format_RGB32);
        clear();
    }
}

void ChartSurface::clear() {
    if (m_canvas.isNull()) {
        return; // not laid out yet
    }
    m_canvas.fill(m_backColour);
    if (!m_background.isNull()) {
        QPainter p(&m_canvas);
        p.drawPixmap(0, 0, m_background);
    }
    update();
}

void ChartSurface::keepAsBackground() {
    m_background = QPixmap::fromImage(m_canvas);
}

QPoint ChartSurface::toPixel(double x, double y) const {
    const int w = m_canvas.width();
    const int h = m_canvas.height();
    // The far edges of the scale fall on the last pixel row and column, so they stay visible.
    const double px = (x - m_left) / (m_right - m_left) * w;
    const double py = (y - m_top) / (m_bottom - m_top) * h;
    return QPoint(std::clamp(static_cast<int>(std::floor(px)), 0, w - 1),
                  std::clamp(static_cast<int>(std::floor(py)), 0, h - 1));
}

void ChartSurface::line(double x1, double y1, double x2, double y2, const QColor& colour) {
    const QLineF l(x1, y1, x2, y2);
    lines(&l, 1, colour);
}

void ChartSurface::lines(const QLineF* userLines, int count, const QColor& colour) {
    if (m_canvas.isNull()) {
        return;
    }
    QPainter p(&m_canvas);
    // Vertical lines (the bar charts) are filled rectangles; the rest are one-pixel lines drawn
    // with a cosmetic pen through pixel centres. Both stay on the painter's fast paths.
    QPen pen(colour, 0);
    p.setPen(pen);
    const int w = std::max(1, m_penWidth);
    for (int i = 0; i < count; ++i) {
        const QLineF& l = userLines[i];
        const QPoint a = toPixel(l.x1(), l.y1());
        const QPoint b = toPixel(l.x2(), l.y2());
        if (a.x() == b.x()) {
            if (l.y1() == l.y2()) {
                continue; // a bar of height zero shows nothing; any other shows at least one row
            }
            const int top = std::min(a.y(), b.y());
            // A wide bar straddles its coordinate; an even width leans to the left of it.
            p.fillRect(a.x() - w / 2, top, w, std::abs(a.y() - b.y()) + 1, colour);
        } else {
            p.drawLine(QPointF(a) + QPointF(0.5, 0.5), QPointF(b) + QPointF(0.5, 0.5));
        }
    }
    update();
}

void ChartSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_framed) {
        p.setPen(m_frameColour);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    p.drawImage(drawingArea().topLeft(), m_canvas);
}

} // namespace tarvik
