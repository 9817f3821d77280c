#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "mainwindow/LogView.h"
#include "settings/Texts.h"
#include "ui/ClickLabel.h"

#include <filesystem>
#include <QCoreApplication>
#include <QLabel>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class LogPageTest : public MainWindowFixture {
protected:
    LogPageTest() {
        writeLog("2006-12-5 8:00:00 整理内存。\r\nb\r\n");
        log = folder.read("Tarvik.log");
    }
    QString view() { return logPage().TxtRZ()->toPlainText(); }
    // The window built as at start, then shown at the log page.
    void buildOnLogPage() {
        build();
        host->openAtPage(MainWindowPage::Log);
    }
    void clearAs(int level) {
        state.Access.UserLevel = static_cast<std::uint8_t>(level);
        click(logPage().ImageQK());
    }
    std::string log;
};

} // namespace

TEST_F(LogPageTest, ViewShowsEveryLineEndedByCrLf) {
    folder.write("Tarvik.log", "a\r\nb\nc");
    buildOnLogPage();
    EXPECT_EQ(view(), QStringLiteral("a\nb\nc\n")); // an empty last line

    folder.write("Tarvik.log", "d\r\n");
    click(logPage().caption(0)); // the captions are no buttons
    EXPECT_EQ(view(), QStringLiteral("a\nb\nc\n"));
    click(logPage().ImgaeSX());
    EXPECT_EQ(view(), QStringLiteral("d\n"));
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(LogPageTest, UnreadableLogIsReportedOnceAndTheViewKeepsItsText) {
    buildOnLogPage();
    folder.remove("Tarvik.log");
    click(logPage().ImgaeSX());
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, "无法打开日志文件，请重新安装本软件。");
    EXPECT_EQ(fakes.dialogs.shown[0].title, ""); // the program's title
    EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(view(), QStringLiteral("2006-12-5 8:00:00 整理内存。\nb\n"));
    // Appending the failure line recreated the log, so the next refresh reads it.
    EXPECT_TRUE(folder.exists("Tarvik.log"));
    click(logPage().ImgaeSX());
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_TRUE(view().startsWith(QStringLiteral("2006-12-5 8:00:00 整理内存。\nb\n")));
}

TEST_F(LogPageTest, ShownAgainWithTheLogGoneTheViewKeepsItsTextAndSaysSo) {
    buildOnLogPage();
    window().Timer1_Timer(); // the refresh the page asked for
    const QString before = view();
    host->hideWindow();
    folder.remove("Tarvik.log");
    host->showWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(view(), before);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kLogOpenFailed});
    EXPECT_TRUE(folder.exists("Tarvik.log")); // restored by the attempt to log the failure
}

TEST_F(LogPageTest, ALogOverTheBoundShowsItsNewestLinesUnderANote) {
    writeLog("2006-12-5 8:00:00 第一行\r\n2006-12-5 8:00:01 第二行\r\n2006-12-5 8:00:02 第三行\r\n");
    context->log.setBound(60);
    buildOnLogPage();
    EXPECT_EQ(view(), QStringLiteral("（日志较早的记录未显示，请在日志文件 Tarvik.log 中查看。）\n"
                                     "2006-12-5 8:00:01 第二行\n2006-12-5 8:00:02 第三行\n"));
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(LogPageTest, SaveAsCopiesTheLogAndACancelCopiesNothing) {
    build();
    click(logPage().ImageSave()); // cancelled
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    const FakeDialogs::Shown& dialog = fakes.dialogs.shown[0];
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.title, "日志另存为");
    EXPECT_EQ(dialog.directory, folder.path().string());
    EXPECT_EQ(dialog.fileName, "塔维内存整理日志");
    EXPECT_EQ(dialog.suffix, "txt");
    EXPECT_EQ(dialog.filter, "文本文件(*.txt)|*.txt");
    EXPECT_TRUE(fakes.replacer.written.empty());

    folder.write("copy.txt", "old");
    fakes.dialogs.files = {(folder.path() / "copy.txt").string(), std::string(),
                           (folder.path() / "no such folder" / "x.txt").string()};
    click(logPage().ImageSave());
    EXPECT_EQ(folder.read("copy.txt"), log); // byte for byte, replacing the old file
    click(logPage().ImageSave());            // an empty name
    click(logPage().ImageSave());            // an unusable place: silently nothing
    EXPECT_EQ(fakes.dialogs.shown.size(), 4u);
    EXPECT_EQ(fakes.replacer.written.size(), 2u); // the copy, and the attempt at the unusable place
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no such folder"));
    EXPECT_EQ(folder.read("Tarvik.log"), log);
}

