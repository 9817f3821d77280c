#include "MainWindowFixture.h"

#include "support/LogFile.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/PageStrip.h"
#include "settings/SettingsFormat.h"
#include "ui/ClickLabel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tarvik::test {

namespace {

// One application object for the whole test program. It is never destroyed: at exit Qt's own
// globals (the mouse device of the synthetic clicks) may already be gone.
QApplication& application() {
    static int argc = 1;
    static char name[] = "tests_mainwindow";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral("3.0.0"));
    return *app;
}

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

MainWindowFixture::MainWindowFixture() {
    application();
    state.programFolder = folder.path();
    state.executable = folder.path() / "tarvik";
    fakes.memory.set(256 * kMiB, 96 * kMiB);
    context = std::make_unique<AppContext>(state, fakes.platform);
    host = std::make_unique<FrmainHost>(*context);
}

MainWindowFixture::~MainWindowFixture() {
    host.reset();
    runDeferredDeletes();
}

Frmain& MainWindowFixture::build() {
    context->log.LoadLogText(); // as the start-up left it
    host->create();
    return window();
}

Frmain& MainWindowFixture::window() {
    Frmain* w = host->window();
    if (w == nullptr) {
        throw std::runtime_error("the main window does not exist");
    }
    return *w;
}

MemoryInfoPage& MainWindowFixture::memoryPage() {
    return *window().memoryPage();
}

LogPage& MainWindowFixture::logPage() {
    return *window().logPage();
}

UserSettingsPage& MainWindowFixture::userPage() {
    return *window().userSettingsPage();
}

SoftwareSettingsPage& MainWindowFixture::softwarePage() {
    return *window().softwareSettingsPage();
}

UserLevelPage& MainWindowFixture::levelPage() {
    return *window().userLevelPage();
}

void MainWindowFixture::useSettings(const std::string& line) {
    const auto settings = SettingsFormat::parseSettings(line);
    if (!settings) {
        throw std::runtime_error("not a settings line: " + line);
    }
    state.Settings = *settings;
}

void MainWindowFixture::useAccess(int level, int usage) {
    state.Access.UserLevel = static_cast<std::uint8_t>(level);
    state.Access.UsageType = static_cast<std::uint8_t>(usage);
}

void MainWindowFixture::openPage(MainWindowPage page) {
    click(window().Picmain()->Imgmain(static_cast<int>(page)));
}

void MainWindowFixture::writeLog(const std::string& utf8) const {
    folder.write("Tarvik.log", fakes.codecImpl->fromUtf8Lossy(utf8));
}

std::string MainWindowFixture::logText() const {
    return readLog(folder, *fakes.codecImpl);
}

std::string MainWindowFixture::lastLogMessage() const {
    return test::lastLogMessage(logText());
}

void MainWindowFixture::click(QWidget* widget, QPoint at) {
    if (at == QPoint(-1, -1)) {
        at = widget->rect().center();
    }
    send(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

void MainWindowFixture::hover(QWidget* widget) {
    send(widget, QEvent::MouseMove, widget->rect().center(), Qt::NoButton);
}

void MainWindowFixture::runDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace tarvik::test
