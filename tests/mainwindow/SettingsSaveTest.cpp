#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/SoftwareSettingsPage.h"
#include "mainwindow/UserLevelPage.h"
#include "mainwindow/UserSettingsPage.h"
#include "monitor/Frmload.h"
#include "settings/Paths.h"
#include "settings/Texts.h"

#include <filesystem>
#include <map>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

using namespace tarvik;
using namespace tarvik::test;

namespace {

constexpr const char* kFactory = "3,True,25,False,Alarm.wav,False,720,False,False,False,True,False,10,0";

class SettingsSave : public MainWindowFixture {
protected:
    SettingsSave() {
        useSettings(kFactory);
        useAccess(2, UserSettingsPage::kCustomUsage);
        host->setApplyChartStyle([this] { applied.push_back(state.Settings.ChartStyle); });
    }
    UserSettingsPage& user() { return userPage(); }
    SoftwareSettingsPage& soft() { return softwarePage(); }

    // The settings files as they are on disk.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> f;
        for (const char* name : {"info.dxl", "set.dxl", "AqSet.dxl", "afn.dxl", "Tarvik.log"}) {
            f[name] = folder.exists(name) ? folder.read(name) : "<missing>";
        }
        return f;
    }
    void expectNoOtherAccessFile() const {
        int accessFiles = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            accessFiles += entry.path().filename() == "AqSet.dxl" || entry.path().filename() == "aqset.dxl";
        }
        EXPECT_EQ(accessFiles, 1);
    }

    void readOnly(const char* name) const {
        std::filesystem::permissions(folder / name, std::filesystem::perms::owner_read);
    }
    void writable(const char* name) const {
        std::filesystem::permissions(folder / name,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }

    std::vector<int> applied; // chart styles handed to the monitor window
};

} // namespace

TEST_F(SettingsSave, UserSettingsAreStoredThenWrittenToInfoAndCopiedToSet) {
    build();
    user().HScrollDX()->setValue(5);
    user().HScrollZL()->setValue(40);
    user().Chkzl()->click();
    user().Chksou()->click();
    user().Text1()->setText(QStringLiteral("/snd/ding.wav"));
    user().ChkMZ()->click();
    user().CmbMZ()->setCurrentIndex(2);
    user().ChkQK()->click();
    window().CmdSaveSet_Click(0);

    const std::string line = "5,False,40,True,/snd/ding.wav,True,480,True,False,False,True,False,10,0\r\n";
    EXPECT_EQ(folder.read("info.dxl"), line);
    EXPECT_EQ(folder.read("set.dxl"), line);
    EXPECT_EQ(folder.read("AqSet.dxl"), "2,3\r\n");
    expectNoOtherAccessFile();
    EXPECT_EQ(state.Settings.AlarmSoundFile, "/snd/ding.wav");
    EXPECT_EQ(fakes.sound.fileName, "/snd/ding.wav");
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("用户设置保存完毕。"));
    EXPECT_EQ(lastLogMessage(), "保存用户设置。");
    EXPECT_TRUE(fakes.dialogs.shown.empty());

    // A preset's values and type are saved as shown; an unticked alarm leaves the player's file
    // alone, but the file takes the path the page shows.
    user().CmbLX()->setCurrentIndex(1);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("info.dxl"), "4,True,15,False,/snd/ding.wav,False,720,False,False,False,True,False,10,0\r\n");
    EXPECT_EQ(folder.read("set.dxl"), folder.read("info.dxl"));
    EXPECT_EQ(folder.read("AqSet.dxl"), "2,1\r\n");
    user().CmbLX()->setCurrentIndex(0);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("info.dxl"), "3,True,25,False," + pathToUtf8(folder.path() / "Alarm.wav") +
                                           ",False,720,False,False,False,True,False,10,0\r\n");
    EXPECT_EQ(state.Settings.AlarmSoundFile, "/snd/ding.wav");
    EXPECT_FALSE(state.Settings.AlarmEnabled);
    EXPECT_EQ(fakes.sound.fileName, "/snd/ding.wav");
}

