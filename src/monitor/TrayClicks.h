#pragma once

#include <functional>
#include <QObject>

namespace tarvik {

// What a click on the tray icon does: a double-click toggles the monitor window, and so does the
// single activation of a StatusNotifierItem host, which knows no double-click; the context click
// opens the menu once the right button is released. Anything else, such as the single click that
// comes before every double-click on X11, does nothing.
class TrayClicks : public QObject {
public:
    TrayClicks(std::function<void()> toggleWindow, std::function<void()> openMenu, QObject* parent);

    // Whether the tray is a StatusNotifierItem host; known once the tray icon is built.
    void setStatusNotifierHost(bool host) { m_statusNotifierHost = host; }
    bool statusNotifierHost() const { return m_statusNotifierHost; }

    // A QSystemTrayIcon::ActivationReason.
    void activated(int reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_toggleWindow;
    std::function<void()> m_openMenu;
    bool m_statusNotifierHost = false;
    bool m_menuOnRelease = false; // a right-click on the tray icon waits for its release
};

} // namespace tarvik
