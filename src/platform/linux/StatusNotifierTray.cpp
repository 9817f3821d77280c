// The StatusNotifierItem tray (KDE Plasma, Xfce's panel, GNOME's AppIndicator extension), which
// hosts tray icons over D-Bus instead of embedding their windows.
#include "platform/Platform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace tarvik {

bool trayIsStatusNotifierHost() {
    // The question Qt asks when it picks its D-Bus tray icon over the X11 one: a watcher on the
    // session bus that knows a host. A watcher that is not running is not started for it.
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr || !bus.interface()->isServiceRegistered(watcher)) {
        return false;
    }
    QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return host.isValid() && host.property("IsStatusNotifierHostRegistered").toBool();
}

void prepareTrayMenu(std::uintptr_t) {
    // An X11 popup menu grabs the pointer and the keyboard itself, whoever has the focus.
}

} // namespace tarvik
