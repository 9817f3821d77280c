#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace tarvik {

class Desktop;

// Moves a borderless window with the left mouse button. A press only arms the drag: the window
// moves once the pointer has gone the drag distance with the button held, so that the second press
// of a double-click still reaches the window where it was.
class WindowDrag {
public:
    WindowDrag(QWidget& window, const Desktop& desktop) : m_window(window), m_desktop(desktop) {}

    void press(const QMouseEvent& event);
    void move(const QMouseEvent& event);
    void release();

private:
    QWidget& m_window;
    const Desktop& m_desktop;
    bool m_armed = false; // the left button is down and has not moved the drag distance yet
    QPoint m_pressGlobal; // where it went down, and where the window was then
    QPoint m_pressWindowPos;
    QPoint m_offset;         // the pressed spot within the window, kept under the mouse
    bool m_dragging = false; // the window follows the mouse until the button is released
};

} // namespace tarvik
