#pragma once

#include <QLabel>

namespace tarvik {

// A label that acts as a button: a left press and release on it is a click. It takes every
// mouse press, so a click never falls through to what lies beneath.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace tarvik