TEST_F(SettingsSave, SoftwareSettingsWriteTheirFieldsTheRunEntryAndTheBatchList) {
    folder.write("afn.dxl", "1,/usr/bin/xclock -digital,False,\r\n");
    build();
    openPage(MainWindowPage::SoftwareSettings);
    soft().ChkZDJL()->click();
    soft().TxtZDJL()->setText(QStringLiteral("30"));
    soft().Chkrun()->click();
    soft().ChkYC()->click();
    soft().CmbJM()->setCurrentIndex(2);
    EXPECT_TRUE(applied.empty()); // the chart changes with the save only
    window().CmdSaveSet_Click(1);

    const std::string line = "3,True,25,False,Alarm.wav,False,720,False,True,True,True,True,30,2\r\n";
    EXPECT_EQ(folder.read("info.dxl"), line);
    EXPECT_EQ(folder.read("set.dxl"), line);
    EXPECT_EQ(folder.read("afn.dxl"), "1,/usr/bin/xclock -digital,False,\r\n");
    EXPECT_EQ(applied, std::vector<int>{2});
    EXPECT_EQ(fakes.autostart.values.at("Tarvik"), pathToUtf8(folder.path() / "tarvik"));
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("软件设置保存完毕。"));
    EXPECT_EQ(lastLogMessage(), "保存软件设置。");

    // Cleared, the entry is removed; removing it again when it is gone reports nothing.
    soft().Chkrun()->click();
    window().CmdSaveSet_Click(1);
    EXPECT_FALSE(fakes.autostart.runValue("Tarvik"));
    EXPECT_FALSE(state.Settings.RunAtLogon);
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(fakes.autostart.deletes, 2);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(folder.read("info.dxl"), "3,True,25,False,Alarm.wav,False,720,False,False,True,True,True,30,2\r\n");
}

TEST_F(SettingsSave, RunEntryThatCannotBeChangedIsReportedAfterTheFilesAreWritten) {
    build();
    fakes.autostart.values["Tarvik"] = "/old/tarvik"; // a value this user may not remove
    fakes.autostart.refuse = true;
    int saves = 0;
    for (const bool run : {true, false}) {
        openPage(MainWindowPage::SoftwareSettings);
        soft().Chkrun()->setChecked(run);
        window().CmdSaveSet_Click(1);
        ++saves;
        EXPECT_EQ(state.Settings.RunAtLogon, run);
        EXPECT_EQ(folder.read("info.dxl"), std::string("3,True,25,False,Alarm.wav,False,720,False,") +
                                               (run ? "True" : "False") + ",False,True,False,10,0\r\n");
        EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("软件设置已保存，但无法设置开机自动运行。"));
        // Both facts go to the log: the settings were saved, the log-on entry was not changed.
        EXPECT_EQ(lastLogMessage(), "设置开机自动运行失败。");
        const std::string log = logText();
        for (const std::string entry : {"保存软件设置。", "设置开机自动运行失败。"}) {
            int found = 0;
            for (auto at = log.find(entry); at != std::string::npos; at = log.find(entry, at + 1)) {
                ++found;
            }
            EXPECT_EQ(found, saves) << entry;
        }
        EXPECT_TRUE(fakes.dialogs.shown.empty());
    }
    EXPECT_EQ(fakes.autostart.values.at("Tarvik"), "/old/tarvik");
}

TEST_F(SettingsSave, StyleChosenFromTheMonitorWindowIsTheOneTheSoftwareSaveKeeps) {
    build();
    openPage(MainWindowPage::SoftwareSettings);
    soft().ChkYC()->click(); // not saved yet: the style menu leaves it as it is
    Frmload monitor(*context, *host);
    monitor.MnuJM_Click(2);
    EXPECT_EQ(soft().CmbJM()->currentIndex(), 2);
    EXPECT_TRUE(soft().ChkYC()->isChecked());
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(folder.read("info.dxl"), "3,True,25,False,Alarm.wav,False,720,False,False,True,True,False,10,2\r\n");
    EXPECT_EQ(applied, std::vector<int>{2});
}

