#include "MonitorFixture.h"

#include "program/ProgramStart.h"
#include "settings/ProgramFolders.h"
#include "settings/Texts.h"
#include "ui/CurtMenu.h"
#include "ui/ProgramIcon.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

#include <filesystem>
#include <fstream>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class Startup : public MonitorFixture {
protected:
    // Expects the start-up to end with the configuration message and `logLine`.
    void expectConfigFailure(const std::string& logLine) {
        EXPECT_FALSE(start());
        ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
        EXPECT_EQ(fakes.dialogs.shown[0].text, Texts::kConfigOpenFailed);
        EXPECT_EQ(fakes.dialogs.shown[0].title, "");
        EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(lastLogMessage(), logLine);
        EXPECT_EQ(fakes.ender.calls.size(), 1u);
        EXPECT_EQ(window().trayIcon(), nullptr);
        EXPECT_TRUE(host.calls.empty());
    }
};

} // namespace

TEST_F(Startup, FactoryFilesStartTheProgramShownWithTrayIconAndTimers) {
    folder.write("wtl.dxl", "300,9000,240\r\n"); // the test screen is 800 pixels wide
    ASSERT_TRUE(start());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_FALSE(fakes.ender.ended());
    EXPECT_TRUE(window().isVisible());
    ASSERT_NE(window().trayIcon(), nullptr);
    EXPECT_EQ(window().trayIcon()->toolTip(), QStringLiteral("塔维内存整理"));
    // The tray and the window carry the program's icon, drawn at the size asked for; the texts
    // are sized to their fonts once the tray icon is there.
    const auto drawn = [](const QIcon& icon, int side) {
        return icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    EXPECT_EQ(drawn(window().trayIcon()->icon(), 22), ProgramIcon::image(22));
    EXPECT_EQ(drawn(window().windowIcon(), 48), ProgramIcon::image(48));
    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(window().Label1(i)->width(), 0) << i;
        EXPECT_GT(window().LabelJM(i)->width(), 0) << i;
    }
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("隐藏"));
    EXPECT_TRUE(state.MonitorShown);
    EXPECT_TRUE(window().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window().windowFlags() & Qt::FramelessWindowHint);
    for (int t : {1, 2, 3}) {
        EXPECT_TRUE(window().timer(t)->isActive()) << t;
    }
    EXPECT_EQ(window().timer(2)->interval(), 15000);
    EXPECT_EQ(host.calls, std::vector<std::string>{"create"});
    // The charts already hold the first sample: 96 of 256 MiB free is 37 %.
    EXPECT_EQ(window().LineHistory()[1], 37.0);
    EXPECT_EQ(window().PeakHistory()[2], 0.0);
    // Stored placement 300,9000 twips = 20, 600 px; bar style size 120 x 16.
    EXPECT_EQ(window().geometry(), QRect(600, 20, 120, 16));
    EXPECT_EQ(state.Access.UserLevel, 2);
    EXPECT_EQ(fakes.sound.fileName, "Alarm.wav");
}

#ifdef _WIN32
TEST_F(Startup, WindowsGetsTheWindowsVistaStyleWhicheverQtBuiltTheProgram) {
    // Qt 6.7 and later would choose another style where the layout was made for this one.
    ASSERT_TRUE(start());
    EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("windowsvista"));
}
#endif

