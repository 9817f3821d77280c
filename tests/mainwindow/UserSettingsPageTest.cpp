#include "MainWindowFixture.h"

#include "mainwindow/Frmain.h"
#include "mainwindow/UserSettingsPage.h"
#include "settings/Paths.h"
#include "settings/Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace tarvik;
using namespace tarvik::test;

namespace {

// Stored values unlike every preset, so that a preset's values are told from the stored ones.
constexpr const char* kStored = "2,False,40,True,/snd/in use.wav,True,180,False,False,False,True,False,10,0";

class UserSettings : public MainWindowFixture {
protected:
    UserSettings() {
        useSettings(kStored);
        useAccess(2, UserSettingsPage::kCustomUsage);
    }
    UserSettingsPage& page() { return userPage(); }
    // A control's own enabled state, apart from its frame's.
    bool ownEnabled(QWidget* w) { return w->isEnabledTo(page().FmeZL()); }
    std::string alarmWav() const { return pathToUtf8(folder.path() / "Alarm.wav"); }

    // Every control and pending value of the release frame, in one comparable text.
    std::string releaseControls() {
        UserSettingsPage& p = page();
        std::string s = "size " + std::to_string(p.HScrollDX()->value());
        s += p.Chkzl()->isChecked() ? " auto" : " -";
        s += p.AutoReleasePending ? "(pending)" : "";
        s += " min " + std::to_string(p.HScrollZL()->value()) + " [" + p.Label1ZLVal()->text().toStdString() + "]";
        s += p.Chksou()->isChecked() ? " alarm" : " -";
        s += p.AlarmPending ? "(pending)" : "";
        s += ownEnabled(p.Text1()) ? " text on" : " text off";
        s += ownEnabled(p.Com1()) ? " button on" : " button off";
        s += " [" + p.Text1()->text().toStdString() + "]";
        s += p.ChkMZ()->isChecked() ? " every" : " -";
        s += ownEnabled(p.CmbMZ()) ? " list on" : " list off";
        s += " #" + std::to_string(p.CmbMZ()->currentIndex()) + " ticks " + std::to_string(p.PeriodTicksPending);
        s += p.ChkQK()->isChecked() ? " clipboard" : " -";
        return s;
    }
};

} // namespace

TEST_F(UserSettings, EachPresetPutsItsValuesGreyedIntoTheControlsWithItsExplanation) {
    build();
    const std::string wav = alarmWav();
    struct Case {
        int usage;
        std::string controls;
        const char* explanation;
    };
    // 资源紧张用户 first, so that the others must untick its alarm and its period.
    const Case cases[] = {
        {2,
         "size 5 auto(pending) min 20 [可用内存最低限度:20%] alarm(pending) text on button on [" + wav +
             "] every list on #1 ticks 360 clipboard",
         "适合资源较为紧张的用户，尤其是内存资源不足的用户。"},
        {1,
         "size 4 auto(pending) min 15 [可用内存最低限度:15%] - text off button off [/snd/in use.wav] - list off "
         "#3 ticks 720 -",
         "适合大型游戏爱好者，以及多媒体制作，图像处理，3D动画设计等。"},
        {2,
         "size 5 auto(pending) min 20 [可用内存最低限度:20%] alarm(pending) text on button on [" + wav +
             "] every list on #1 ticks 360 clipboard",
         "适合资源较为紧张的用户，尤其是内存资源不足的用户。"},
        {0,
         "size 3 auto(pending) min 25 [可用内存最低限度:25%] - text off button off [" + wav +
             "] - list off #3 ticks 720 -",
         "适合普通的家庭电脑用户，以及日常办公，文字处理等。"},
    };
    for (const Case& c : cases) {
        page().CmbLX()->setCurrentIndex(c.usage);
        EXPECT_EQ(releaseControls(), c.controls) << "usage " << c.usage;
        EXPECT_EQ(page().Label1LXJS()->text().toStdString(), c.explanation);
        EXPECT_FALSE(page().FmeZL()->isEnabled()) << "a preset's values cannot be changed";
    }
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_TRUE(fakes.replacer.written.empty()); // nothing takes effect before the save
    EXPECT_EQ(state.Settings.ReleaseLevel, 2);
}

