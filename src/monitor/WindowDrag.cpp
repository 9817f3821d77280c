#include "monitor/WindowDrag.h"

#include "platform/Desktop.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tarvik {

void WindowDrag::press(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) {
        return;
    }
    m_armed = true;
    m_pressGlobal = event.globalPosition().toPoint();
    m_pressWindowPos = m_window.pos();
}

void WindowDrag::move(const QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton)) {
        release();
        return;
    }
    const QPoint global = event.globalPosition().toPoint();
    if (!m_dragging) {
        if (!m_armed || (global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        m_armed = false;
        m_dragging = true;
        m_offset = m_pressGlobal - m_pressWindowPos;
        m_window.move(global - m_offset);
        QWindow* native = m_window.windowHandle();
        if (m_desktop.dragBySystemMove() && native != nullptr && native->startSystemMove()) {
            m_dragging = false;
        }
        return;
    }
    // Moved by the program at every step, so the pressed spot stays under the pointer: a window
    // manager's move starts from wherever the pointer is when it takes over, a step behind.
    m_window.move(global - m_offset);
}

void WindowDrag::release() {
    m_armed = false;
    m_dragging = false;
}

} // namespace tarvik