TEST_F(Startup, APlaceThatCannotBeOnAnyScreenMovesTheWindowOntoTheScreen) {
    // 1e30 reads as a number but is no pixel position; the others lie beyond the 800 × 600 screen.
    for (const char* line : {"1e30,1e30,240", "-1e30,300,240", "300,90000,240", "90000,300,240"}) {
        folder.write("wtl.dxl", std::string(line) + "\r\n");
        ASSERT_TRUE(start()) << line;
        EXPECT_TRUE(QRect(0, 0, 800, 600).contains(window().geometry()))
            << line << " at " << window().x() << "," << window().y();
    }
    // A place half on the screen is the user's and stays; 20 of its 120 pixels are brought in.
    folder.write("wtl.dxl", "8760,11100,240\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(window().pos(), QPoint(740, 584));
    folder.write("wtl.dxl", "8850,11700,240\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(window().geometry(), QRect(680, 590, 120, 16));
}

TEST_F(Startup, HiddenAtStartKeepsTheTrayIconAndOffersRestore) {
    folder.write("set.dxl", "3,True,25,False,Alarm.wav,False,720,False,False,True,True,False,10,1\r\n");
    ASSERT_TRUE(start());
    EXPECT_FALSE(window().isVisible());
    // Its native window exists all the same: the request to end at log-off comes through it.
    EXPECT_NE(window().internalWinId(), 0u);
    EXPECT_NE(window().trayIcon(), nullptr);
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("恢复"));
    EXPECT_FALSE(state.MonitorShown);
    // Chart style 1 sizes the window to the line chart and overrides the stored height.
    EXPECT_EQ(window().size(), QSize(71, 37));
}

TEST_F(Startup, HiddenAtStartWithoutATrayShowsTheWindowAndKeepsTheSetting) {
    const std::string hidden = "3,True,25,False,Alarm.wav,False,720,False,False,True,True,False,10,0\r\n";
    folder.write("set.dxl", hidden);
    fakes.trayAnimator.present = false;
    ASSERT_TRUE(start());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(state.MonitorShown);
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("隐藏"));
    EXPECT_TRUE(state.Settings.HideMonitorAtStart);
    EXPECT_EQ(folder.read("set.dxl"), hidden);
}

TEST_F(Startup, ATrayThatComesSoonHidesAnUntouchedWindowAsTheSettingAsks) {
    const std::string hide = "3,True,25,False,Alarm.wav,False,720,False,False,True,True,False,10,0\r\n";
    const std::string show = "3,True,25,False,Alarm.wav,False,720,False,False,False,True,False,10,0\r\n";
    enum Before { Nothing, TwoMinutes, APress, ADoubleClick };
    const struct {
        const std::string& settings;
        Before before;
        bool hides;
    } cases[] = {{hide, Nothing, true},
                 {hide, TwoMinutes, false},
                 {hide, APress, false},
                 {hide, ADoubleClick, false},
                 {show, Nothing, false}};
    for (const auto& c : cases) {
        const std::string name = std::to_string(&c - cases);
        folder.write("set.dxl", c.settings);
        fakes.trayAnimator.present = false;
        ASSERT_TRUE(start()) << name;
        ASSERT_TRUE(window().isVisible()) << name;
        EXPECT_EQ(window().trayIcon(), nullptr) << name;
        ASSERT_FALSE(fakes.trayAnimator.watches.empty()) << name;
        QWidget* bar = window().Label4();
        const QPointF at = bar->mapToGlobal(QPointF(2, 2));
        if (c.before == TwoMinutes) {
            ASSERT_NE(window().lateTrayTimer(), nullptr) << name;
            EXPECT_TRUE(window().lateTrayTimer()->isActive()) << name;
            EXPECT_EQ(window().lateTrayTimer()->interval(), 120000) << name;
            QMetaObject::invokeMethod(window().lateTrayTimer(), "timeout");
        } else if (c.before != Nothing) {
            const auto type = c.before == APress ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick;
            QMouseEvent press(type, QPointF(2, 2), at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(bar, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), at, Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QCoreApplication::sendEvent(bar, &release);
        }
        fakes.trayAnimator.trayAppears();
        ASSERT_NE(window().trayIcon(), nullptr) << name;
        EXPECT_TRUE(window().trayIcon()->isVisible()) << name;
        EXPECT_EQ(window().isVisible(), !c.hides) << name;
        EXPECT_EQ(state.MonitorShown, !c.hides) << name;
        EXPECT_EQ(window().MnuYC()->text(), c.hides ? QStringLiteral("恢复") : QStringLiteral("隐藏")) << name;
        // The icon works: a double-click on it toggles the window.
        window().trayActivated(QSystemTrayIcon::DoubleClick);
        EXPECT_EQ(window().isVisible(), c.hides) << name;
        // A second announcement (a tray started again) changes nothing.
        fakes.trayAnimator.trayAppears();
        EXPECT_EQ(window().isVisible(), c.hides) << name;
        EXPECT_EQ(folder.read("set.dxl"), c.settings) << name;
        fakes.trayAnimator.watches.clear();
    }
}

TEST_F(Startup, SecondInstanceIsRefusedWithoutTouchingAnyFile) {
    fakes.instanceGuard.another = true;
    const std::string wtl = folder.read("wtl.dxl");
    EXPECT_FALSE(start());
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, "该程序已运行。");
    EXPECT_EQ(fakes.dialogs.shown[0].title, "运行");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(fakes.ender.ended());
    EXPECT_TRUE(fakes.replacer.written.empty());
    EXPECT_EQ(folder.read("Tarvik.log"), "");
    EXPECT_EQ(folder.read("wtl.dxl"), wtl);
}

