#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "mainwindow/LogView.h"
#include "mainwindow/MemoryInfoPage.h"
#include "mainwindow/PageStrip.h"
#include "ui/ClickLabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class MainWindowFrame : public MainWindowFixture {
protected:
    // Exactly one page frame is visible, and it is `page`.
    void expectOnlyPage(MainWindowPage page) {
        int shown = 0;
        for (int i = 0; i < kMainWindowPages; ++i) {
            shown += window().pageFrame(static_cast<MainWindowPage>(i))->isHidden() ? 0 : 1;
        }
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(window().currentPage(), page);
    }
    QColor captionColour(int i) { return window().Picmain()->Label5(i)->palette().color(QPalette::WindowText); }
    QString logView() { return logPage().TxtRZ()->toPlainText(); }
};

const QColor kBlue(0, 0, 255);

} // namespace

TEST_F(MainWindowFrame, StartUpBuildsAHiddenFixedWindowOnTheMemoryPage) {
    writeLog("2006-12-5 8:00:00 整理内存。\r\n");
    EXPECT_FALSE(host->memoryCaptions());
    Frmain& w = build();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("塔维内存整理"));
    EXPECT_EQ(w.size(), QSize(462, 334));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    expectOnlyPage(MainWindowPage::Memory);
    EXPECT_EQ(w.LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
    EXPECT_TRUE(w.Timer1()->isActive()); // also while hidden
    // The load filled the memory figures; the log view holds nothing of the log until its page is
    // shown.
    EXPECT_EQ(logPage().TxtRZ()->lines().byteCount(), 0u);
    const auto captions = host->memoryCaptions();
    ASSERT_TRUE(captions);
    EXPECT_EQ((*captions)[0], "物理内存总量: 256M");
    EXPECT_EQ((*captions)[3], "可用的虚拟内存: 98%");
    host->openAtPage(MainWindowPage::Log);
    EXPECT_EQ(logView(), QStringLiteral("2006-12-5 8:00:00 整理内存。\n"));
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    // Building again while it exists changes nothing.
    host->create();
    EXPECT_EQ(&window(), &w);
}

TEST_F(MainWindowFrame, PageButtonsShowExactlyOnePageRereadTheLogAndCloseHidesKeepingThePage) {
    folder.write("Tarvik.log", "a\r\n");
    build();
    host->showWindow();
    for (int page : {1, 3, 4, 2, 0, 4}) {
        click(window().Picmain()->Imgmain(page));
        expectOnlyPage(static_cast<MainWindowPage>(page));
        EXPECT_TRUE(window().isVisible());
    }
    folder.write("Tarvik.log", "b\r\n");
    click(window().Picmain()->Imgmain(4)); // the page already shown
    EXPECT_EQ(logView(), QStringLiteral("b\n"));
    // A caption is no button.
    click(window().Picmain()->Label5(1));
    expectOnlyPage(MainWindowPage::Log);

    folder.write("Tarvik.log", "c\r\n");
    click(window().Picmain()->Imgmain(5));
    EXPECT_FALSE(window().isVisible());
    expectOnlyPage(MainWindowPage::Log);
    host->showWindow(); // the monitor's double-click
    EXPECT_TRUE(window().isVisible());
    expectOnlyPage(MainWindowPage::Log);
    EXPECT_EQ(logView(), QStringLiteral("c\n"));
}

TEST_F(MainWindowFrame, StripMovesBy1100TwipsOnAChangeAnd20WhileTheThumbIsDragged) {
    build();
    PageStrip& strip = *window().Picmain();
    QScrollBar& bar = *strip.VSCmain();
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 1);
    EXPECT_EQ(strip.Framain()->height(), 393); // 5895 twips, taller than the viewport

    bar.setValue(1);
    EXPECT_EQ(strip.FramainTop(), -1100);
    EXPECT_EQ(strip.Framain()->y(), -73);
    bar.setValue(0);
    EXPECT_EQ(strip.FramainTop(), 0);
    EXPECT_EQ(strip.Framain()->y(), 0);

    bar.setSliderDown(true);
    bar.setValue(1);
    EXPECT_EQ(strip.FramainTop(), -20);
    EXPECT_EQ(strip.Framain()->y(), -1);
    bar.setSliderDown(false); // the mouse is released
    EXPECT_EQ(strip.FramainTop(), -1100);
}

TEST_F(MainWindowFrame, CaptionsTurnBlueUnderTheMouseUntilItCrossesAnIconOrTheStrip) {
    build();
    host->showWindow();
    PageStrip& strip = *window().Picmain();
    const QColor plain = strip.palette().color(QPalette::ButtonText);
    for (int i = 0; i < PageStrip::kButtons; ++i) {
        EXPECT_EQ(captionColour(i), plain);
    }
    hover(strip.Imgmain(2));
    EXPECT_EQ(captionColour(2), kBlue);
    hover(strip.Label5(4)); // only this caption changes
    EXPECT_EQ(captionColour(4), kBlue);
    EXPECT_EQ(captionColour(2), kBlue);
    hover(strip.Imgmain(0)); // an icon resets the others first
    EXPECT_EQ(captionColour(0), kBlue);
    EXPECT_EQ(captionColour(2), plain);
    EXPECT_EQ(captionColour(4), plain);
    hover(strip.ImgMain00());
    for (int i = 0; i < PageStrip::kButtons; ++i) {
        EXPECT_EQ(captionColour(i), plain) << i;
    }
    hover(strip.Label5(5));
    hover(strip.Framain());
    EXPECT_EQ(captionColour(5), plain);
}

TEST_F(MainWindowFrame, HelpAsksTheShellForTheHelpFileAndReportsNothing) {
    build();
    window().CmdHelp()->click();
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0].first, (folder.path() / "Tarvik.chm").string());
    EXPECT_EQ(fakes.shell.opened[0].second, folder.path().string());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    window().LabelTS()->setText(QStringLiteral("x"));
    click(window().LabelTS());
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("x"));
}

TEST_F(MainWindowFrame, CloseBoxDestroysTheWindowAndTheNextShowBuildsItAnew) {
    build();
    host->showWindow();
    window().Imgmain_Click(static_cast<int>(MainWindowPage::Log));
    for (int i = 0; i < 3; ++i) {
        window().Timer1_Timer();
    }
    QPointer<Frmain> old = &window();
    old->close();
    EXPECT_EQ(host->window(), nullptr);
    EXPECT_FALSE(host->memoryCaptions()); // the monitor's report falls back on its own figures
    runDeferredDeletes();
    EXPECT_TRUE(old.isNull());

    host->showWindow(); // double-click on the monitor window
    EXPECT_TRUE(window().isVisible());
    expectOnlyPage(MainWindowPage::Memory);
    EXPECT_EQ(memoryPage().InfoChartHistory()[1], 0); // a fresh chart

    window().close();
    host->openAtPage(MainWindowPage::Log); // a tray command after the close
    expectOnlyPage(MainWindowPage::Log);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MainWindowFrame, OpeningAtAPageShowsRestoresAndAsksForARefresh) {
    build();
    window().showMinimized();
    host->openAtPage(MainWindowPage::UserSettings);
    EXPECT_TRUE(window().isVisible());
    expectOnlyPage(MainWindowPage::UserSettings);
    EXPECT_FALSE(window().windowState() & Qt::WindowMinimized);
    EXPECT_EQ(state.PageRefreshRequested, 1);
    EXPECT_FALSE(state.MainWindowShown); // only the double-click flips it

    host->openAtPage(MainWindowPage::Memory);
    expectOnlyPage(MainWindowPage::Memory);
    host->hideWindow();
    EXPECT_FALSE(window().isVisible());
    host->openAtPage(MainWindowPage::Log);
    expectOnlyPage(MainWindowPage::Log);
}

TEST_F(MainWindowFrame, RefreshRequestIsServedByTheNextTickOnly) {
    folder.write("Tarvik.log", "a\r\n");
    build();
    host->openAtPage(MainWindowPage::Log);
    context->log.AppendLogLine("整理内存。");
    EXPECT_EQ(logView(), QStringLiteral("a\n"));
    window().Timer1_Timer();
    EXPECT_EQ(logView(), QStringLiteral("a\n2006-12-6 22:24:44 整理内存。\n"));
    EXPECT_EQ(state.PageRefreshRequested, 0);

    folder.write("Tarvik.log", "b\r\n");
    window().Timer1_Timer(); // no request: the view stays
    EXPECT_EQ(logView(), QStringLiteral("a\n2006-12-6 22:24:44 整理内存。\n"));
}