TEST_F(UserSettings, CustomShowsTheStoredValuesForNormalAndAdvancedUsersOnly) {
    const std::string stored =
        "size 2 - min 40 [可用内存最低限度:40%] alarm(pending) text on button on [/snd/in use.wav] "
        "every list on #0 ticks 180 -";
    for (int level : {2, 3}) {
        useAccess(level, 1);
        build();
        page().CmbLX()->setCurrentIndex(UserSettingsPage::kCustomUsage);
        EXPECT_EQ(releaseControls(), stored);
        EXPECT_EQ(page().CmbLX()->currentIndex(), 3);
        EXPECT_TRUE(page().FmeZL()->isEnabled());
        EXPECT_EQ(page().Label1LXJS()->text(), QStringLiteral("可以自行设置下面的选项，建议专业用户使用。"));
        host.reset(); // a fresh window for the next level
        runDeferredDeletes();
        host = std::make_unique<FrmainHost>(*context);
    }
    EXPECT_TRUE(fakes.dialogs.shown.empty());
}

TEST_F(UserSettings, BeginnerIsRefusedCustomAndFallsBackToThePlainPresetAtEveryRefresh) {
    useAccess(1, UserSettingsPage::kCustomUsage);
    build(); // the stored type is chosen, refused and replaced
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].text, Texts::kBeginnerRefused);
    EXPECT_EQ(fakes.dialogs.shown[0].title, "提示");
    EXPECT_EQ(fakes.dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(page().CmbLX()->currentIndex(), 0);
    EXPECT_EQ(page().Label1LXJS()->text(), QStringLiteral("适合普通的家庭电脑用户，以及日常办公，文字处理等。"));
    EXPECT_EQ(page().HScrollDX()->value(), 3);
    EXPECT_FALSE(page().FmeZL()->isEnabled());
    EXPECT_EQ(state.Access.UsageType, 3); // the stored type stays until a save

    openPage(MainWindowPage::SoftwareSettings);
    EXPECT_EQ(fakes.dialogs.shown.size(), 2u);
    EXPECT_EQ(page().CmbLX()->currentIndex(), 0);

    // Chosen by hand it is refused the same way.
    page().CmbLX()->setCurrentIndex(1);
    page().CmbLX()->setCurrentIndex(3);
    EXPECT_EQ(fakes.dialogs.shown.size(), 3u);
    EXPECT_EQ(page().CmbLX()->currentIndex(), 0);
    EXPECT_EQ(page().HScrollZL()->value(), 25);
}

TEST_F(UserSettings, PresetsTakeTheBareAlarmNameWhereTheFolderPathCannotBeStored) {
    build();
    // A comma would split the settings line; "ö" has no code in code page 936.
    for (const char* name : {"a,b", "jörg"}) {
        state.programFolder = folder.path() / pathFromUtf8(name);
        for (int usage : {2, 0}) {
            page().CmbLX()->setCurrentIndex(usage);
            EXPECT_EQ(page().Text1()->text(), QStringLiteral("Alarm.wav")) << name << " usage " << usage;
        }
    }
    page().CmbLX()->setCurrentIndex(2);
    window().CmdSaveSet_Click(0);
    EXPECT_TRUE(fakes.dialogs.shown.empty());
    EXPECT_EQ(folder.read("info.dxl"), "5,True,20,True,Alarm.wav,True,360,True,False,False,True,False,10,0\r\n");
}

TEST_F(UserSettings, PendingValuesFollowTheirControls) {
    build();
    UserSettingsPage& p = page();
    // The auto-release box clicked twice: the pending value is what the box shows.
    for (bool expected : {true, false}) {
        p.Chkzl()->click();
        EXPECT_EQ(p.Chkzl()->isChecked(), expected);
        EXPECT_EQ(p.AutoReleasePending, expected);
    }
    p.Chksou()->click();
    EXPECT_FALSE(p.AlarmPending);
    EXPECT_FALSE(ownEnabled(p.Text1()));
    EXPECT_FALSE(ownEnabled(p.Com1()));
    // The period elements stand for 180, 360, 480 (not 540) and 720 ticks.
    const std::int16_t ticks[] = {180, 360, 480, 720};
    for (int element : {3, 2, 1, 0}) {
        p.CmbMZ()->setCurrentIndex(element);
        EXPECT_EQ(p.PeriodTicksPending, ticks[element]);
    }
    p.CmbMZ()->setCurrentIndex(-1);
    EXPECT_EQ(p.PeriodTicksPending, 180);
}

