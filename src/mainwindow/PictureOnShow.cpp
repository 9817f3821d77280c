#include "mainwindow/PictureOnShow.h"

#include <QEvent>
#include <QLabel>

namespace tarvik {

namespace {

class PictureOnShowFilter : public QObject {
public:
    PictureOnShowFilter(QLabel* label, std::function<QPixmap()> draw) : QObject(label), m_draw(std::move(draw)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            static_cast<QLabel*>(watched)->setPixmap(m_draw());
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<QPixmap()> m_draw;
};

} // namespace

void setPictureOnShow(QLabel* label, std::function<QPixmap()> draw) {
    label->installEventFilter(new PictureOnShowFilter(label, std::move(draw)));
}

} // namespace tarvik
