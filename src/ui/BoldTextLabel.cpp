#include "ui/BoldTextLabel.h"

#include <QPainter>

namespace tarvik {

BoldTextLabel::BoldTextLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QSize BoldTextLabel::sizeHint() const {
    return QLabel::sizeHint() + QSize(1, 0);
}

void BoldTextLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QRect r = contentsRect().adjusted(0, 0, -1, 0);
    p.drawText(r, static_cast<int>(alignment()), text());
    p.drawText(r.translated(1, 0), static_cast<int>(alignment()), text());
}

} // namespace tarvik
