#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/MemoryInfoPage.h"
#include "settings/Texts.h"
#include "ui/ChartSurface.h"

#include <QLabel>
#include <QPushButton>
#include <stdexcept>

using namespace tarvik;
using namespace tarvik::test;

namespace {

const QColor kGreen(0, 192, 0);
const QColor kRed(255, 0, 0);
const QColor kGrid(28, 121, 198);

class MemoryPage : public MainWindowFixture {
protected:
    void setMemory(double totalMiB, double freeMiB) {
        fakes.memory.set(static_cast<std::uint64_t>(totalMiB * kMiB), static_cast<std::uint64_t>(freeMiB * kMiB));
    }
    QString text(QLabel* label) const { return label->text(); }
    QColor colour(QLabel* label) const { return label->palette().color(QPalette::WindowText); }
    QColor chartAt(double x, double y) {
        ChartSurface* pic = memoryPage().Pic1();
        return pic->canvas().pixelColor(pic->toPixel(x, y));
    }
    int countColour(const QColor& c) {
        const QImage& img = memoryPage().Pic1()->canvas();
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                n += img.pixelColor(x, y) == c ? 1 : 0;
            }
        }
        return n;
    }
};

// A memory source that cannot be read.
class BrokenMemorySource : public MemorySource {
public:
    std::optional<MemoryStatus> sample() override { throw std::runtime_error("no memory figures"); }
};

} // namespace

TEST_F(MemoryPage, WorkedExampleCaptions) {
    setMemory(256, 95.3);
    build();
    host->showWindow();
    window().Timer1_Timer();
    MemoryInfoPage& page = memoryPage();
    EXPECT_EQ(text(page.lblTotalPhys()), QStringLiteral("物理内存总量: 256M"));
    EXPECT_EQ(text(page.lblAvailPhys()), QStringLiteral("可用的物理内存: 95M"));
    EXPECT_EQ(text(page.lblTotalPage()), QStringLiteral("可用的页面文件: 80%"));
    EXPECT_EQ(text(page.lblTotalVirtual()), QStringLiteral("可用的虚拟内存: 98%"));
    EXPECT_EQ(text(page.Label0TX()), QStringLiteral("可用的物理内存:37%"));
    EXPECT_EQ(page.InfoChartHistory()[1], 37);
    EXPECT_EQ(colour(page.Label0TX()), QColor(Qt::black));
    EXPECT_EQ(text(page.Label0ZLVal()), QStringLiteral("可用内存最低限度(红线):25%"));
    // The self-sizing captions show their whole text.
    EXPECT_GE(page.lblTotalPhys()->width(), page.lblTotalPhys()->sizeHint().width());
    EXPECT_EQ(state.Memory.dwLength, 32u);

    setMemory(255.5, 95.9); // total rounded up, free rounded down
    window().Timer1_Timer();
    EXPECT_EQ(text(page.lblTotalPhys()), QStringLiteral("物理内存总量: 256M"));
    EXPECT_EQ(text(page.lblAvailPhys()), QStringLiteral("可用的物理内存: 95M"));

    const QString axis[5] = {"100%", "75%", "50%", "25%", "0%"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(text(page.Label2(i)), axis[i]);
        EXPECT_GE(page.Label2(i)->width(), page.Label2(i)->fontMetrics().horizontalAdvance(axis[i])) << i;
    }
}

TEST_F(MemoryPage, CaptionTurnsRedBelowTheMinimumByTheRoundedDownValue) {
    build();
    fakes.memory.set(1000 * kMiB, 247 * kMiB); // 24.7 %: shows 25 %, plots 24
    window().Timer1_Timer();
    // The hidden page gets its captions and their colour when it is shown.
    host->showWindow();
    EXPECT_EQ(text(memoryPage().Label0TX()), QStringLiteral("可用的物理内存:25%"));
    EXPECT_EQ(memoryPage().InfoChartHistory()[1], 24);
    EXPECT_EQ(colour(memoryPage().Label0TX()), kRed);

    setMemory(256, 64); // exactly 25 %
    window().Timer1_Timer();
    EXPECT_EQ(colour(memoryPage().Label0TX()), QColor(Qt::black));

    state.Settings.MinFreePercent = 30; // a saved setting shows at the next tick
    window().Timer1_Timer();
    EXPECT_EQ(text(memoryPage().Label0ZLVal()), QStringLiteral("可用内存最低限度(红线):30%"));
    EXPECT_EQ(colour(memoryPage().Label0TX()), kRed);
}

