#include "program/ProgramStart.h"

#include "app/AppContext.h"
#include "monitor/Frmload.h"
#include "program/FrmainHost.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"
#include "settings/Texts.h"

namespace tarvik {

int startProgram(AppState& state, const ProgramFolders& folders, Platform& platform,
                 const std::function<int()>& runEventLoop) {
    // A second start reads and writes no file: the check comes before the user's folder is made
    // or filled from the installed files.
    if (platform.instanceGuard.anotherInstanceRuns()) {
        platform.dialogs.message(Texts::kAlreadyRunning, Texts::kAlreadyRunningTitle, MessageIcon::Information);
        platform.ender.endNow(0);
        return 0;
    }
    if (std::string failure; !folders.prepare(platform.fileReplacer, failure)) {
        platform.dialogs.message(Texts::programFolderFailed(pathToUtf8(state.programFolder), failure), std::string(),
                                 MessageIcon::None);
        return 1;
    }
    AppContext context(state, platform);

    FrmainHost mainWindow(context);
    Frmload monitor(context, mainWindow);
    mainWindow.setApplyChartStyle([&monitor] { monitor.SetJm(); });
    platform.desktop.watchSessionEnd([&monitor] { monitor.Form_Unload(); });
    if (!monitor.Form_Load()) {
        return 1;
    }
    return runEventLoop();
}

} // namespace tarvik
