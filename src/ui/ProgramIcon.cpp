#include "ui/ProgramIcon.h"

#include <algorithm>
#include <map>
#include <QApplication>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace tarvik::ProgramIcon {

QImage image(int size) {
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
            it = m_drawn.emplace(side, QPixmap::fromImage(image(side))).first;
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

QIcon icon() {
    // One icon for the tray, every window and the about box.
    static const QIcon icon(new ProgramIconEngine);
    return icon;
}

} // namespace tarvik::ProgramIcon