TEST_F(SettingsSave, SoftwareSaveKeepsTheStoredAlarmWhateverTheUserPageShows) {
    // A beginner whose stored type is custom: every refresh puts the "普通用途" preset, alarm off,
    // into the user page, which the user never saves.
    useSettings("3,True,25,True,/snd/ding.wav,False,720,False,False,False,True,False,10,0");
    useAccess(1, UserSettingsPage::kCustomUsage);
    build();
    ASSERT_FALSE(user().Chksou()->isChecked());
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(folder.read("info.dxl"), "3,True,25,True,/snd/ding.wav,False,720,False,False,False,True,False,10,0\r\n");
    EXPECT_TRUE(state.Settings.AlarmEnabled);
    // A path the user page could not store does not stop the software save either.
    user().Text1()->setText(QStringLiteral("/home/me/a,b/ding.wav"));
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("软件设置保存完毕。"));
}

TEST_F(SettingsSave, IntervalOutside10To60IsRefusedWithNothingWritten) {
    build();
    openPage(MainWindowPage::SoftwareSettings);
    const auto before = files();
    for (const char* text : {"9", "61", "ab", "", "  ", "-20"}) {
        fakes.dialogs.shown.clear();
        soft().ChkCPU_ZL()->setChecked(false);
        soft().ChkZDJL()->setChecked(true);
        soft().CmbJM()->setCurrentIndex(1);
        soft().TxtZDJL()->setText(QString::fromUtf8(text));
        window().CmdSaveSet_Click(1);
        EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kIntervalInvalid}) << text;
        EXPECT_EQ(fakes.dialogs.shown[0].title, "");
        EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("10"));
    }
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(fakes.replacer.written.empty());
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
    // The two values taken before the check keep their new state; nothing after it changed.
    EXPECT_FALSE(state.Settings.NoReleaseWhenCpuBusy);
    EXPECT_TRUE(state.Settings.AutoLogMemoryInfo);
    EXPECT_EQ(state.Settings.ChartStyle, 0);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(fakes.autostart.deletes, 0);
}

TEST_F(SettingsSave, IntervalTakesTheLeadingNumberRoundedHalfToEven) {
    build();
    openPage(MainWindowPage::SoftwareSettings);
    const std::pair<const char*, const char*> cases[] = {{"60", "60"},   {"10", "10"},     {"10.5", "10"},
                                                         {"11.5", "12"}, {"30分钟", "30"}, {" 45", "45"}};
    for (const auto& [text, stored] : cases) {
        soft().setIntervalText(QString::fromUtf8(text));
        window().CmdSaveSet_Click(1);
        EXPECT_EQ(folder.read("info.dxl"),
                  std::string("3,True,25,False,Alarm.wav,False,720,False,False,False,True,False,") + stored + ",0\r\n")
            << text;
    }
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(SettingsSave, IntervalBoxFollowsItsArrowsAndTakesTwoTypedCharacters) {
    state.Settings.AutoLogMemoryInfo = true;
    build();
    QScrollBar& arrows = *soft().VScrollZDJL();
    EXPECT_EQ(arrows.minimum(), 10);
    EXPECT_EQ(arrows.maximum(), 60);
    arrows.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("11"));
    arrows.setSliderDown(true); // no reaction while the thumb is dragged
    arrows.setSliderPosition(40);
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("11"));
    arrows.setSliderDown(false);
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("40"));

    soft().TxtZDJL()->selectAll();
    for (const char* key : {"7", "5", "5"}) {
        soft().TxtZDJL()->insert(QString::fromUtf8(key)); // as typed
    }
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("75"));
    EXPECT_EQ(arrows.value(), 40); // typing does not move the arrows
    // A paste keeps what fits in two characters, and nothing where nothing fits.
    QGuiApplication::clipboard()->setText(QStringLiteral("30分钟"));
    soft().TxtZDJL()->selectAll();
    soft().TxtZDJL()->paste();
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("30"));
    soft().TxtZDJL()->paste();
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("30"));
    soft().TxtZDJL()->setCursorPosition(1);
    soft().TxtZDJL()->backspace();
    soft().TxtZDJL()->paste();
    EXPECT_EQ(soft().TxtZDJL()->text(), QStringLiteral("30"));

    soft().ChkZDJL()->click();
    EXPECT_FALSE(soft().TxtZDJL()->isEnabled());
    EXPECT_FALSE(arrows.isEnabled());
    soft().ChkZDJL()->click();
    EXPECT_TRUE(soft().TxtZDJL()->isEnabled());
    EXPECT_TRUE(arrows.isEnabled());
}