TEST_F(Startup, SecondStartOfAnInstalledProgramLeavesAnEmptyUserFolderEmpty) {
    // Installed where this user may not write: the program folder is the user's own, filled from
    // the installed files at the first start that goes through.
    TempFolder own(false);
    ProgramFolderFacts facts;
    facts.executableFolder = folder.path();
    facts.executableFolderHoldsSettings = true;
    facts.perUserFolder = own.path();
    const ProgramFolders folders = ProgramFolders::decide(facts);
    AppState second;
    second.programFolder = folders.programFolder();
    second.dataFolder = folders.dataFolder();
    fakes.instanceGuard.another = true;
    bool ran = false;
    startProgram(second, folders, fakes.platform, [&ran] { return ran = true, 0; });
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{"该程序已运行。"});
    EXPECT_TRUE(fakes.ender.ended());
    EXPECT_FALSE(ran);
    EXPECT_TRUE(std::filesystem::is_empty(own.path()));
}

TEST_F(Startup, MissingPlacementEndsBeforeTheSettingsAreRead) {
    folder.remove("wtl.dxl");
    // Were set.dxl and info.dxl read, their failure would log the master-file line instead.
    folder.remove("set.dxl");
    folder.remove("info.dxl");
    expectConfigFailure("打开配置文件失败。");
}

