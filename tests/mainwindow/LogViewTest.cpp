#include "MainWindowFixture.h"

#include "mainwindow/LogView.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class LogViewTest : public MainWindowFixture {
protected:
    LogViewTest() : view(*fakes.codecImpl) {
        view.resize(257, 257);
        view.show();
    }
    void setText(const std::string& utf8) { view.setLines(LogLines(fakes.codecImpl->fromUtf8Lossy(utf8))); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers);
        QCoreApplication::sendEvent(&view, &press);
    }
    void mouse(QEvent::Type type, QPoint at) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(view.viewport()->mapToGlobal(at)), Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &event);
    }
    // Whether the view's picture holds text (dark pixels).
    bool showsText() {
        const QImage shot = view.viewport()->grab().toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (qGray(shot.pixel(x, y)) < 100) {
                    return true;
                }
            }
        }
        return false;
    }
    LogView view;
};

} // namespace

TEST_F(LogViewTest, ScrollsToEveryLineFromTheEnd) {
    std::string log;
    for (int i = 0; i < 1000; ++i) {
        log += "第" + std::to_string(i) + "行 2006-12-6 22:24:44 系统可用内存低于最低限度25%，自动整理内存。\r\n";
    }
    setText(log);
    EXPECT_EQ(view.rowCount(), 1001); // and the empty row after the last line
    QScrollBar& bar = *view.verticalScrollBar();
    const int end = view.topRow();
    EXPECT_EQ(end, bar.maximum()); // the newest entries at the bottom
    EXPECT_GT(end, 990);
    EXPECT_TRUE(showsText());
    key(Qt::Key_Home);
    EXPECT_EQ(view.topRow(), 0);
    key(Qt::Key_PageDown);
    EXPECT_EQ(view.topRow(), bar.pageStep());
    key(Qt::Key_Down);
    EXPECT_EQ(view.topRow(), bar.pageStep() + 1);
    key(Qt::Key_End);
    EXPECT_EQ(view.topRow(), end);
    view.setTopRow(500);
    EXPECT_EQ(view.topRow(), 500);
    EXPECT_TRUE(showsText());
    EXPECT_EQ(view.lines().byteCount(), fakes.codecImpl->fromUtf8Lossy(log).size());
}

TEST_F(LogViewTest, MouseAndKeysSelectAndCopy) {
    setText("甲乙\r\n丙丁\r\n");
    EXPECT_EQ(view.toPlainText(), QStringLiteral("甲乙\n丙丁\n"));
    EXPECT_EQ(view.selectedText(), QString());
    const int line = view.fontMetrics().lineSpacing();
    const int firstChar = view.fontMetrics().horizontalAdvance(QStringLiteral("丙"));
    mouse(QEvent::MouseButtonPress, QPoint(1, 5));
    mouse(QEvent::MouseMove, QPoint(4 + firstChar, 4 + line + line / 2));
    mouse(QEvent::MouseButtonRelease, QPoint(4 + firstChar, 4 + line + line / 2));
    EXPECT_EQ(view.selectedText(), QStringLiteral("甲乙\n丙"));
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("甲乙\n丙"));

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.toPlainText());
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(10, 4 + line + line / 2), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &twice);
    EXPECT_EQ(view.selectedText(), QStringLiteral("丙丁")); // the row under the mouse

    view.clear();
    EXPECT_EQ(view.toPlainText(), QString());
    EXPECT_EQ(view.selectedText(), QString());
}
