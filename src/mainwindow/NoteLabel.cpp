#include "mainwindow/NoteLabel.h"

#include <algorithm>
#include <QPainter>
#include <QTextLayout>

namespace tarvik {

NoteLabel::NoteLabel(const QString& text, const QRect& geometry, int lines, QWidget* parent) : QLabel(text, parent) {
    QRect box = geometry;
    box.setHeight(std::max(box.height(), lines * kLinePitch));
    setGeometry(box);
}

void NoteLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    // Each line's base line lies three pixels above the bottom of its slot, which leaves the
    // ideographs a pixel of air above and commas room below.
    layout.beginLayout();
    for (int slot = 0;; ++slot) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width());
        line.setPosition(QPointF(0, (slot + 1) * kLinePitch - 3 - line.ascent()));
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
}

} // namespace tarvik