TEST_F(Startup, BrokenWorkingCopyFallsBackSilentlyAndIsRebuilt) {
    folder.write("set.dxl", "3,True,10,True,x.wav,False,180,True,True,False,True,False,10\r\n"); // 13 fields
    folder.write("info.dxl", "4,True,30,True,x.wav,False,180,True,True,False,True,False,10,2\r\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(state.Settings.ReleaseLevel, 4);
    EXPECT_EQ(state.Settings.ChartStyle, 2);
    EXPECT_EQ(folder.read("set.dxl"), folder.read("info.dxl"));
    EXPECT_EQ(window().size(), QSize(72, 24));

    // A deleted working copy is rebuilt the same way.
    folder.remove("set.dxl");
    AppState again;
    again.programFolder = folder.path();
    AppContext ctx(again, fakes.platform);
    Frmload second(ctx, host);
    EXPECT_TRUE(second.Form_Load());
    EXPECT_EQ(folder.read("set.dxl"), folder.read("info.dxl"));
}

TEST_F(Startup, BothSettingsFilesBrokenUseTheMasterFileLogLine) {
    folder.write("set.dxl", "garbage\r\n");
    folder.write("info.dxl", "3,True,10,True,C:\\a,b.wav,False,180,True,True,False,True,False,10,0\r\n");
    expectConfigFailure("打开配置文件失败！");
}

TEST_F(Startup, BrokenBatchListOrAccessFileEndsTheStartUp) {
    folder.write("afn.dxl", "2,a.exe,True,b.exe,\r\n");
    expectConfigFailure("打开配置文件失败。");
}

TEST_F(Startup, BrokenAccessFileEndsTheStartUp) {
    folder.write("AqSet.dxl", "two,0\r\n");
    expectConfigFailure("打开配置文件失败。");
}

TEST_F(Startup, MissingLogShowsItsMessageAndLeavesAnEmptyLog) {
    folder.remove("Tarvik.log");
    EXPECT_FALSE(start());
    ASSERT_EQ(fakes.dialogs.messages(), std::vector<std::string>{"无法打开日志文件，请重新安装本软件。"});
    EXPECT_TRUE(fakes.ender.ended());
    // The entry is lost with the unreadable log; the next start finds an empty log.
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n");
}

TEST_F(Startup, ALogOverTheBoundStartsWithItsNewestLinesAndIsAppendedInPlace) {
    folder.write("Tarvik.log", "a\r\n");
    const std::uintmax_t huge = folder.makeHuge("Tarvik.log");
    std::ofstream(folder / "Tarvik.log", std::ios::binary | std::ios::app) << "\r\nnewest\r\n";
    ASSERT_TRUE(start());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(state.LogText, "newest\r\n");

    fakes.memory.fail = true; // logs a line
    window().Timer1_Timer();
    const std::string tail =
        "\r\nnewest\r\n2006-12-6 22:24:44 " + fakes.codecImpl->fromUtf8Lossy("运行时出现错误。") + "\r\n";
    EXPECT_EQ(std::filesystem::file_size(folder / "Tarvik.log"), huge + tail.size());
    std::ifstream in(folder / "Tarvik.log", std::ios::binary);
    std::string start(3, '\0');
    in.read(start.data(), 3);
    std::string end(tail.size(), '\0');
    in.seekg(-static_cast<std::streamoff>(tail.size()), std::ios::end);
    in.read(end.data(), static_cast<std::streamsize>(end.size()));
    EXPECT_EQ(start, "a\r\n");
    EXPECT_EQ(end, tail);
}

TEST_F(Startup, BatchListStartsOnlyForAdvancedUsersAndOnlySelectedEntriesInOrder) {
    folder.write("afn.dxl", "3,/bin/a,True,/bin/b,False,/bin/c,True,\r\n");
    ASSERT_TRUE(start());
    EXPECT_TRUE(fakes.launcher.started.empty());

    setAccess(3);
    AppState advanced;
    advanced.programFolder = folder.path();
    AppContext ctx(advanced, fakes.platform);
    RecordingHost advancedHost;
    Frmload w(ctx, advancedHost);
    ASSERT_TRUE(w.Form_Load());
    EXPECT_EQ(fakes.launcher.started, (std::vector<std::string>{"/bin/a", "/bin/c"}));
    EXPECT_EQ(advancedHost.calls, std::vector<std::string>{"create"});
}

TEST_F(Startup, BatchEntryThatCannotStartStopsTheRestAndDefersTheMainWindow) {
    setAccess(3);
    folder.write("afn.dxl", "3,/bin/a,True,/missing,True,/bin/c,True,\r\n");
    fakes.launcher.failOn = "/missing";
    ASSERT_TRUE(start());
    EXPECT_EQ(fakes.launcher.started, std::vector<std::string>{"/bin/a"});
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(Startup, ExitSavesThePlacementWithCommaBlankAndEnds) {
    ASSERT_TRUE(start());
    window().move(100, 50);
    window().MnuExit_Click();
    EXPECT_EQ(folder.read("wtl.dxl"), "750, 1500, 240\r\n");
    EXPECT_FALSE(window().trayIcon()->isVisible());
    EXPECT_EQ(fakes.ender.calls, std::vector<int>{0});
}

TEST_F(Startup, ExitLogsAFailedPlacementWriteAndStillEnds) {
    ASSERT_TRUE(start());
    fakes.replacer.failNext = 1;
    window().MnuExit_Click();
    EXPECT_EQ(lastLogMessage(), "配置失败。");
    EXPECT_TRUE(fakes.ender.ended());
}

TEST_F(Startup, UnloadSavesThePlacementWithAPlainComma) {
    ASSERT_TRUE(start());
    window().move(30, 45);
    window().close();
    EXPECT_EQ(folder.read("wtl.dxl"), "675,450,240\r\n");
    EXPECT_FALSE(fakes.ender.ended());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().MnuYC()->text(), QStringLiteral("恢复"));
}

TEST_F(Startup, OnAStatusNotifierTrayOneClickTogglesAndTheSessionEndSavesThePlacement) {
    // Such a host draws MNU itself and reports one activation where other trays report a double-click.
    fakes.desktop.statusNotifierHost = true;
    ProgramFolderFacts facts;
    facts.executableFolder = folder.path();
    facts.executableFolderHoldsSettings = true;
    facts.executableFolderWritable = true;
    const int exitCode = startProgram(state, ProgramFolders::decide(facts), fakes.platform, [this] {
        Frmload* monitor = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            monitor = monitor != nullptr ? monitor : qobject_cast<Frmload*>(w);
        }
        EXPECT_NE(monitor, nullptr);
        if (monitor != nullptr) {
            EXPECT_EQ(monitor->trayIcon()->contextMenu(), monitor->MNU());
            monitor->move(30, 45);
            monitor->trayActivated(QSystemTrayIcon::Trigger);
            EXPECT_FALSE(monitor->isVisible());
        }
        fakes.desktop.endSession();
        return 0;
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(folder.read("wtl.dxl"), "675,450,240\r\n");
}
