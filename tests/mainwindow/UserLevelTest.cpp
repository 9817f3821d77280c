#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "mainwindow/SoftwareSettingsPage.h"
#include "mainwindow/UserLevelPage.h"
#include "mainwindow/UserSettingsPage.h"
#include "monitor/Frmload.h"
#include "settings/Texts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace tarvik;
using namespace tarvik::test;

namespace {

const QString kBeginnerText = QStringLiteral("初级用户，只能更改计算机使用类型(不能进行自定义设置)"
                                             "，内存监视窗口界面，以及查看内存详细资料和日志，不能进行其他操作。");
const QString kNormalText = QStringLiteral("普通用户，可以使用大多数功能，但禁用清空日志等功能。");
const QString kAdvancedText = QStringLiteral("高级用户，可以使用软件的所有功能。");

class UserLevel : public MainWindowFixture {
protected:
    UserLevel() {
        useSettings("2,False,40,False,Alarm.wav,False,180,False,False,False,True,False,10,0");
        useAccess(2, 0);
    }
    UserLevelPage& page() { return levelPage(); }
    int optionShown() {
        const QRadioButton* options[] = {page().OptCJ(), page().OptZJ(), page().OptGJ()};
        for (int i = 0; i < 3; ++i) {
            if (options[i]->isChecked()) {
                return i + 1;
            }
        }
        return 0;
    }
};

} // namespace

TEST_F(UserLevel, StoredLevelChoosesItsOptionAndDescriptionUnknownLevelsTheBeginners) {
    build();
    const QString descriptions[] = {kBeginnerText, kBeginnerText, kNormalText, kAdvancedText, kBeginnerText};
    for (int level : {3, 0, 1, 4, 2}) {
        state.Access.UserLevel = static_cast<std::uint8_t>(level);
        openPage(MainWindowPage::UserLevel);
        EXPECT_EQ(optionShown(), level == 2 || level == 3 ? level : 1) << level;
        EXPECT_EQ(page().Label3JB()->text(), descriptions[level]) << level;
        EXPECT_TRUE(softwarePage().FmeSoftSet()->isEnabled());
    }
    // Choosing an option changes the description only.
    page().OptGJ()->click();
    EXPECT_EQ(page().Label3JB()->text(), kAdvancedText);
    EXPECT_EQ(state.Access.UserLevel, 2);
    EXPECT_TRUE(fakes.replacer.written.empty());
}

TEST_F(UserLevel, SavingWritesTheLevelWithTheStoredUsageType) {
    useAccess(2, 3);
    build();
    page().OptGJ()->click();
    window().CmdSaveSet_Click(2);
    EXPECT_EQ(folder.read("AqSet.dxl"), "3,3\r\n");
    EXPECT_EQ(state.Access.UserLevel, 3);
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("用户级别设置保存完毕。"));
    EXPECT_EQ(lastLogMessage(), "保存用户级别设置。");
    EXPECT_TRUE(userPage().FmeZL()->isEnabled()); // the page itself follows at the next refresh

    // A beginner sees the plain usage type at once; the stored one is written unchanged.
    page().OptCJ()->click();
    window().CmdSaveSet_Click(2);
    EXPECT_EQ(folder.read("AqSet.dxl"), "1,3\r\n");
    EXPECT_EQ(userPage().CmbLX()->currentIndex(), 0);
    EXPECT_EQ(userPage().Label1LXJS()->text(), QStringLiteral("适合普通的家庭电脑用户，以及日常办公，文字处理等。"));
    EXPECT_EQ(userPage().HScrollZL()->value(), 25);
    EXPECT_FALSE(userPage().FmeZL()->isEnabled());
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    // The next refresh chooses the stored "自定义..." for a beginner: refused, until the user
    // settings are saved with a type of their own.
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kBeginnerRefused});
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("AqSet.dxl"), "1,0\r\n");
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(fakes.dialogs.shown.size(), 1u);
}

