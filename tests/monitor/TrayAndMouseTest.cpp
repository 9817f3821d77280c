#include "MonitorFixture.h"

#include "ui/ChartSurface.h"
#include "ui/CurtMenu.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QSystemTrayIcon>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class TrayAndMouse : public MonitorFixture {
protected:
    void SetUp() override {
        folder.write("wtl.dxl", "300,3000,240\r\n");
        ASSERT_TRUE(start());
    }
    void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint local = QPoint(2, 2)) {
        const QPointF global = w->mapToGlobal(QPointF(local));
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent ev(type, QPointF(local), global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &ev);
    }
    void doubleClick(QWidget* w) { mouse(w, QEvent::MouseButtonDblClick, Qt::LeftButton); }
    void closeMenus() {
        window().MNU()->hide();
        window().MnuJM()->hide();
    }
    QStringList texts(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out;
    }
};

} // namespace

TEST_F(TrayAndMouse, PopupMenuHoldsTheItemsInOrderWithTheOperationsSubmenu) {
    EXPECT_EQ(texts(window().MNU()),
              (QStringList{"隐藏", "整理内存", "操作", "主窗口", "设置...", "帮助", "-", "退出"}));
    QMenu* operations = window().MNU()->actions()[2]->menu();
    ASSERT_NE(operations, nullptr);
    EXPECT_EQ(texts(operations), (QStringList{"清空剪贴板", "查看日志"}));
    for (QAction* a : window().MNU()->actions()) {
        EXPECT_FALSE(a->isCheckable());
        EXPECT_TRUE(a->shortcut().isEmpty());
    }
}

TEST_F(TrayAndMouse, TrayDoubleClickTogglesWithTheAnimationFirst) {
    ASSERT_TRUE(window().isVisible());
    window().trayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(state.MonitorShown);
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("恢复"));
    ASSERT_EQ(fakes.trayAnimator.calls.size(), 1u);
    EXPECT_EQ(fakes.trayAnimator.calls[0].direction, 1);
    EXPECT_EQ(fakes.trayAnimator.calls[0].window, (ScreenRect{200, 20, 320, 36}));

    window().trayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(state.MonitorShown);
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("隐藏"));
    ASSERT_EQ(fakes.trayAnimator.calls.size(), 2u);
    EXPECT_EQ(fakes.trayAnimator.calls[1].direction, 0);

    // The menu item does the same.
    window().MnuYC_Click();
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(fakes.trayAnimator.calls.size(), 3u);
}

TEST_F(TrayAndMouse, OnlyDoubleClickAndContextClickOnTheTrayIconAct) {
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
        window().trayActivated(reason);
    }
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(window().MNU()->isVisible());
    EXPECT_TRUE(fakes.trayAnimator.calls.empty());
    window().trayActivated(QSystemTrayIcon::Context);
    EXPECT_TRUE(window().MNU()->isVisible());
    closeMenus();
}

TEST_F(TrayAndMouse, MenuCommandsOpenTheMainWindowPagesAndTheHelpFile) {
    window().MnuZCK_Click();
    window().MnuSet_Click();
    window().MnuRZ_Click();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"create", "page0", "page1", "page4"}));
    EXPECT_FALSE(state.MainWindowShown); // the double-click flag is not touched
    window().MnuHelp_Click();
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0].first, (folder.path() / "Tarvik.chm").string());
    EXPECT_EQ(fakes.shell.opened[0].second, folder.path().string());
    // An installed program's help stays where it was installed until the user has their own.
    test::TempFolder installed(false);
    installed.write("Tarvik.chm", "help");
    state.dataFolder = installed.path();
    window().MnuHelp_Click();
    ASSERT_EQ(fakes.shell.opened.size(), 2u);
    EXPECT_EQ(fakes.shell.opened[1].first, (installed / "Tarvik.chm").string());
    EXPECT_EQ(fakes.shell.opened[1].second, folder.path().string());
}

TEST_F(TrayAndMouse, DoubleClickOnBarPanelBarAndChartsTogglesTheMainWindow) {
    host.calls.clear();
    std::vector<QWidget*> surfaces{window().panel(0), window().Label4(), window().Pic1(), window().Pic2()};
    for (QWidget* w : surfaces) {
        doubleClick(w);
    }
    EXPECT_EQ(host.calls, (std::vector<std::string>{"show", "hide", "show", "hide"}));
    EXPECT_FALSE(state.MainWindowShown);
}

TEST_F(TrayAndMouse, PercentagesAndStyleButtonsTakeNoDoubleClick) {
    host.calls.clear();
    for (int i = 0; i < 3; ++i) {
        doubleClick(window().Label1(i));
        doubleClick(window().LabelJM(i));
    }
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(state.MainWindowShown);
}

