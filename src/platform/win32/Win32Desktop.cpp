#include "platform/win32/Win32Desktop.h"

#include <memory>
#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QSessionManager>
#include <windows.h>

namespace tarvik {

void Win32Desktop::prepareTrayMenu(std::uintptr_t ownerWindow) {
    // Allowed here: the program has just received the tray icon's input.
    ::SetForegroundWindow(reinterpret_cast<HWND>(ownerWindow));
}

namespace {

// A log-off that another program refuses ends with WM_ENDSESSION(FALSE) and the program runs on:
// the next session end is a new one and saves again.
class SessionEndRearm final : public QAbstractNativeEventFilter {
public:
    explicit SessionEndRearm(std::shared_ptr<bool> done) : m_done(std::move(done)) {}
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        const auto* msg = static_cast<const MSG*>(message);
        if (eventType == "windows_generic_MSG" && msg->message == WM_ENDSESSION && msg->wParam == FALSE) {
            *m_done = false;
        }
        return false;
    }

private:
    std::shared_ptr<bool> m_done;
};

} // namespace

void Win32Desktop::watchSessionEnd(std::function<void()> onEnd) {
    // Qt answers WM_QUERYENDSESSION with commitDataRequest and WM_ENDSESSION with aboutToQuit;
    // whichever comes, the handler runs once per session end.
    auto done = std::make_shared<bool>(false);
    static SessionEndRearm rearm(done);
    qGuiApp->installNativeEventFilter(&rearm);
    auto once = [onEnd = std::move(onEnd), done] {
        if (!*done) {
            *done = true;
            onEnd();
        }
    };
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, qGuiApp, [once](QSessionManager&) { once(); });
    QObject::connect(qGuiApp, &QCoreApplication::aboutToQuit, qGuiApp, [once] {
        once();
        // A setup or the Restart Manager sends WM_ENDSESSION and waits for the process to end by
        // itself. Qt follows the signal with quit(), which first asks every window to close: the
        // monitor window refuses (it only hides), and when it is asked before a shown main window,
        // that window stays and the quit is cancelled. exit() ends the event loop regardless.
        QCoreApplication::exit(0);
    });
}

} // namespace tarvik
