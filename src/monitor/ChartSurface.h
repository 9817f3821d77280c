#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tarvik {

// A picture surface with a user coordinate system: (left, top) is the top-left corner of the
// drawing area and (right, bottom) its bottom-right corner. Lines are drawn into a kept image;
// clear() restores the background picture. An optional one-pixel frame surrounds the drawing area.
class ChartSurface : public QWidget {
    Q_OBJECT
public:
    explicit ChartSurface(QWidget* parent = nullptr);

    void setFramed(bool framed, const QColor& frameColour = QColor(128, 128, 128));
    void setBackColour(const QColor& colour);
    void setBackground(const QPixmap& picture);
    void setScale(double left, double top, double right, double bottom);
    void setPenWidth(int px) { m_penWidth = px; }

    void clear();
    void line(double x1, double y1, double x2, double y2, const QColor& colour);
    // Several lines in user coordinates with one painter.
    void lines(const QLineF* userLines, int count, const QColor& colour);
    // Keeps what is drawn now as the background, so that clear() restores it.
    void keepAsBackground();

    QPoint toPixel(double x, double y) const;
    const QImage& canvas() const { return m_canvas; }
    QRect drawingArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuildCanvas();

    QPixmap m_background;
    QImage m_canvas;
    QColor m_backColour = Qt::white;
    QColor m_frameColour;
    bool m_framed = false;
    int m_penWidth = 1;
    double m_left = 0, m_top = 0, m_right = 1, m_bottom = 1;
};

} // namespace tarvik
