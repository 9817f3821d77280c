#include "app/AppState.h"
#include "platform/Platform.h"
#include "platform/QtEnvironment.h"
#include "program/ProgramStart.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"
#include "ui/UiFonts.h"

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
    return tarvik::startProgram(state, folders, native->platform(), [] { return QApplication::exec(); });
}
