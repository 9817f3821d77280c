#pragma once

#include <functional>

namespace tarvik {

// The trays of a Linux desktop as they come and go: the X11 (XEmbed) tray, whose manager holds the
// screen's _NET_SYSTEM_TRAY_S<n> selection, and the StatusNotifierItem host on the session bus.

// Whether a tray manager holds the X11 tray selection now; false outside an X11 session.
bool x11TrayPresent();

// Runs `appeared` after each announcement of a new X11 tray manager (its MANAGER message to the
// root window), once Qt has handled that message too. Needs the Qt application object.
void watchX11Tray(std::function<void()> appeared);

// Whether a StatusNotifierItem watcher on the session bus knows a host now. Needs the Qt application
// object.
bool statusNotifierHostRegistered();

// Runs `appeared` when a StatusNotifierItem host becomes reachable: a watcher that comes onto the
// session bus, or a host that registers with it. Needs the Qt application object.
void watchStatusNotifierHost(std::function<void()> appeared);

} // namespace tarvik
