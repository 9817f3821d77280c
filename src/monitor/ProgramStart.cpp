#include "monitor/ProgramStart.h"

#include "mainwindow/FrmainHost.h"
#include "monitor/AppContext.h"
#include "monitor/Frmload.h"
#include "settings/Paths.h"
#include "settings/ProgramFolders.h"
#include "settings/Texts.h"

namespace tarvik {

int startProgram(AppState& state, const ProgramFolders& folders, Platform& platform,
                 const std::function<int()>& runEventLoop) {
    if (std::string failure; !folders.prepare(platform.fileReplacer, failure)) {
        platform.dialogs.message(Texts::programFolderFailed(pathToUtf8(state.programFolder), failure), std::string(),
                                 MessageIcon::None);
        return 1;
    }
    AppContext context(state, platform);

    FrmainHost mainWindow(context);
    Frmload monitor(context, mainWindow);
    mainWindow.setApplyChartStyle([&monitor] { monitor.SetJm(); });
    watchSessionEnd([&monitor] { monitor.Form_Unload(); });
    if (!monitor.Form_Load()) {
        return 1;
    }
    return runEventLoop();
}

} // namespace tarvik
