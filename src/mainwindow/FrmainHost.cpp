#include "mainwindow/FrmainHost.h"

#include "monitor/AppContext.h"
#include "settings/Texts.h"

namespace tarvik {

FrmainHost::FrmainHost(AppContext& context) : m_ctx(context) {}

FrmainHost::~FrmainHost() { delete m_window; }

void FrmainHost::create() {
    if (m_window) {
        return;
    }
    m_window = new QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                                        Qt::WindowCloseButtonHint);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->setWindowTitle(QString::fromUtf8(Texts::kProgramTitle));
    m_window->setFixedSize(462, 334);
}

void FrmainHost::showWindow() {
    create();
    m_window->show();
}

void FrmainHost::hideWindow() {
    if (m_window) {
        m_window->hide();
    }
}

void FrmainHost::openAtPage(Page) {
    showWindow();
    m_window->setWindowState(m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_ctx.state.PageRefreshRequested = 1;
}

std::optional<std::array<std::string, 4>> FrmainHost::memoryCaptions() const { return std::nullopt; }

} // namespace tarvik
