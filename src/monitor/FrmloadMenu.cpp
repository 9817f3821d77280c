// The monitor window's menus, tray icon and mouse handling.
#include "monitor/Frmload.h"
#include "monitor/TrayClicks.h"
#include "settings/Texts.h"
#include "settings/UserLevel.h"
#include "ui/ChartSurface.h"
#include "ui/CurtMenu.h"

#include <algorithm>
#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSystemTrayIcon>

namespace tarvik {

CurtMenu* Frmload::MNU() {
    buildMenus();
    return m_mnu;
}

CurtMenu* Frmload::MnuJM() {
    buildMenus();
    return m_mnuJM;
}

QAction* Frmload::MnuYC() {
    buildMenus();
    return m_mnuYC;
}

void Frmload::buildMenus() {
    // Built once, on the first use: their style sheets cost a good part of a millisecond, which
    // the start-up spends before its tray icon otherwise.
    if (m_mnu != nullptr) {
        return;
    }
    m_mnu = new CurtMenu(QStringLiteral("菜单"), this);
    m_mnuYC = m_mnu->addAction(QStringLiteral("隐藏"), this, &Frmload::MnuYC_Click);
    m_mnu->addAction(QStringLiteral("整理内存"), this, &Frmload::MnuZL_Click);
    auto* mnuCZ = new CurtMenu(QStringLiteral("操作"), m_mnu);
    mnuCZ->addAction(QStringLiteral("清空剪贴板"), this, &Frmload::MnuQK_Click);
    mnuCZ->addAction(QStringLiteral("查看日志"), this, &Frmload::MnuRZ_Click);
    m_mnu->addMenu(mnuCZ);
    m_mnu->addAction(QStringLiteral("主窗口"), this, &Frmload::MnuZCK_Click);
    m_mnu->addAction(QStringLiteral("设置..."), this, &Frmload::MnuSet_Click);
    m_mnu->addAction(QStringLiteral("帮助"), this, &Frmload::MnuHelp_Click);
    m_mnu->addSeparator();
    m_mnu->addAction(QStringLiteral("退出"), this, &Frmload::MnuExit_Click);

    m_mnuJM = new CurtMenu(QString(), this);
    const QString styles[] = {QStringLiteral("条形图"), QStringLiteral("折线图"), QStringLiteral("峰值图")};
    for (int i = 0; i < 3; ++i) {
        m_mnuJM->addAction(styles[i], this, [this, i] { MnuJM_Click(i); });
    }
}

void Frmload::MnuZL_Click() {
    if (!Gate::mayReleaseByHand(m_ctx.state.Access.UserLevel)) {
        m_ctx.platform.dialogs.message(Texts::kBeginnerRefused, Texts::kNoticeTitle, MessageIcon::Information);
        return;
    }
    ZLMem();
    appendLog(Texts::kLogManualRelease);
}

void Frmload::MnuQK_Click() {
    if (!Gate::mayClearClipboard(m_ctx.state.Access.UserLevel)) {
        m_ctx.platform.dialogs.message(Texts::kAdvancedOnly, Texts::kNoticeTitle, MessageIcon::Information);
        return;
    }
    // Emptying the clipboard cannot fail in a way the user could act on; nothing is reported.
    m_ctx.platform.clipboard.clear();
}

void Frmload::MnuJM_Click(int style) {
    m_ctx.state.Settings.ChartStyle = static_cast<std::uint8_t>(style);
    SetJm();
    // The software settings page saves the style it holds: it must hold this one from now on.
    m_mainWindow.chartStyleChanged();
    // Both files are replaced atomically; when info.dxl cannot be written set.dxl is left alone,
    // so the two never disagree.
    if (!m_ctx.files.writeSettings(m_ctx.state.Settings) || !m_ctx.files.copyInfoOverSet()) {
        appendLog(Texts::kLogChartStyleWriteFailed);
    }
}

void Frmload::LabelJM_Click(int) {
    MnuJM()->popup(QCursor::pos());
}

void Frmload::MnuYC_Click() {
    ToggleMonitorWindow();
}

void Frmload::ToggleMonitorWindow() {
    AppState& st = m_ctx.state;
    if (st.MonitorShown) {
        animateToTray(1);
        hide();
        setMonitorShown(false);
    } else {
        animateToTray(0);
        m_ctx.platform.desktop.keepOffTaskbar(winId());
        show();
        setMonitorShown(true);
    }
}

void Frmload::setMonitorShown(bool shown) {
    MnuYC()->setText(shown ? QStringLiteral("隐藏") : QStringLiteral("恢复"));
    m_ctx.state.MonitorShown = shown;
}

void Frmload::animateToTray(int direction) {
    if ((direction == 1 && !isVisible()) || (direction == 0 && isVisible())) {
        return;
    }
    const QRect g = frameGeometry();
    const ScreenRect window{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    std::optional<ScreenRect> tray;
    if (m_tray != nullptr && m_tray->geometry().isValid() && !m_tray->geometry().isEmpty()) {
        const QRect t = m_tray->geometry();
        tray = ScreenRect{t.left(), t.top(), t.left() + t.width(), t.top() + t.height()};
    }
    QScreen* scr = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    ScreenRect area;
    if (scr != nullptr) {
        const QRect a = scr->availableGeometry();
        area = ScreenRect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    }
    m_ctx.platform.trayAnimator.animate(winId(), window, tray, area, direction);
}

void Frmload::MnuRZ_Click() {
    m_mainWindow.openAtPage(MainWindowPage::Log);
}
void Frmload::MnuZCK_Click() {
    m_mainWindow.openAtPage(MainWindowPage::Memory);
}
void Frmload::MnuSet_Click() {
    m_mainWindow.openAtPage(MainWindowPage::UserSettings);
}

void Frmload::MnuHelp_Click() {
    m_ctx.openHelp(winId());
}

void Frmload::trayActivated(int reason) {
    m_trayClicks->activated(reason);
}

void Frmload::popupMenuAt(const QPoint& globalPos, bool centred) {
    QPoint at = globalPos;
    if (centred) { // opened from the tray icon
        m_ctx.platform.desktop.prepareTrayMenu(winId());
        at.rx() -= MNU()->sizeHint().width() / 2;
    }
    MNU()->popup(at);
}

void Frmload::toggleMainWindow() {
    AppState& st = m_ctx.state;
    if (st.MainWindowShown) {
        st.MainWindowShown = false;
        m_mainWindow.hideWindow();
    } else {
        st.MainWindowShown = true;
        m_mainWindow.showWindow();
    }
}

bool Frmload::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove) {
        return QWidget::eventFilter(watched, event);
    }
    auto* me = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        m_lateTrayHides = false; // the user has the window in hand: a tray that comes leaves it
    }

    // The ">" buttons only open the style menu.
    const auto jm = std::find(m_labelJM.begin(), m_labelJM.end(), watched);
    if (jm != m_labelJM.end()) {
        if (type == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) {
            LabelJM_Click(static_cast<int>(jm - m_labelJM.begin()));
        }
        return true;
    }

    switch (type) {
    case QEvent::MouseButtonPress:
        m_drag.press(*me);
        return true;
    case QEvent::MouseMove:
        m_drag.move(*me);
        return true;
    case QEvent::MouseButtonRelease:
        m_drag.release();
        if (me->button() == Qt::RightButton) {
            popupMenuAt(me->globalPosition().toPoint(), false);
        }
        return true;
    default: // double-click: the window's own surface and the percentage texts take none
        if (watched != this && std::find(m_label1.begin(), m_label1.end(), watched) == m_label1.end() &&
            me->button() == Qt::LeftButton) {
            toggleMainWindow();
        }
        return true;
    }
}

} // namespace tarvik
