// Start-up and exit of the monitor window.
#include "monitor/Frmload.h"
#include "monitor/TrayClicks.h"
#include "settings/Paths.h"
#include "settings/PlacementPixels.h"
#include "settings/Texts.h"
#include "settings/UserLevel.h"
#include "ui/CurtMenu.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

namespace tarvik {

bool Frmload::Form_Load() {
    Platform& pf = m_ctx.platform;
    AppState& st = m_ctx.state;

    if (pf.instanceGuard.anotherInstanceRuns()) {
        pf.dialogs.message(Texts::kAlreadyRunning, Texts::kAlreadyRunningTitle, MessageIcon::Information);
        pf.ender.endNow(0);
        return false;
    }

    // The files are read in a fixed order; a later one may override what an earlier one set.
    const auto placement = m_ctx.files.readPlacement();
    if (!placement) {
        return failStartup(Texts::kLogConfigFailed, Texts::kConfigOpenFailed);
    }
    const bool placeable = applyPlacement(*placement);
    if (!readSettingsFiles()) {
        return false;
    }
    auto batch = m_ctx.files.readBatchStart();
    if (!batch) {
        return failStartup(Texts::kLogConfigFailed, Texts::kConfigOpenFailed);
    }
    st.BatchStart = std::move(*batch);
    if (!m_ctx.log.LoadLogText()) {
        return failStartup(Texts::kLogLogOpenFailed, Texts::kLogOpenFailed);
    }
    const auto access = m_ctx.files.readAccess();
    if (!access) {
        return failStartup(Texts::kLogConfigFailed, Texts::kConfigOpenFailed);
    }
    st.Access = *access;

    m_ctx.sampleMemory();
    DrawCharts();
    // Show the first figures at once rather than a second later.
    Timer1_Timer();

    // A placement saved on a screen that is no longer there, or at its very edge, would leave the
    // window out of reach. The task bar and panels count as screen: a small meter is often dropped
    // there on purpose.
    moveWithinReach(placeable);

    // Without a tray a hidden window could never be brought back, nor the program ended: it is
    // shown, and the stored choice is left for a tray that comes (see trayAppeared).
    const bool trayThere = pf.trayAnimator.trayPresent();
    const bool hidden = st.Settings.HideMonitorAtStart && trayThere;
    if (hidden) {
        // Its native window exists all the same, unshown: the system asks a program to end at
        // log-off through its top-level windows, and so does a setup that replaces its files.
        winId();
        hide();
    } else {
        pf.desktop.keepOffTaskbar(winId());
        show();
        raise();
    }

    if (trayThere) {
        buildTray();
    } else {
        watchForLateTray(!hidden && st.Settings.HideMonitorAtStart);
    }
    prepareFirstPaint();
    setMonitorShown(!hidden);
    m_supervisor.PeriodicTickCount = 0;
    m_supervisor.AutoLogTickCount = 0;
    startTimers();
    m_loaded = true;

    // From here on a failure ends the start-up quietly; the program keeps running.
    if (Gate::startsBatchList(st.Access.UserLevel)) {
        std::size_t index = 0;
        for (const BatchStartEntry& entry : st.BatchStart) {
            if (index++ >= kMaxBatchEntries) {
                break;
            }
            if (entry.Selected && !pf.launcher.startMinimized(entry.ProgramPath, pathToUtf8(st.programFolder))) {
                return true; // the main window is then built on its first use
            }
        }
    }
    m_mainWindow.create();
    return true;
}

bool Frmload::failStartup(const char* logLine, const char* message) {
    m_ctx.platform.dialogs.message(message, std::string(), MessageIcon::None);
    appendLog(logLine);
    m_ctx.platform.ender.endNow(1);
    return false;
}

void Frmload::moveWithinReach(bool placeable) {
    const auto rect = [](const QRect& r) { return PixelRect{r.x(), r.y(), r.width(), r.height()}; };
    std::vector<ScreenArea> screens;
    std::size_t primary = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen()) {
            primary = screens.size();
        }
        screens.push_back({rect(screen->geometry()), rect(screen->availableGeometry())});
    }
    const PixelRect place = reachablePlace(rect(geometry()), placeable, screens, primary);
    if (place.x != x() || place.y != y()) {
        move(place.x, place.y);
    }
}

