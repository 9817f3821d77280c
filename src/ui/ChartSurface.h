#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace tarvik {

// A picture surface with a user coordinate system: (left, top) is the top-left corner of the
// drawing area and (right, bottom) its bottom-right corner. Lines are drawn into a kept image;
// clear() restores the background picture. An optional one-pixel frame surrounds the drawing area.
// The image holds the screen's device pixels (the pixel ratio that the owner sets), so a chart on a
// scaled display is drawn sharp rather than stretched; sizes and pen widths stay logical pixels.
class ChartSurface : public QWidget {
    Q_OBJECT
public:
    // A background picture drawn for a pixel ratio, the size of the drawing area in device pixels.
    using Picture = QImage (*)(double pixelRatio);

    explicit ChartSurface(QWidget* parent = nullptr);

    void setFramed(bool framed, const QColor& frameColour = QColor(128, 128, 128));
    void setBackColour(const QColor& colour);
    void setBackground(Picture picture);
    void setScale(double left, double top, double right, double bottom);
    void setPenWidth(int px) { m_penWidth = px; }
    // Device pixels per logical pixel. A change clears the surface: the owner draws it again.
    void setPixelRatio(double ratio);
    double pixelRatio() const { return m_ratio; }

    void clear();
    void line(double x1, double y1, double x2, double y2, const QColor& colour);
    // Several lines in user coordinates with one painter.
    void lines(const QLineF* userLines, int count, const QColor& colour);
    // Keeps what is drawn now as the background, so that clear() restores it (at this pixel ratio).
    void keepAsBackground();

    // The pixel of canvas() (device pixels) at a point of the scale.
    QPoint toPixel(double x, double y) const { return devicePoint(x, y, 1); }
    // The first column of the widget (logical pixels) right of a bar drawn at x.
    int columnRightOfBar(double x) const;
    const QImage& canvas() const { return m_canvas; }
    QRect drawingArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuildCanvas();
    void drawBackground();
    // A point of the scale on the device grid, clamped so that `span` pixels from it stay inside.
    QPoint devicePoint(double x, double y, int span) const;
    int devicePenWidth() const;

    Picture m_picture = nullptr;
    QImage m_background;
    QImage m_canvas;
    QColor m_backColour = Qt::white;
    QColor m_frameColour;
    bool m_framed = false;
    int m_penWidth = 1;
    double m_ratio = 1.0;
    double m_left = 0, m_top = 0, m_right = 1, m_bottom = 1;
};

} // namespace tarvik
