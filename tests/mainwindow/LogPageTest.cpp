#include "MainWindowFixture.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "settings/Texts.h"

#include <filesystem>
#include <QLabel>
#include <QPlainTextEdit>

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
    void clearAs(int level) {
        state.Access.UserLevel = static_cast<std::uint8_t>(level);
        click(logPage().ImageQK());
    }
    std::string log;
};

} // namespace

TEST_F(LogPageTest, ViewShowsEveryLineEndedByCrLf) {
    folder.write("Tarvik.log", "a\r\nb\nc");
    build();
    EXPECT_EQ(logPage().viewText(), QStringLiteral("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(view(), QStringLiteral("a\nb\nc\n")); // an empty last line
    EXPECT_TRUE(logPage().TxtRZ()->isReadOnly());

    folder.write("Tarvik.log", "d\r\n");
    click(logPage().caption(0)); // the captions are no buttons
    EXPECT_EQ(view(), QStringLiteral("a\nb\nc\n"));
    click(logPage().ImgaeSX());
    EXPECT_EQ(view(), QStringLiteral("d\n"));
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(LogPageTest, UnreadableLogIsReportedOnceAndTheViewKeepsItsText) {
    build();
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
    build();
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
    build();
    clearAs(3);
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n"); // the clearing itself is not logged
    EXPECT_EQ(view(), QString());
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("日志已清空。"));
    click(logPage().ImgaeSX());
    EXPECT_EQ(logPage().viewText(), QStringLiteral("\r\n"));

    // Entries after the clearing start from the emptied file, even when it vanishes meanwhile.
    folder.remove("Tarvik.log");
    context->log.AppendLogLine("x");
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n");
}

TEST_F(LogPageTest, FailedRewriteLeavesTheLogAndTheViewAndSaysSo) {
    build();
    fakes.replacer.failAll = true;
    clearAs(3);
    ASSERT_EQ(fakes.dialogs.shown.size(), 2u);
    EXPECT_EQ(fakes.dialogs.shown[1].text, Texts::kClearLogFailed);
    EXPECT_EQ(fakes.dialogs.shown[1].title, "");
    EXPECT_EQ(folder.read("Tarvik.log"), log);
    EXPECT_EQ(view(), QStringLiteral("2006-12-5 8:00:00 整理内存。\nb\n"));
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
}
