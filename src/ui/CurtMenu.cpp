#include "ui/CurtMenu.h"

#include <QPainter>

namespace tarvik {

namespace {

// Colours: background 245, icon bar 224, shadow (64,64,0), highlight (164,197,236) with edge
// (28,121,198) and black text.
const char* const kStyle = R"(
QMenu { background: transparent; border: none; padding: 3px 2px 3px 1px; }
QMenu::item { color: rgb(0,0,0); padding: 3px 22px 3px 32px; border: 1px solid transparent; margin: 0px 1px; }
QMenu::item:selected { background-color: rgb(164,197,236); border: 1px solid rgb(28,121,198); color: rgb(0,0,0); }
QMenu::item:disabled { color: rgb(150,150,150); }
QMenu::separator { height: 1px; background: rgb(197,197,197); margin: 3px 4px 3px 30px; }
QMenu::right-arrow { width: 8px; height: 8px; }
)";

} // namespace

CurtMenu::CurtMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    setStyleSheet(kStyle);
}

void CurtMenu::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, QColor(245, 245, 245));
        p.fillRect(QRect(r.left() + 1, r.top() + 1, kIconBarWidth, r.height() - 2), QColor(224, 224, 224));
        // Light edge on the top and left, shadow on the bottom and right.
        p.setPen(QColor(160, 160, 160));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(64, 64, 0));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    QMenu::paintEvent(event);
}

} // namespace tarvik
