#include "mainwindow/FrmainHost.h"
#include "monitor/AppContext.h"
#include "monitor/Frmload.h"
#include "monitor/UiFonts.h"
#include "platform/Platform.h"
#include "settings/Paths.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    tarvik::prepareQtEnvironment();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVIK_VERSION));
    QApplication::setFont(tarvik::UiFonts::applicationFont());
    // The program lives in the tray; closing a window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    tarvik::AppState state;
    // In the system's own spelling: on Windows the Run value and every path shown hold backslashes.
    state.executable =
        tarvik::pathFromUtf8(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString());
    state.programFolder = state.executable.parent_path();
    const auto native = tarvik::createNativePlatform(state.executable);
    tarvik::AppContext context(state, native->platform());

    tarvik::FrmainHost mainWindow(context);
    tarvik::Frmload monitor(context, mainWindow);
    mainWindow.setApplyChartStyle([&monitor] { monitor.SetJm(); });
    tarvik::watchSessionEnd([&monitor] { monitor.Form_Unload(); });
    if (!monitor.Form_Load()) {
        return 1;
    }
    return QApplication::exec();
}