TEST_F(SettingsSave, BatchListAndHiddenCpuOptionSurviveASaveInOrderWithTheirTicks) {
    const std::string afn = "3,C:\\a.exe,True,/usr/bin/b --x,False,c,True,\r\n";
    folder.write("afn.dxl", afn);
    state.Settings.NoReleaseWhenCpuBusy = false;
    build();
    QListWidget& list = *soft().List1();
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("/usr/bin/b --x"));
    EXPECT_EQ(list.item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(soft().FmePQ()->isVisibleTo(&window()));
    EXPECT_FALSE(soft().ChkCPU_ZL()->isVisibleTo(&window()));
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(folder.read("afn.dxl"), afn);
    EXPECT_EQ(folder.read("info.dxl"), "3,True,25,False,Alarm.wav,False,720,False,False,False,False,False,10,0\r\n");

    folder.write("afn.dxl", "0,\r\n");
    openPage(MainWindowPage::SoftwareSettings);
    EXPECT_EQ(list.count(), 0);
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(folder.read("afn.dxl"), "0,\r\n");
}

TEST_F(SettingsSave, UnreadableBatchListEndsTheProgramAtTheNextRefresh) {
    build();
    folder.write("afn.dxl", "1,a.exe,Perhaps,\r\n");
    openPage(MainWindowPage::SoftwareSettings);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kConfigOpenFailed});
    EXPECT_EQ(fakes.dialogs.shown[0].title, "");
    EXPECT_EQ(lastLogMessage(), "打开配置文件时出错。");
    EXPECT_EQ(fakes.ender.calls.size(), 1u);
    EXPECT_EQ(soft().List1()->count(), 0);
}

TEST_F(SettingsSave, SoundPathWithACommaIsRefusedBeforeAnythingChanges) {
    build();
    const SettingsRecord settingsBefore = state.Settings;
    const AccessRecord accessBefore = state.Access;
    const auto before = files();
    user().HScrollDX()->setValue(5);
    user().Chksou()->click();
    user().Text1()->setText(QStringLiteral("/home/me/a,b/ding.wav"));
    window().CmdSaveSet_Click(0);
    ASSERT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kSoundPathHasComma});
    EXPECT_NE(std::string(Texts::kSoundPathHasComma).find("逗号"), std::string::npos);
    EXPECT_EQ(state.Settings, settingsBefore);
    EXPECT_EQ(state.Access, accessBefore);
    EXPECT_EQ(files(), before);
    EXPECT_TRUE(fakes.replacer.written.empty());
    EXPECT_EQ(fakes.sound.fileName, "");
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
}

TEST_F(SettingsSave, OutOfRangeStoredValuesAreShownAsNearAsPossibleAndWrittenBackUnchanged) {
    const char* lines[] = {"9,True,90,False,Alarm.wav,True,300,False,False,False,True,True,5,7",
                           "0,True,76,False,Alarm.wav,True,540,False,False,False,True,True,70,3"};
    for (const char* stored : lines) {
        useSettings(stored);
        build();
        openPage(MainWindowPage::UserSettings);
        EXPECT_EQ(user().HScrollDX()->value(), state.Settings.ReleaseLevel == 9 ? 5 : 1);
        EXPECT_EQ(user().HScrollZL()->value(), 75);
        EXPECT_EQ(user().Label1ZLVal()->text(),
                  QStringLiteral("可用内存最低限度:%1%").arg(state.Settings.MinFreePercent));
        EXPECT_EQ(user().CmbMZ()->currentIndex(), -1);
        EXPECT_EQ(soft().TxtZDJL()->text(), QString::number(state.Settings.AutoLogMinutes));
        EXPECT_EQ(soft().CmbJM()->currentIndex(), -1);
        window().CmdSaveSet_Click(0);
        EXPECT_EQ(folder.read("info.dxl"), std::string(stored) + "\r\n");
        window().CmdSaveSet_Click(1);
        EXPECT_EQ(folder.read("info.dxl"), std::string(stored) + "\r\n");
        EXPECT_EQ(folder.read("set.dxl"), std::string(stored) + "\r\n");
        EXPECT_TRUE(fakes.dialogs.shown.empty());
        host.reset();
        runDeferredDeletes();
        host = std::make_unique<FrmainHost>(*context);
    }
    // A control the user changes stores its own value; the others are still kept.
    build();
    user().HScrollZL()->setValue(30);
    user().CmbMZ()->setCurrentIndex(0);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("info.dxl"), "0,True,30,False,Alarm.wav,True,180,False,False,False,True,True,70,3\r\n");
    soft().TxtZDJL()->setText(QStringLiteral("65"));
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kIntervalInvalid});
}

