#pragma once

#include <QLabel>

namespace tarvik {

// A label for a few lines of explanation in a small box: the text wraps between any two Chinese
// characters and its lines sit closer than the font's own spacing (which is made for far larger
// line heights than these boxes), so that two or three lines fit the box. The box is made tall
// enough for `lines` lines where its own height is less.
class NoteLabel : public QLabel {
    Q_OBJECT
public:
    static constexpr int kLinePitch = 14; // pixels, for the window's 12-pixel font

    NoteLabel(const QString& text, const QRect& geometry, int lines, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tarvik
