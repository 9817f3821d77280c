#include "platform/linux/QtTrayAnimator.h"

#include "platform/linux/TrayArrival.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QEasingCurve>
#include <QEventLoop>
#include <QPalette>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

namespace tarvik {

namespace {

constexpr int kDurationMs = 200;
constexpr int kOutline = 2;
constexpr int kTraySize = 24;

QRect toQRect(const ScreenRect& r) {
    return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top));
}

bool isEmpty(const ScreenRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Only the outline is shown: the window is shaped to a ring, which needs no compositor.
QRegion outline(const QSize& size) {
    const QRect all(QPoint(0, 0), size);
    const QRect inner = all.adjusted(kOutline, kOutline, -kOutline, -kOutline);
    return inner.isValid() ? QRegion(all).subtracted(QRegion(inner)) : QRegion(all);
}

} // namespace

bool QtTrayAnimator::trayPresent() const {
    // Not QSystemTrayIcon's question: Qt settles at its first tray question, for the whole process,
    // whether its icons go to a StatusNotifierItem host, so a host that came later would never
    // get the icon. The tray icon is made only once a tray is there.
    return x11TrayPresent() || statusNotifierHostRegistered();
}

void QtTrayAnimator::watchForTray(std::function<void()> appeared) {
    watchX11Tray(appeared);
    watchStatusNotifierHost(appeared);
    // A tray that came between the last look and the watch would not be announced again.
    if (trayPresent()) {
        QTimer::singleShot(0, qApp, appeared);
    }
}

std::optional<std::pair<QRect, QRect>> QtTrayAnimator::path(const ScreenRect& window,
                                                            const std::optional<ScreenRect>& trayIcon,
                                                            const ScreenRect& screen, int direction) {
    if (direction != 0 && direction != 1) {
        return std::nullopt;
    }
    // Some trays do not say where the icon is; the usual corner stands in for it.
    const ScreenRect tray =
        trayIcon && !isEmpty(*trayIcon)
            ? *trayIcon
            : ScreenRect{screen.right - kTraySize, screen.bottom - kTraySize, screen.right, screen.bottom};
    const QRect strip = toQRect(centreStrip(tray));
    const QRect win = toQRect(window);
    return direction == 1 ? std::pair(win, strip) : std::pair(strip, win);
}

void QtTrayAnimator::animate(std::uintptr_t, const ScreenRect& window, const std::optional<ScreenRect>& trayIcon,
                             const ScreenRect& screen, int direction) {
    const auto route = path(window, trayIcon, screen, direction);
    if (!route || m_running || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
        QGuiApplication::primaryScreen() == nullptr || QGuiApplication::platformName() == QLatin1String("offscreen") ||
        QGuiApplication::platformName() == QLatin1String("minimal")) {
        return;
    }
    m_running = true;

    QWidget frame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                               Qt::WindowDoesNotAcceptFocus);
    frame.setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette palette = frame.palette();
    palette.setColor(QPalette::Window, QColor(0x4a, 0x6a, 0x94)); // the blue grey of a title bar
    frame.setPalette(palette);
    frame.setAutoFillBackground(true);

    QVariantAnimation animation;
    animation.setDuration(kDurationMs);
    animation.setEasingCurve(QEasingCurve::InOutQuad);
    animation.setStartValue(route->first);
    animation.setEndValue(route->second);
    QObject::connect(&animation, &QVariantAnimation::valueChanged, &frame, [&frame](const QVariant& value) {
        const QRect r = value.toRect();
        frame.setGeometry(r);
        frame.setMask(outline(r.size()));
    });

    frame.setGeometry(route->first);
    frame.setMask(outline(route->first.size()));
    frame.show();

    // The caller changes the window's state only after the effect, so wait for it here; input
    // waits too, so that a second click on the tray cannot start another toggle meanwhile.
    QEventLoop loop;
    QObject::connect(&animation, &QVariantAnimation::finished, &loop, &QEventLoop::quit);
    animation.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    frame.hide();
    m_running = false;
}

} // namespace tarvik