TEST_F(SettingsSave, FailedWriteShowsTheFailureAndKeepsWhatChangedBeforeIt) {
    build();
    const auto before = files();
    user().HScrollDX()->setValue(1);
    user().Chksou()->click();
    user().Text1()->setText(QStringLiteral("/snd/new.wav"));
    readOnly("info.dxl");
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>{Texts::kSaveFailed});
    EXPECT_EQ(fakes.dialogs.shown[0].title, "");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(lastLogMessage(), "用户设置失败。");
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("欢迎使用塔维内存整理！"));
    EXPECT_EQ(state.Settings.ReleaseLevel, 1); // in memory and in the player it is changed
    EXPECT_EQ(fakes.sound.fileName, "/snd/new.wav");
    for (const char* name : {"info.dxl", "set.dxl", "AqSet.dxl", "afn.dxl"}) {
        EXPECT_EQ(folder.read(name), before.at(name)) << name;
    }

    // set.dxl refused: info.dxl stays written, the access file is not reached.
    writable("info.dxl");
    readOnly("set.dxl");
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("info.dxl"), "1,True,25,True,/snd/new.wav,False,720,False,False,False,True,False,10,0\r\n");
    EXPECT_EQ(folder.read("set.dxl"), before.at("set.dxl"));
    EXPECT_EQ(folder.read("AqSet.dxl"), before.at("AqSet.dxl"));
    EXPECT_EQ(fakes.dialogs.messages().size(), 2u);

    // Software save: the chart style and the Run entry are in force before info.dxl fails.
    readOnly("info.dxl");
    soft().Chkrun()->setChecked(true);
    soft().CmbJM()->setCurrentIndex(1);
    window().CmdSaveSet_Click(1);
    EXPECT_EQ(applied, std::vector<int>{1});
    EXPECT_TRUE(fakes.autostart.runValue("Tarvik"));
    EXPECT_EQ(folder.read("afn.dxl"), before.at("afn.dxl"));
    EXPECT_EQ(lastLogMessage(), "软件设置失败。");

    // The level save: the level chosen stays in force although the file was not written.
    readOnly("AqSet.dxl");
    levelPage().OptGJ()->setChecked(true);
    window().CmdSaveSet_Click(2);
    EXPECT_EQ(state.Access.UserLevel, 3);
    EXPECT_EQ(folder.read("AqSet.dxl"), before.at("AqSet.dxl"));
    EXPECT_EQ(lastLogMessage(), "用户级别设置失败。");
    EXPECT_EQ(fakes.dialogs.messages().size(), 4u);
}

TEST_F(SettingsSave, ReadOnlyFolderFailsEverySaveLeavingNoFileHalfWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows gives a folder's read-only attribute no meaning (Explorer marks customised folders "
                    "with it) and Wine enforces no access rights, so a folder cannot be closed to writing here";
#endif
    build();
    const auto before = files();
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    for (int index : {0, 1, 2}) {
        window().CmdSaveSet_Click(index);
    }
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>(3, Texts::kSaveFailed));
    EXPECT_EQ(files(), before); // the log cannot take its line either
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << "left behind: " << entry.path();
    }
}

TEST_F(SettingsSave, UsageTypeTheListDoesNotHaveChoosesNothingAndIsSavedBack) {
    useAccess(2, 7);
    build();
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(user().CmbLX()->currentIndex(), -1);
    EXPECT_FALSE(user().FmeZL()->isEnabled());
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("AqSet.dxl"), "2,7\r\n");
    EXPECT_EQ(window().LabelTS()->text(), QStringLiteral("用户设置保存完毕。"));
    user().CmbLX()->setCurrentIndex(1);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(folder.read("AqSet.dxl"), "2,1\r\n");
}
