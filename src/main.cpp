#include "mainwindow/FrmainHost.h"
#include "monitor/AppContext.h"
#include "monitor/Frmload.h"
#include "monitor/UiFonts.h"
#include "platform/Platform.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"
#include "settings/Texts.h"

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
    const auto folders = tarvik::ProgramFolders::decide(tarvik::programFolderFacts(state.executable));
    state.programFolder = folders.programFolder();
    state.dataFolder = folders.dataFolder();
    const auto native = tarvik::createNativePlatform(state.executable, folders);
    tarvik::Platform& platform = native->platform();
    if (std::string failure; !folders.prepare(platform.fileReplacer, failure)) {
        platform.dialogs.message(tarvik::Texts::programFolderFailed(tarvik::pathToUtf8(state.programFolder), failure),
                                 std::string(), tarvik::MessageIcon::None);
        return 1;
    }
    tarvik::AppContext context(state, platform);

    tarvik::FrmainHost mainWindow(context);
    tarvik::Frmload monitor(context, mainWindow);
    mainWindow.setApplyChartStyle([&monitor] { monitor.SetJm(); });
    tarvik::watchSessionEnd([&monitor] { monitor.Form_Unload(); });
    if (!monitor.Form_Load()) {
        return 1;
    }
    return QApplication::exec();
}