TEST_F(UserLevel, NoOptionChosenSavesTheBeginnerLevel) {
    build();
    for (QRadioButton* option : {page().OptCJ(), page().OptZJ(), page().OptGJ()}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    window().CmdSaveSet_Click(2);
    EXPECT_EQ(folder.read("AqSet.dxl"), "1,0\r\n");
    EXPECT_EQ(state.Access.UserLevel, 1);
}

TEST_F(UserLevel, ReleaseOptionsAreOpenOnlyForCustomUsageAtEveryLevel) {
    for (int level : {1, 2, 3}) {
        for (int usage : {0, 1, 2, 3}) {
            useAccess(level, usage);
            build();
            openPage(MainWindowPage::UserSettings);
            EXPECT_EQ(userPage().FmeZL()->isEnabled(), usage == 3 && level != 1) << level << "/" << usage;
            host.reset();
            runDeferredDeletes();
            host = std::make_unique<FrmainHost>(*context);
        }
    }
}

// Every gated command at every stored level, read when the command runs, through the real
// monitor window and main window over one program folder.
TEST_F(UserLevel, EveryGatePassesExactlyItsLevels) {
    struct Outcome {
        bool batchStarted, clipboardCleared, released, customised, logCleared;
    };
    for (int level : {0, 1, 2, 3, 4}) {
        TempFolder programFolder;
        FakePlatform pf;
        AppState st;
        st.programFolder = programFolder.path();
        st.executable = programFolder.path() / "tarvik";
        pf.memory.set(256 * kMiB, 96 * kMiB);
        programFolder.write("AqSet.dxl", std::to_string(level) + ",0\r\n");
        programFolder.write("afn.dxl", "1,/usr/bin/xclock,True,\r\n");
        programFolder.write("Tarvik.log", "a\r\n");
        AppContext ctx(st, pf.platform);
        FrmainHost mainWindow(ctx);
        Frmload monitor(ctx, mainWindow);
        ASSERT_TRUE(monitor.Form_Load());

        Outcome got{};
        got.batchStarted = !pf.launcher.started.empty();
        monitor.MnuQK_Click();
        got.clipboardCleared = pf.clipboard.clears > 0;
        monitor.MnuZL_Click();
        got.released = !pf.allocator.allocations.empty();
        mainWindow.window()->userSettingsPage()->CmbLX()->setCurrentIndex(UserSettingsPage::kCustomUsage);
        got.customised = mainWindow.window()->userSettingsPage()->CmbLX()->currentIndex() == 3;
        mainWindow.window()->logPage()->ImageQK_Click();
        got.logCleared = programFolder.read("Tarvik.log") == "\r\n";

        const bool advanced = level == 3;
        const bool normalOrAdvanced = level == 2 || level == 3;
        EXPECT_EQ(got.batchStarted, advanced) << level;
        EXPECT_EQ(got.clipboardCleared, advanced) << level;
        EXPECT_EQ(got.released, normalOrAdvanced) << level;
        EXPECT_EQ(got.customised, normalOrAdvanced) << level;
        EXPECT_EQ(got.logCleared, advanced) << level;

        // The refusals, in order, with their titles and icons.
        std::vector<std::string> expected;
        std::vector<MessageIcon> icons;
        if (!advanced) {
            expected.push_back(Texts::kAdvancedOnly);
            icons.push_back(MessageIcon::Information);
        }
        if (!normalOrAdvanced) {
            expected.insert(expected.end(), {Texts::kBeginnerRefused, Texts::kBeginnerRefused});
            icons.insert(icons.end(), {MessageIcon::Information, MessageIcon::None});
        }
        if (!advanced) {
            expected.push_back(Texts::kAdvancedOnly);
            icons.push_back(MessageIcon::Information);
        }
        EXPECT_EQ(pf.dialogs.messages(), expected) << level;
        std::vector<MessageIcon> shownIcons;
        for (const auto& shown : pf.dialogs.shown) {
            if (shown.kind == "message") {
                shownIcons.push_back(shown.icon);
                EXPECT_EQ(shown.title, "提示");
            }
        }
        EXPECT_EQ(shownIcons, icons) << level;
        EXPECT_EQ(pf.dialogs.shown.back().kind == "confirm", advanced); // the confirmation came first
    }
}

TEST_F(UserLevel, AGateReadsTheLevelSavedAMomentAgo) {
    useAccess(1, 0);
    build();
    fakes.dialogs.confirmAnswers = {true};
    logPage().ImageQK_Click();
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kAdvancedOnly});
    page().OptGJ()->click();
    window().CmdSaveSet_Click(2);
    logPage().ImageQK_Click();
    EXPECT_EQ(folder.read("Tarvik.log"), "\r\n");
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
}