TEST_F(MemoryPage, ZeroTotalsShowZeroPercent) {
    fakes.memory.next = MemoryStatus{};
    build();
    host->showWindow();
    window().Timer1_Timer();
    EXPECT_EQ(text(memoryPage().lblTotalPhys()), QStringLiteral("物理内存总量: 0M"));
    EXPECT_EQ(text(memoryPage().lblTotalPage()), QStringLiteral("可用的页面文件: 0%"));
    EXPECT_EQ(text(memoryPage().lblTotalVirtual()), QStringLiteral("可用的虚拟内存: 0%"));
    EXPECT_EQ(text(memoryPage().Label0TX()), QStringLiteral("可用的物理内存:0%"));
    EXPECT_EQ(memoryPage().InfoChartHistory()[1], 0);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(MemoryPage, ChartKeepsTheLast41ValuesNewestAtTheRight) {
    build();
    host->showWindow(); // a hidden window's chart is drawn when it is shown
    // Until the first tick: the grid alone.
    EXPECT_GT(countColour(kGrid), 0);
    EXPECT_EQ(countColour(kGreen), 0);
    EXPECT_EQ(countColour(kRed), 0);
    EXPECT_EQ(chartAt(-400, 60), kGrid);
    EXPECT_EQ(chartAt(-200, 100), kGrid);
    EXPECT_EQ(chartAt(0, 50), kGrid);
    EXPECT_EQ(chartAt(-200, 0), kGrid);

    setMemory(100, 37);
    window().Timer1_Timer();
    const auto& h = memoryPage().InfoChartHistory();
    EXPECT_EQ(h[1], 37);
    for (int i = 2; i <= 41; ++i) {
        EXPECT_EQ(h[static_cast<std::size_t>(i)], 0) << i;
    }
    EXPECT_EQ(chartAt(0, 30), kGreen);
    EXPECT_NE(chartAt(0, 45), kGreen);
    EXPECT_NE(chartAt(-10, 10), kGreen);
    EXPECT_EQ(chartAt(-205, 25), kRed); // between two bars
    EXPECT_NE(chartAt(-205, 30), kRed);

    // Ticks 2 to 41 carry 40, 41, ... 79 % free.
    for (int tick = 2; tick <= 41; ++tick) {
        setMemory(100, 38.5 + tick);
        window().Timer1_Timer();
    }
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(h[static_cast<std::size_t>(i)], 80 - i) << i;
    }
    EXPECT_EQ(h[41], 37); // the first value is now the oldest
    EXPECT_EQ(chartAt(-400, 30), kGreen);
    EXPECT_NE(chartAt(-400, 45), kGreen);
    EXPECT_EQ(chartAt(0, 75), kGreen);
    EXPECT_EQ(chartAt(-205, 25), kRed);

    // Hidden, the history still advances; the picture catches up when the window is shown again.
    host->hideWindow();
    setMemory(100, 10);
    window().Timer1_Timer(); // the oldest drops out
    host->showWindow();
    EXPECT_EQ(h[1], 10);
    EXPECT_EQ(h[41], 40);
    EXPECT_EQ(chartAt(-205, 60), QColor(Qt::black)); // the old drawing is gone
}

TEST_F(MemoryPage, WriteToLogUsesTheCaptionsAsTheyStand) {
    build();
    window().Timer1_Timer();
    const int samples = fakes.memory.samples;
    setMemory(512, 300); // not sampled by the button
    memoryPage().Cmd0Save()->click();
    EXPECT_EQ(fakes.memory.samples, samples);
    EXPECT_EQ(lastLogMessage(), "内存信息:\r\n物理内存总量: 256M\r\n可用的物理内存: 96M\r\n可用的页面文件: 80%\r\n"
                                "可用的虚拟内存: 98%");
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("内存资料已写入日志。"));

    // An entry that does not reach the file is not reported as written.
    fakes.replacer.failAll = true;
    memoryPage().Cmd0Save()->click();
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("写入日志失败。"));
}

TEST_F(MemoryPage, UnreadableMemoryIsLoggedAndTheWindowStillLoads) {
    BrokenMemorySource broken;
    FakePlatform& f = fakes;
    Platform platform{broken,      *f.codecImpl,   f.replacer, f.appender, f.clock,    f.allocator,
                      f.clipboard, f.autostart,    f.sound,    f.shell,    f.launcher, f.instanceGuard,
                      f.ender,     f.trayAnimator, f.dialogs,  f.desktop};
    folder.write("Tarvik.log", "a\r\n");
    host.reset();
    context = std::make_unique<AppContext>(state, platform);
    host = std::make_unique<FrmainHost>(*context);

    build();
    EXPECT_EQ(lastLogMessage(), Texts::kLogMemoryInfoFailed);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(window().currentPage(), MainWindowPage::Memory);

    // A tick that cannot sample still serves the refresh request.
    state.PageRefreshRequested = 1;
    window().Timer1_Timer();
    EXPECT_EQ(state.PageRefreshRequested, 0);
    host.reset();
}
