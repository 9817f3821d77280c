#include "platform/linux/QtTrayAnimator.h"

#include "QtTestApp.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>

using tarvik::centreStrip;
using tarvik::QtTrayAnimator;
using tarvik::ScreenRect;

TEST(TrayAnimation, CentreStripIsOnePixelAtTheHorizontalCentre) {
    EXPECT_EQ(centreStrip({100, 700, 200, 740}), (ScreenRect{150, 700, 151, 740}));
    // right - width / 2 lands on a half: rounded to the even neighbour.
    EXPECT_EQ(centreStrip({0, 0, 5, 30}).left, 2);    // 2.5
    EXPECT_EQ(centreStrip({0, 0, 7, 30}).left, 4);    // 3.5
    EXPECT_EQ(centreStrip({1, 0, 4, 30}).left, 2);    // 2.5
    EXPECT_EQ(centreStrip({-10, 0, -3, 5}).left, -6); // -6.5
    // A tray that was not found stays all zeros but for the one-pixel width.
    EXPECT_EQ(centreStrip({}), (ScreenRect{0, 0, 1, 0}));
}

TEST(TrayAnimation, OutlineTravelsBetweenWindowAndTrayStrip) {
    const ScreenRect window{1000, 600, 1080, 620};
    const ScreenRect tray{1800, 1040, 1900, 1080};
    const ScreenRect screen{0, 0, 1920, 1040};
    const QRect windowRect(1000, 600, 80, 20);
    const QRect strip(1850, 1040, 1, 40);

    EXPECT_EQ(QtTrayAnimator::path(window, tray, screen, 1), std::pair(windowRect, strip));
    EXPECT_EQ(QtTrayAnimator::path(window, tray, screen, 0), std::pair(strip, windowRect));
    EXPECT_EQ(QtTrayAnimator::path(window, tray, screen, 2), std::nullopt);
    EXPECT_EQ(QtTrayAnimator::path(window, tray, screen, -1), std::nullopt);

    // No tray position, or an empty one: a 24-pixel icon in the screen's bottom-right corner.
    const QRect corner(1908, 1016, 1, 24);
    EXPECT_EQ(QtTrayAnimator::path(window, std::nullopt, screen, 1), std::pair(windowRect, corner));
    EXPECT_EQ(QtTrayAnimator::path(window, ScreenRect{}, screen, 0), std::pair(corner, windowRect));
}

TEST(TrayAnimation, OffscreenReturnsAtOnceAndLeavesNoWindow) {
    tarvik::test::qtTestApp();
    QtTrayAnimator animator;
    QElapsedTimer timer;
    timer.start();
    for (int direction : {1, 0, 5}) {
        animator.animate(0, {10, 10, 110, 40}, std::nullopt, {0, 0, 800, 600}, direction);
    }
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}