TEST_F(TrayAndMouse, EveryPixelOfTheBarTogglesAndEveryPixelOfAStyleButtonOpensTheStyleMenu) {
    // What lies under the mouse decides, as on the screen: a figure's box must not cover the bar.
    auto under = [this](QWidget* from, QPoint at) {
        const QPoint inWindow = from->mapTo(&window(), at);
        QWidget* hit = window().childAt(inWindow);
        return std::pair(hit != nullptr ? hit : &window(),
                         hit != nullptr ? hit->mapFrom(&window(), inWindow) : inWindow);
    };
    for (const double free : {0.97, 0.06}) {
        fakes.memory.set(1000 * 1048576ULL, static_cast<std::uint64_t>(free * 1000 * 1048576ULL));
        window().Timer1_Timer();
        QWidget* bar = window().Label4();
        for (int x = 0; x < bar->width(); ++x) {
            host.calls.clear();
            const auto [hit, at] = under(bar, QPoint(x, bar->height() / 2));
            mouse(hit, QEvent::MouseButtonDblClick, Qt::LeftButton, at);
            EXPECT_EQ(host.calls.size(), 1u) << "bar pixel " << x << " at " << free;
        }
    }
    for (int style = 0; style < 3; ++style) {
        state.Settings.ChartStyle = static_cast<std::uint8_t>(style);
        window().SetJm();
        QLabel* jm = window().LabelJM(style);
        // Every pixel of the ">" that lies inside the window.
        const QRect inside = QRect(jm->mapTo(&window(), QPoint(0, 0)), jm->size()) & window().rect();
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QPoint at = jm->mapFrom(&window(), QPoint(x, y));
                ASSERT_EQ(under(jm, at).first, jm) << "style " << style << " pixel " << x << "," << y;
            }
        }
    }
}

TEST_F(TrayAndMouse, FlagCatchesUpWithAWindowOpenedFromTheMenu) {
    window().MnuZCK_Click();
    host.calls.clear();
    doubleClick(window().Label4()); // the window is already shown: no visible change
    doubleClick(window().Label4()); // now it hides
    EXPECT_EQ(host.calls, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(TrayAndMouse, RightButtonReleaseOpensTheMenuAtTheMouseExceptOnStyleButtons) {
    mouse(window().LabelJM(0), QEvent::MouseButtonRelease, Qt::RightButton);
    EXPECT_FALSE(window().MNU()->isVisible());
    mouse(window().Label1(0), QEvent::MouseButtonRelease, Qt::RightButton, QPoint(3, 4));
    EXPECT_TRUE(window().MNU()->isVisible());
    EXPECT_EQ(window().MNU()->pos(), window().Label1(0)->mapToGlobal(QPoint(3, 4)));
    closeMenus();
    mouse(window().Label4(), QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_FALSE(window().MNU()->isVisible());
}

TEST_F(TrayAndMouse, StyleButtonOpensTheStyleMenuOnALeftClick) {
    mouse(window().LabelJM(0), QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(window().LabelJM(0), QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_TRUE(window().MnuJM()->isVisible());
    EXPECT_FALSE(window().MNU()->isVisible());
    closeMenus();
}

TEST_F(TrayAndMouse, LeftButtonDragsTheWindowFromEverySurfaceButTheStyleButtons) {
    const QPoint start = window().pos();
    QWidget* bar = window().Label4();
    const QPointF pressed = bar->mapToGlobal(QPointF(2, 2));
    auto moveBy = [&](QPointF by) {
        const QPointF global = pressed + by;
        QMouseEvent move(QEvent::MouseMove, bar->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &move);
    };
    mouse(bar, QEvent::MouseButtonPress, Qt::LeftButton);
    // A hand that trembles during a click or a double-click does not move the window; past the
    // drag distance the window follows with the pressed spot under the mouse.
    const int still = QApplication::startDragDistance() - 1;
    moveBy(QPointF(still / 2, still - still / 2));
    EXPECT_EQ(window().pos(), start);
    moveBy(QPointF(40, 30));
    mouse(bar, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(window().pos(), start + QPoint(40, 30));

    const QPoint before = window().pos();
    QLabel* jm = window().LabelJM(0);
    mouse(jm, QEvent::MouseButtonPress, Qt::LeftButton);
    QMouseEvent jmMove(QEvent::MouseMove, QPointF(50, 50), jm->mapToGlobal(QPointF(50, 50)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(jm, &jmMove);
    EXPECT_EQ(window().pos(), before);
    closeMenus();
}