TEST_F(UserSettings, PeriodBoxAndListToggleTogetherWhetherClickedOrFilled) {
    build();
    UserSettingsPage& p = page();
    EXPECT_TRUE(p.ChkMZ()->isChecked());
    EXPECT_TRUE(ownEnabled(p.CmbMZ()));
    p.ChkMZ()->click();
    EXPECT_FALSE(p.ChkMZ()->isChecked());
    EXPECT_FALSE(ownEnabled(p.CmbMZ()));
    p.ChkMZ()->click();
    EXPECT_TRUE(p.ChkMZ()->isChecked());
    EXPECT_TRUE(ownEnabled(p.CmbMZ()));

    // Filled from the stored flag, off and then on again: box and list agree each time.
    for (bool periodic : {false, true, true, false}) {
        state.Settings.PeriodicRelease = periodic;
        window().RefreshPages();
        EXPECT_EQ(p.ChkMZ()->isChecked(), periodic);
        EXPECT_EQ(ownEnabled(p.CmbMZ()), periodic);
    }
}

TEST_F(UserSettings, AStoredPeriodWithoutItsElementKeepsTheListAndIsSavedBack) {
    build();
    UserSettingsPage& p = page();
    EXPECT_EQ(p.CmbMZ()->currentIndex(), 0);
    state.Settings.PeriodicReleaseTicks = 540;
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(p.CmbMZ()->currentIndex(), 0); // the previous element stays
    EXPECT_EQ(p.PeriodTicksPending, 540);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(state.Settings.PeriodicReleaseTicks, 540);
    p.CmbMZ()->setCurrentIndex(2);
    window().CmdSaveSet_Click(0);
    EXPECT_EQ(state.Settings.PeriodicReleaseTicks, 480);

    // A preset's period counts even when the list already shows that element.
    p.CmbMZ()->setCurrentIndex(3);
    state.Settings.PeriodicReleaseTicks = 300;
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(p.PeriodTicksPending, 300);
    p.CmbLX()->setCurrentIndex(1);
    EXPECT_EQ(p.PeriodTicksPending, 720);
}

TEST_F(UserSettings, MinimumLabelFollowsTheThumbAndTheKeys) {
    build();
    QScrollBar& bar = *page().HScrollZL();
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 75);
    bar.setSliderDown(true);
    for (int value : {41, 60, 0}) {
        bar.setSliderPosition(value);
        EXPECT_EQ(page().Label1ZLVal()->text(), QStringLiteral("可用内存最低限度:%1%").arg(value));
    }
    bar.setSliderDown(false);
    EXPECT_EQ(page().Label1ZLVal()->text(), QStringLiteral("可用内存最低限度:0%"));

    // The arrow keys move both sliders towards the key's side.
    for (QScrollBar* slider : {page().HScrollZL(), page().HScrollDX()}) {
        slider->setValue(3);
        for (auto [key, expected] :
             {std::pair{Qt::Key_Right, 4}, {Qt::Key_Down, 5}, {Qt::Key_Left, 4}, {Qt::Key_Up, 3}}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(slider, &press);
            EXPECT_EQ(slider->value(), expected);
        }
    }
    EXPECT_EQ(page().Label1ZLVal()->text(), QStringLiteral("可用内存最低限度:3%"));
}

TEST_F(UserSettings, SoundDialogStartsInTheProgramFolderAndACancelKeepsThePath) {
    build();
    fakes.dialogs.files.push_back("/music/警报.mid");
    click(page().Com1());
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0].kind, "open");
    EXPECT_EQ(fakes.dialogs.shown[0].directory, pathToUtf8(folder.path()));
    EXPECT_EQ(fakes.dialogs.shown[0].filter, "声音文件(*.wav;*.mid)|*.wav;*.mid");
    EXPECT_EQ(page().Text1()->text(), QStringLiteral("/music/警报.mid"));

    click(page().Com1()); // cancelled
    EXPECT_EQ(fakes.dialogs.shown.size(), 2u);
    EXPECT_EQ(page().Text1()->text(), QStringLiteral("/music/警报.mid"));
}

TEST_F(UserSettings, PageChangeDiscardsUnsavedEdits) {
    build();
    page().HScrollDX()->setValue(5);
    page().Chkzl()->click();
    page().Text1()->setText(QStringLiteral("/elsewhere.wav"));
    openPage(MainWindowPage::Log);
    openPage(MainWindowPage::UserSettings);
    EXPECT_EQ(page().HScrollDX()->value(), 2);
    EXPECT_FALSE(page().Chkzl()->isChecked());
    EXPECT_FALSE(page().AutoReleasePending);
    EXPECT_EQ(page().Text1()->text(), QStringLiteral("/snd/in use.wav"));
}
