// The StatusNotifierItem tray (KDE Plasma, Xfce's panel, GNOME's AppIndicator extension), which
// hosts tray icons over D-Bus instead of embedding their windows.
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/TrayArrival.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace tarvik {

bool statusNotifierHostRegistered() {
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

void watchStatusNotifierHost(std::function<void()> appeared) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || qApp == nullptr) {
        return;
    }
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    // A watcher that comes, and a host that registers with a watcher, lead to one look at both,
    // once the bus traffic of the moment has been read: a watcher may come before its host.
    auto* look = new QTimer(qApp);
    look->setSingleShot(true);
    look->setInterval(0);
    QObject::connect(look, &QTimer::timeout, look, [appeared = std::move(appeared)] {
        if (statusNotifierHostRegistered()) {
            appeared();
        }
    });
    auto* services = new QDBusServiceWatcher(watcher, bus, QDBusServiceWatcher::WatchForRegistration, look);
    QObject::connect(services, &QDBusServiceWatcher::serviceRegistered, look, qOverload<>(&QTimer::start));
    bus.connect(QString(), QStringLiteral("/StatusNotifierWatcher"), watcher,
                QStringLiteral("StatusNotifierHostRegistered"), look, SLOT(start()));
}

bool LinuxDesktop::trayIsStatusNotifierHost() {
    return statusNotifierHostRegistered();
}

} // namespace tarvik
