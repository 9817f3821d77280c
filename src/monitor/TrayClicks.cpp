#include "monitor/TrayClicks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSystemTrayIcon>

namespace tarvik {

TrayClicks::TrayClicks(std::function<void()> toggleWindow, std::function<void()> openMenu, QObject* parent)
    : QObject(parent), m_toggleWindow(std::move(toggleWindow)), m_openMenu(std::move(openMenu)) {}

void TrayClicks::activated(int reason) {
    switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::DoubleClick:
        m_toggleWindow();
        break;
    case QSystemTrayIcon::Context:
        // The menu opens when the right button is released. Trays that report the click while
        // the button is still down (X11's) are waited out until its release.
        if (QGuiApplication::mouseButtons() & Qt::RightButton) {
            if (!m_menuOnRelease) {
                m_menuOnRelease = true;
                qApp->installEventFilter(this);
            }
        } else {
            m_openMenu();
        }
        break;
    case QSystemTrayIcon::Trigger:
        // A StatusNotifierItem host knows no double-click; its single activation toggles. On
        // X11 a single click comes before every double-click and must not act.
        if (m_statusNotifierHost) {
            m_toggleWindow();
        }
        break;
    default:
        break;
    }
}

bool TrayClicks::eventFilter(QObject* watched, QEvent* event) {
    // Watches the whole application while a right-click on the tray icon waits for its release;
    // the release still goes on to its receiver.
    if (m_menuOnRelease && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        m_menuOnRelease = false;
        qApp->removeEventFilter(this);
        m_openMenu();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvik
