#include "MonitorFixture.h"

#include "ui/BoldTextLabel.h"
#include "ui/ChartPictures.h"
#include "ui/ChartSurface.h"
#include "ui/CurtMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QTimerEvent>

#include <cstdlib>

using namespace tarvik;
using namespace tarvik::test;

namespace {

constexpr std::uint64_t MiB = 1048576ULL;

class MonitorDisplay : public MonitorFixture {
protected:
    void startWithStyle(int style) {
        folder.write("set.dxl", "3,True,10,True,Alarm.wav,False,180,False,False,False,True,False,10," +
                                    std::to_string(style) + "\r\n");
        ASSERT_TRUE(start());
    }
    // Free memory as a fraction of 1000 MiB.
    void setFree(double fraction) { fakes.memory.set(1000 * MiB, static_cast<std::uint64_t>(fraction * 1000 * MiB)); }
    QColor pixel(ChartSurface* s, double x, double y) { return s->canvas().pixelColor(s->toPixel(x, y)); }
    // Whether the pixel column of x holds the colour within a couple of rows of y.
    bool near(ChartSurface* s, double x, double y, const QColor& colour) {
        const QPoint p = s->toPixel(x, y);
        for (int dy = -2; dy <= 2; ++dy) {
            const int row = p.y() + dy;
            if (row >= 0 && row < s->canvas().height() && s->canvas().pixelColor(p.x(), row) == colour) {
                return true;
            }
        }
        return false;
    }
};

} // namespace

TEST_F(MonitorDisplay, BarWidthIsTheFreeShareOf1200TwipsInWholePixels) {
    startWithStyle(0);
    setFree(0.375);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label4()->width(), 30); // 450 twips
    EXPECT_FLOAT_EQ(window().BarPercent(), 37.5f);
    setFree(0.1); // 120 twips: exactly 8 pixels
    window().Timer1_Timer();
    EXPECT_FLOAT_EQ(window().BarPercent(), 10.0f);
    setFree(0.0875); // 105 twips: exactly 7 pixels
    window().Timer1_Timer();
    EXPECT_FLOAT_EQ(window().BarPercent(), 8.75f);
    setFree(1.0);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label4()->width(), 80);
    setFree(0.0);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label4()->width(), 0);
}

TEST_F(MonitorDisplay, EveryLabelAndTooltipShowsTheLatestSampleWhicheverPanelShowsAndWhenShown) {
    Frmload fresh(*context, host);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fresh.Label1(i)->toolTip(), QStringLiteral("可用的物理内存")) << i;
        EXPECT_EQ(fresh.LabelJM(i)->text(), QStringLiteral(">"));
        EXPECT_EQ(fresh.LabelJM(i)->toolTip(), QStringLiteral("更改界面"));
        EXPECT_NE(dynamic_cast<BoldTextLabel*>(fresh.LabelJM(i)), nullptr); // drawn bold
    }
    startWithStyle(1);
    window().hide();
    fakes.memory.set(512 * MiB, static_cast<std::uint64_t>(128.9 * MiB));
    window().Timer1_Timer();
    // Hidden labels are given the figures when they come into view: the window shown, or their
    // panel chosen.
    window().show();
    for (int i : {1, 2, 0}) {
        window().MnuJM_Click(i);
        EXPECT_EQ(window().Label1(i)->text(), QStringLiteral("25%")) << i;
        EXPECT_EQ(window().Label1(i)->toolTip(), QStringLiteral("可用的物理内存(RAM): 128 M")) << i;
    }
    setFree(0.456);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label1(0)->text(), QStringLiteral("46%"));
    EXPECT_EQ(window().Label1(0)->toolTip(), QStringLiteral("可用的物理内存(RAM): 456 M"));
    window().MnuJM_Click(2);
    EXPECT_EQ(window().Label1(2)->text(), QStringLiteral("46%"));
}

TEST_F(MonitorDisplay, SamplesWithoutFiguresOrWithAZeroTotalKeepTheFiguresAndAreLoggedOncePerRun) {
    startWithStyle(0);
    setFree(0.375);
    window().Timer1_Timer();
    const QString tip = window().Label1(0)->toolTip();
    auto errors = [this] {
        const std::string log = logText();
        int n = 0;
        for (auto at = log.find("运行时出现错误。"); at != std::string::npos;
             at = log.find("运行时出现错误。", at + 1)) {
            ++n;
        }
        return n;
    };
    fakes.memory.next = MemoryStatus{}; // a zero total
    for (int i = 0; i < 3; ++i) {
        window().Timer1_Timer();
        window().Timer3_Timer();
    }
    fakes.memory.fail = true; // no figures at all: the same run of failures
    window().Timer1_Timer();
    window().Timer3_Timer();
    EXPECT_EQ(window().Label1(0)->text(), QStringLiteral("38%"));
    EXPECT_EQ(window().Label1(0)->toolTip(), tip);
    EXPECT_EQ(window().Label4()->width(), 30);
    EXPECT_EQ(window().LineHistory()[1], 37.0);
    EXPECT_EQ(errors(), 1);

    // A sample read ends the run; the next failure is logged again.
    fakes.memory.fail = false;
    setFree(0.5);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label4()->width(), 40);
    fakes.memory.fail = true;
    window().Timer1_Timer();
    window().Timer1_Timer();
    EXPECT_EQ(errors(), 2);
    EXPECT_EQ(window().Label1(0)->text(), QStringLiteral("50%"));
}

TEST_F(MonitorDisplay, HistoriesShiftOneSlotPerRedrawAndDropTheOldest) {
    setFree(0.555);
    startWithStyle(1); // start-up draws once
    const auto& line = window().LineHistory();
    EXPECT_EQ(line[1], 55.0); // rounded down, while the labels read 56%
    EXPECT_EQ(window().Label1(1)->text(), QStringLiteral("56%"));
    for (std::size_t i = 2; i < 43; ++i) {
        EXPECT_EQ(line[i], 0.0) << i;
    }
    // Right after start: flat along the bottom, rising to the newest value at the right edge.
    EXPECT_EQ(pixel(window().Pic1(), -200, 0), QColor(0, 255, 0));
    EXPECT_TRUE(near(window().Pic1(), 0, 55, QColor(0, 255, 0)));
    EXPECT_FALSE(near(window().Pic1(), -100, 55, QColor(0, 255, 0)));
    // The peak chart is drawn from its history when it comes into view.
    window().MnuJM_Click(2);
    EXPECT_EQ(pixel(window().Pic2(), 0, 30), QColor(93, 179, 255));
    EXPECT_NE(pixel(window().Pic2(), -100, 30), QColor(93, 179, 255));
    window().MnuJM_Click(1);

    // The charts plot the latest sample of the one-second tick.
    for (int n = 2; n <= 41; ++n) {
        setFree(n / 100.0 + 0.001);
        window().Timer1_Timer();
        window().Timer3_Timer();
    }
    // 41 redraws: the start-up sample sits in slot 41, the newest in slot 1, the start-up zeros gone.
    EXPECT_EQ(line[41], 55.0);
    EXPECT_EQ(line[40], 2.0);
    EXPECT_EQ(line[1], 41.0);
    EXPECT_EQ(line[0], 0.0);
    EXPECT_EQ(line[42], 0.0);
    EXPECT_EQ(window().PeakHistory(), line);
    window().Timer3_Timer();
    EXPECT_EQ(line[41], 2.0);
    EXPECT_EQ(line[42], 0.0); // slot 42 is never written
}

TEST_F(MonitorDisplay, OneSecondTimerSamplesAndShowsFirstThenAdvancesTheCharts) {
    setFree(0.375);
    startWithStyle(1);
    setFree(0.5);
    QTimer* second = window().timer(1);
    ASSERT_EQ(window().timer(3), second);
    EXPECT_EQ(second->interval(), 1000);
    QTimerEvent tick(second->timerId());
    QCoreApplication::sendEvent(second, &tick);
    EXPECT_EQ(window().Label1(1)->text(), QStringLiteral("50%"));
    EXPECT_EQ(window().LineHistory()[1], 50.0); // the sample of the same tick
    EXPECT_EQ(window().LineHistory()[2], 37.0);
}

TEST_F(MonitorDisplay, StyleMenuResizesAtTheSameCornerAndRewritesBothFiles) {
    startWithStyle(1);
    window().move(100, 60);
    EXPECT_EQ(window().size(), QSize(71, 37));
    window().MnuJM_Click(2);
    EXPECT_EQ(window().geometry(), QRect(100, 60, 72, 24));
    EXPECT_FALSE(window().panel(0)->isVisible());
    EXPECT_FALSE(window().panel(1)->isVisible());
    EXPECT_TRUE(window().panel(2)->isVisible());
    const std::string info = folder.read("info.dxl");
    EXPECT_EQ(info, "3,True,10,True,Alarm.wav,False,180,False,False,False,True,False,10,2\r\n");
    EXPECT_EQ(folder.read("set.dxl"), info);
    EXPECT_EQ(folder.read("Tarvik.log"), ""); // no log line

    // The same style again still rewrites both files.
    const auto writes = fakes.replacer.written.size();
    window().MnuJM_Click(2);
    EXPECT_EQ(fakes.replacer.written.size(), writes + 2);

    window().MnuJM_Click(0);
    EXPECT_EQ(window().geometry(), QRect(100, 60, 120, 16));

    // A style outside 0..2 shows no panel change.
    state.Settings.ChartStyle = 7;
    window().SetJm();
    EXPECT_EQ(window().size(), QSize(120, 16));
    EXPECT_TRUE(window().panel(0)->isVisible());
}

TEST_F(MonitorDisplay, StyleMenuLogsAStyleItCouldNotStoreAndStillShowsIt) {
    startWithStyle(1);
    const std::string stored = folder.read("set.dxl");
    for (const char* refused : {"info.dxl", "set.dxl"}) {
        fakes.replacer.failNames = {refused};
        window().MnuJM_Click(2);
        EXPECT_EQ(lastLogMessage(), "配置失败。") << refused;
        EXPECT_TRUE(window().panel(2)->isVisible()) << refused;
        EXPECT_EQ(folder.read("set.dxl"), stored) << refused;
    }
}

TEST_F(MonitorDisplay, StyleMenuOffersTheThreeStylesWithoutCheckMarks) {
    startWithStyle(0);
    QStringList texts;
    for (QAction* a : window().MnuJM()->actions()) {
        texts << a->text();
        EXPECT_FALSE(a->isCheckable());
    }
    EXPECT_EQ(texts, (QStringList{"条形图", "折线图", "峰值图"}));
}

TEST_F(MonitorDisplay, PeakChartShowsEveryValueAboveZeroAndKeepsItsFigureClearOfTheBars) {
    setFree(0.035);
    startWithStyle(2);
    const QColor blue(93, 179, 255);
    const QImage& canvas = window().Pic2()->canvas();
    // 3 % is less than one row high: it still shows one; the empty slots show none.
    EXPECT_EQ(canvas.pixelColor(window().Pic2()->toPixel(0, 0)), blue);
    EXPECT_NE(canvas.pixelColor(window().Pic2()->toPixel(-30, 0)), blue);
    // The figure lies right of the newest bar, against the chart's right edge.
    setFree(0.97);
    window().Timer1_Timer();
    int newestColumn = -1;
    for (int x = 0; x < canvas.width(); ++x) {
        if (canvas.pixelColor(x, canvas.height() - 1) == blue) {
            newestColumn = x;
        }
    }
    QLabel* figure = window().Label1(2);
    EXPECT_EQ(figure->text(), QStringLiteral("97%"));
    EXPECT_GT(figure->x(), newestColumn);
    EXPECT_EQ(figure->geometry().right(), window().Pic2()->width() - 1);
    // A figure too wide for the free part is shown whole rather than cut.
    setFree(1.0);
    window().Timer1_Timer();
    EXPECT_EQ(figure->text(), QStringLiteral("100%"));
    EXPECT_GE(figure->width(), figure->fontMetrics().horizontalAdvance(figure->text()));
}

TEST_F(MonitorDisplay, ChartsOfAScaledScreenAreDrawnInItsDevicePixelsWithEvenLines) {
    startWithStyle(1);
    for (int n = 0; n < 41; ++n) {
        setFree(0.1 + 0.08 * ((n * 7) % 11)); // a jagged history with steep and flat parts
        window().Timer1_Timer();
        window().Timer3_Timer();
    }
    const QColor green(0, 255, 0);
    // Every column the line crosses holds one unbroken run of it, at least a logical pixel thick
    // in whole device pixels, that meets the run of the column before.
    const auto expectEvenLine = [&](double ratio, int thickness) {
        window().setChartPixelRatio(ratio);
        const QImage& img = window().Pic1()->canvas();
        ASSERT_EQ(img.size(), QSize(qRound(69 * ratio), qRound(35 * ratio))) << ratio;
        EXPECT_EQ(img.devicePixelRatio(), ratio);
        int lastTop = -1, lastBottom = -1;
        for (int x = 0; x < img.width(); ++x) {
            int top = -1, bottom = -1, count = 0;
            for (int y = 0; y < img.height(); ++y) {
                if (img.pixelColor(x, y) == green) {
                    top = top < 0 ? y : top;
                    bottom = y;
                    ++count;
                }
            }
            ASSERT_GE(count, thickness) << ratio << " column " << x;
            EXPECT_EQ(count, bottom - top + 1) << ratio << " column " << x;
            if (x > 0) {
                EXPECT_TRUE(top <= lastBottom + 1 && bottom >= lastTop - 1) << ratio << " column " << x;
            }
            lastTop = top;
            lastBottom = bottom;
        }
    };
    expectEvenLine(1.0, 1);
    expectEvenLine(1.5, 2);
    expectEvenLine(2.0, 2);
    // The background at twice the density is the same picture, each pixel enlarged.
    QImage twice = ChartPictures::lineChartBackground(2.0);
    twice.setDevicePixelRatio(1.0);
    EXPECT_EQ(twice, ChartPictures::lineChartBackground(1.0).scaled(138, 70));
    // The bar's width, which the supervision reads back, stays in whole logical pixels.
    setFree(0.375);
    window().Timer1_Timer();
    EXPECT_EQ(window().Label4()->width(), 30);
    EXPECT_FLOAT_EQ(window().BarPercent(), 37.5f);
    // Right after start the peak chart's one bar is two logical pixels wide, and its figure keeps
    // clear of it.
    startWithStyle(2);
    window().setChartPixelRatio(2.0);
    const QImage& peaks = window().Pic2()->canvas();
    ASSERT_EQ(peaks.size(), QSize(144, 48));
    int right = -1, width = 0;
    for (int x = 0; x < peaks.width(); ++x) {
        if (peaks.pixelColor(x, 47) == QColor(93, 179, 255)) {
            right = x;
            ++width;
        }
    }
    EXPECT_EQ(width, 4);
    EXPECT_GT(window().Label1(2)->x() * 2, right);
}

class MonitorScreens : public MonitorDisplay {};

TEST_F(MonitorScreens, ChartsAreDrawnAgainForTheScreenTheWindowMovesTo) {
    if (std::getenv("TARVIK_TEST_SCREENS") == nullptr) {
        GTEST_SKIP() << "needs the two screens of its own process (ctest monitor.screens)";
    }
    folder.write("wtl.dxl", "1500,1500,240\r\n"); // 100, 100 on the screen at 100 %
    startWithStyle(1);
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    EXPECT_EQ(window().Pic1()->canvas().size(), QSize(69, 35));
    window().move(1000, 100); // onto the screen at 200 %
    EXPECT_EQ(window().Pic1()->canvas().size(), QSize(138, 70));
    EXPECT_EQ(window().Pic2()->pixelRatio(), 2.0);
    window().move(100, 100);
    EXPECT_EQ(window().Pic1()->canvas().size(), QSize(69, 35));
}