bool Frmload::applyPlacement(const MonitorPlacement& p) {
    const auto px = placementPixels(p, kTwipsPerPixel);
    if (!px) {
        return false;
    }
    move(px->x, px->y);
    if (px->height > 0) {
        resize(width(), px->height);
    }
    return true;
}

void Frmload::applySettings(const SettingsRecord& settings) {
    m_ctx.state.Settings = settings;
    m_ctx.platform.sound.setFileName(settings.AlarmSoundFile);
    SetJm();
}

bool Frmload::readSettingsFiles() {
    if (const auto working = m_ctx.files.readSettings(SettingsFiles::kSet)) {
        applySettings(*working);
        return true;
    }
    const auto master = m_ctx.files.readSettings(SettingsFiles::kInfo);
    if (!master) {
        return failStartup(Texts::kLogMasterConfigFailed, Texts::kConfigOpenFailed);
    }
    applySettings(*master);
    // When set.dxl cannot be replaced the settings are still in memory; the next start falls
    // back to info.dxl again.
    m_ctx.files.copyInfoOverSet();
    return true;
}

void Frmload::buildTray() {
    if (m_tray != nullptr) {
        return;
    }
    m_trayClicks->setStatusNotifierHost(m_ctx.platform.desktop.trayIsStatusNotifierHost());
    m_tray = new QSystemTrayIcon(ProgramIcon::icon(), this);
    m_tray->setToolTip(QString::fromUtf8(Texts::kProgramTitle));
    if (m_trayClicks->statusNotifierHost()) {
        // Such a host draws the icon's menu itself from the one the icon exports: MNU's own
        // actions, so captions, order, submenu and gates stay those of MNU.
        m_tray->setContextMenu(MNU());
    }
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { trayActivated(static_cast<int>(reason)); });
    m_tray->show();
}

void Frmload::watchForLateTray(bool mayHide) {
    // At log-on the panel often starts with the program, a moment after it.
    m_lateTrayHides = mayHide;
    if (mayHide) {
        m_lateTrayTimer = new QTimer(this);
        m_lateTrayTimer->setSingleShot(true);
        m_lateTrayTimer->setInterval(kLateTrayMs);
        connect(m_lateTrayTimer, &QTimer::timeout, this, [this] { m_lateTrayHides = false; });
        m_lateTrayTimer->start();
    }
    m_ctx.platform.trayAnimator.watchForTray([self = QPointer<Frmload>(this)] {
        if (self != nullptr) {
            self->trayAppeared();
        }
    });
}

void Frmload::trayAppeared() {
    if (!m_ctx.platform.trayAnimator.trayPresent()) {
        return;
    }
    buildTray();
    if (m_lateTrayHides && m_ctx.state.MonitorShown) {
        hide();
        setMonitorShown(false);
    }
    m_lateTrayHides = false;
}

void Frmload::startTimers() {
    m_timer1->start(); // Timer1 and Timer3
    m_timer2->start();
}

void Frmload::MnuExit_Click() {
    // Each step runs even when an earlier one failed.
    if (!m_ctx.files.writePlacement(currentPlacement(), ", ")) {
        appendLog(Texts::kLogExitStepFailed);
    }
    if (m_tray != nullptr) {
        m_tray->hide();
    }
    m_ctx.platform.ender.endNow(0);
}

void Frmload::Form_Unload() {
    // A second instance or a start-up that failed has no placement of its own to save.
    if (m_loaded) {
        m_ctx.files.writePlacement(currentPlacement(), ",");
    }
}

void Frmload::closeEvent(QCloseEvent* event) {
    // The window alone goes away; the tray icon brings it back.
    Form_Unload();
    event->ignore();
    hide();
    setMonitorShown(false);
}

} // namespace tarvik
