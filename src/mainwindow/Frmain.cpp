#include "mainwindow/Frmain.h"

#include "app/AppContext.h"
#include "mainwindow/LogPage.h"
#include "mainwindow/MemoryInfoPage.h"
#include "mainwindow/PageStrip.h"
#include "mainwindow/SoftwareSettingsPage.h"
#include "mainwindow/UserLevelPage.h"
#include "mainwindow/UserSettingsPage.h"
#include "settings/Texts.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace tarvik {

Frmain::Frmain(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_ctx(context) {
    setWindowTitle(QString::fromUtf8(Texts::kProgramTitle));
    setWindowIcon(ProgramIcon::icon());
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    setFixedSize(twipsToPx(6930), twipsToPx(5010));

    m_strip = new PageStrip(this);
    connect(m_strip, &PageStrip::Imgmain_Click, this, &Frmain::Imgmain_Click);

    m_memoryPage = new MemoryInfoPage(m_ctx, this);
    connect(m_memoryPage, &MemoryInfoPage::statusChanged, this, &Frmain::setStatus);
    m_pages[static_cast<std::size_t>(MainWindowPage::Memory)] = m_memoryPage;
    m_userPage = new UserSettingsPage(m_ctx, this);
    m_userPage->setFillSettingsControls([this] { FillSettingsControls(); });
    m_pages[static_cast<std::size_t>(MainWindowPage::UserSettings)] = m_userPage;
    m_softwarePage = new SoftwareSettingsPage(this);
    m_pages[static_cast<std::size_t>(MainWindowPage::SoftwareSettings)] = m_softwarePage;
    m_levelPage = new UserLevelPage(this);
    m_pages[static_cast<std::size_t>(MainWindowPage::UserLevel)] = m_levelPage;
    const std::array<QPushButton*, 3> saveButtons{m_userPage->CmdSaveSet(), m_softwarePage->CmdSaveSet(),
                                                  m_levelPage->CmdSaveSet()};
    for (int i = 0; i < 3; ++i) {
        connect(saveButtons[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { CmdSaveSet_Click(i); });
    }
    m_logPage = new LogPage(m_ctx, this);
    connect(m_logPage, &LogPage::statusChanged, this, &Frmain::setStatus);
    m_pages[static_cast<std::size_t>(MainWindowPage::Log)] = m_logPage;

    m_labelTS = new QLabel(QString::fromUtf8(Texts::kWelcome), this);
    m_labelTS->setGeometry(twipsRect(1680, 4680, 3375, 255));
    m_cmdAbout = new QPushButton(QStringLiteral("关于"), this);
    m_cmdAbout->setGeometry(twipsRect(5160, 4560, 735, 375));
    connect(m_cmdAbout, &QPushButton::clicked, this, &Frmain::CmdAbout_Click);
    m_cmdHelp = new QPushButton(QStringLiteral("帮助"), this);
    m_cmdHelp->setGeometry(twipsRect(6000, 4560, 735, 375));
    connect(m_cmdHelp, &QPushButton::clicked, this, &Frmain::CmdHelp_Click);

    // Placed in the middle of the screen, where it appears when first shown.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(500);
    connect(m_timer1, &QTimer::timeout, this, &Frmain::Timer1_Timer);
    m_timer1->start();
}

Frmain::~Frmain() = default;

void Frmain::Form_Load() {
    m_logPage->LoadLogView();
    m_memoryPage->RefreshMemoryInfo();
    RefreshPages();
    showPage(MainWindowPage::Memory);
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void Frmain::showPage(MainWindowPage page) {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->setVisible(i == static_cast<std::size_t>(page));
    }
}

std::optional<MainWindowPage> Frmain::currentPage() const {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_pages[i]->isHidden()) {
            return static_cast<MainWindowPage>(i);
        }
    }
    return std::nullopt;
}

void Frmain::Imgmain_Click(int index) {
    // The page buttons in page order, then "关闭".
    if (index >= 0 && index < kMainWindowPages) {
        showPage(static_cast<MainWindowPage>(index));
    } else if (index == kMainWindowPages) {
        hide(); // "关闭": the pages stay as they are
    }
    RefreshPages();
}

void Frmain::Timer1_Timer() {
    try {
        m_memoryPage->tick();
    } catch (...) {
        // A failed sample or drawing only costs this tick; the next one tries again.
    }
    AppState& st = m_ctx.state;
    if (st.PageRefreshRequested == 1) {
        // Cleared first, so that a tick running while a message of the refresh is open does
        // not refresh again, and a request made meanwhile is not lost.
        st.PageRefreshRequested = 0;
        RefreshPages();
    }
}

void Frmain::CmdHelp_Click() {
    m_ctx.openHelp(winId());
}

void Frmain::CmdAbout_Click() {
    if (m_showAbout) {
        m_showAbout();
    }
}

void Frmain::setStatus(const QString& text) {
    m_labelTS->setText(text);
}

void Frmain::closeEvent(QCloseEvent* event) {
    // The close box ends this window; the next show builds a new one.
    event->accept();
    emit closedByUser();
    deleteLater();
}

} // namespace tarvik
