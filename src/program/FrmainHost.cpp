#include "program/FrmainHost.h"

#include "about/Frmabout.h"
#include "app/AppContext.h"
#include "mainwindow/Frmain.h"
#include "mainwindow/MemoryInfoPage.h"
#include "mainwindow/SoftwareSettingsPage.h"
#include "platform/Platform.h"
#include "settings/Paths.h"

namespace tarvik {

FrmainHost::FrmainHost(AppContext& context) : m_ctx(context) {}

FrmainHost::~FrmainHost() {
    delete m_window;
    delete m_about;
}

Frmain* FrmainHost::window() const {
    return m_window;
}

Frmabout* FrmainHost::aboutBox() const {
    return m_about;
}

void FrmainHost::create() {
    if (m_window) {
        return;
    }
    m_window = new Frmain(m_ctx);
    m_window->setShowAbout([this] { showAbout(); });
    m_window->setApplyChartStyle(m_applyChartStyle);
    // Forgotten at once, although Qt deletes it a moment later, so that a show in between
    // already builds the new window.
    QObject::connect(m_window, &Frmain::closedByUser, m_window, [this] { m_window = nullptr; });
    m_window->Form_Load();
}

void FrmainHost::showWindow() {
    create();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void FrmainHost::hideWindow() {
    if (m_window) {
        m_window->hide();
    }
}

void FrmainHost::openAtPage(MainWindowPage page) {
    showWindow();
    m_window->showPage(page);
    m_window->setWindowState(m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_ctx.state.PageRefreshRequested = 1;
}

void FrmainHost::chartStyleChanged() {
    // Only the style list follows; whatever else the pages hold unsaved stays as the user left it.
    if (m_window) {
        m_window->softwareSettingsPage()->fillChartStyle(m_ctx.state.Settings.ChartStyle);
    }
}

std::optional<std::array<std::string, 4>> FrmainHost::memoryCaptions() const {
    if (!m_window) {
        return std::nullopt;
    }
    return m_window->memoryPage()->reportCaptions();
}

void FrmainHost::showAbout() {
    if (!m_about) {
        m_about = new Frmabout(m_ctx.platform.shell, pathToUtf8(m_ctx.state.programFolder));
        // A passing box, not a task of its own.
        m_ctx.platform.desktop.keepOffTaskbar(m_about->winId());
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void FrmainHost::setApplyChartStyle(std::function<void()> apply) {
    m_applyChartStyle = std::move(apply);
    if (m_window) {
        m_window->setApplyChartStyle(m_applyChartStyle);
    }
}

} // namespace tarvik
