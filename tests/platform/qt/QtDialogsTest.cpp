#include "platform/qt/QtDialogs.h"

#include <gtest/gtest.h>

using tarvik::QtDialogs;

TEST(QtDialogs, FilterPairsBecomeQtNameFilters) {
    EXPECT_EQ(QtDialogs::toQtFilter("声音文件(*.wav;*.mid)|*.wav;*.mid"), "声音文件(*.wav *.mid)");
    EXPECT_EQ(QtDialogs::toQtFilter("文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"), "文本文件(*.txt);;所有文件(*.*)");
    // The pattern half is what counts; a description without patterns gets them.
    EXPECT_EQ(QtDialogs::toQtFilter("日志(*.log)|*.log;*.txt"), "日志(*.log *.txt)");
    EXPECT_EQ(QtDialogs::toQtFilter("Text files|*.txt"), "Text files(*.txt)");
    EXPECT_EQ(QtDialogs::toQtFilter("Wave (*.wav)|  *.wav ; *.WAV  "), "Wave(*.wav *.WAV)");
    // Halves missing or left empty.
    EXPECT_EQ(QtDialogs::toQtFilter("声音(*.wav;*.mid)"), "声音(*.wav *.mid)");
    EXPECT_EQ(QtDialogs::toQtFilter("全部|"), "全部(*)");
    EXPECT_EQ(QtDialogs::toQtFilter("|*.dxl"), "*.dxl (*.dxl)");
    EXPECT_EQ(QtDialogs::toQtFilter("文本(*.txt)|*.txt|"), "文本(*.txt)");
    EXPECT_EQ(QtDialogs::toQtFilter(""), "");
}