TEST_F(LogPageTest, ClearAsksFirstAndIsForAdvancedUsersOnly) {
    buildOnLogPage();
    fakes.dialogs.confirmAnswers = {false};
    clearAs(3);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].kind, "confirm");
    EXPECT_EQ(fakes.dialogs.shown[0].text, "日志清空后将无法恢复，您确定要清空日志么？");
    EXPECT_EQ(fakes.dialogs.shown[0].title, "清空日志");
    EXPECT_EQ(folder.read("Tarvik.log"), log);

    for (int level : {1, 2, 0, 4}) {
        fakes.dialogs.shown.clear();
        clearAs(level);
        ASSERT_EQ(fakes.dialogs.shown.size(), 2u) << level;
        EXPECT_EQ(fakes.dialogs.shown[0].kind, "confirm");
        EXPECT_EQ(fakes.dialogs.shown[1].text, Texts::kAdvancedOnly);
        EXPECT_EQ(fakes.dialogs.shown[1].title, "提示");
        EXPECT_EQ(fakes.dialogs.shown[1].icon, MessageIcon::Information);
        EXPECT_EQ(folder.read("Tarvik.log"), log);
        EXPECT_FALSE(view().isEmpty());
    }
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
}

TEST_F(LogPageTest, AdvancedUserEmptiesTheLogToOneEmptyLine) {
    buildOnLogPage();
    clearAs(3);
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n"); // the clearing itself is not logged
    EXPECT_EQ(view(), QString());
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("日志已清空。"));
    click(logPage().ImgaeSX());
    EXPECT_EQ(view(), QStringLiteral("\n")); // one empty line, and the empty row after it

    // Entries after the clearing start from the emptied file, even when it vanishes meanwhile.
    folder.remove("Tarvik.log");
    context->log.AppendLogLine("x");
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n");
}

TEST_F(LogPageTest, FailedRewriteLeavesTheLogAndTheViewAndSaysSo) {
    buildOnLogPage();
    fakes.replacer.failAll = true;
    clearAs(3);
    ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
    EXPECT_EQ(fakes.dialogs.shown[1].text, Texts::kClearLogFailed);
    EXPECT_EQ(fakes.dialogs.shown[1].title, "");
    EXPECT_EQ(folder.read("Tarvik.log"), log);
    EXPECT_EQ(view(), QStringLiteral("2006-12-5 8:00:00 整理内存。\nb\n"));
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
}

TEST_F(LogPageTest, HiddenWindowHoldsNoLogAndThePageReadsItOnlyWhenItChanged) {
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "2006-12-5 8:00:00 第" + std::to_string(i) + "行\r\n";
    }
    writeLog(many);
    build();
    LogView& view = *logPage().TxtRZ();
    openPage(MainWindowPage::UserSettings); // a page change while hidden: the log is checked, not read
    EXPECT_EQ(view.lines().byteCount(), 0u);
    EXPECT_TRUE(fakes.dialogs.shown.empty());

    host->openAtPage(MainWindowPage::Log);
    EXPECT_EQ(view.lines().byteCount(), folder.read("Tarvik.log").size());
    const int end = view.topRow();
    EXPECT_GT(end, 0);
    // Unchanged, the log is not read again and the reader keeps their place.
    view.setTopRow(3);
    openPage(MainWindowPage::Log);
    click(logPage().ImgaeSX());
    EXPECT_EQ(view.topRow(), 3);
    // Changed, it is read again and shows its newest entries.
    context->log.AppendLogLine("整理内存。");
    openPage(MainWindowPage::Log);
    EXPECT_TRUE(view.toPlainText().endsWith(QStringLiteral("2006-12-6 22:24:44 整理内存。\n")));
    EXPECT_GT(view.topRow(), end - 1);

    // Hidden, the window lets go of the log; shown again unchanged, it is back at the same place.
    view.setTopRow(7);
    const QString text = view.toPlainText();
    host->hideWindow();
    EXPECT_EQ(view.lines().byteCount(), 0u);
    host->showWindow();
    EXPECT_EQ(view.toPlainText(), text);
    EXPECT_EQ(view.topRow(), 7);

    // Hidden or not, a page change tells of a log it cannot read.
    host->hideWindow();
    folder.remove("Tarvik.log");
    openPage(MainWindowPage::SoftwareSettings);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kLogOpenFailed});
    EXPECT_TRUE(folder.exists("Tarvik.log")); // restored by the attempt to log the failure
}
