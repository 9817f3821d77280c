// The main window's settings pages: filling them from the stored settings, and their saves.
#include "app/AppContext.h"
#include "mainwindow/Frmain.h"
#include "mainwindow/LogPage.h"
#include "mainwindow/SoftwareSettingsPage.h"
#include "mainwindow/UserLevelPage.h"
#include "mainwindow/UserSettingsPage.h"
#include "settings/Paths.h"
#include "settings/SettingsConversions.h"
#include "settings/SettingsFormat.h"
#include "settings/Texts.h"

#include <cmath>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace tarvik {

namespace {

constexpr const char* kRunValueName = "Tarvik";

} // namespace

void Frmain::RefreshPages() {
    if (!FillSettingsControls()) {
        return;
    }
    SelectStoredUsageType();
    m_logPage->LoadLogView();
}

bool Frmain::FillSettingsControls() {
    const SettingsRecord& s = m_ctx.state.Settings;
    UserSettingsPage& user = *m_userPage;
    SoftwareSettingsPage& soft = *m_softwarePage;

    user.fillReleaseLevel(s.ReleaseLevel);
    user.Chksou()->setChecked(s.AlarmEnabled);
    user.Chksou_Click(s.AlarmEnabled); // also when the box did not change
    user.Text1()->setText(QString::fromStdString(s.AlarmSoundFile));
    user.fillMinimum(s.MinFreePercent);
    // The pending value is set after the box: the box's handler runs only when its state changes.
    user.Chkzl()->setChecked(s.AutoReleaseWhenLow);
    user.AutoReleasePending = s.AutoReleaseWhenLow;
    user.ChkMZ()->setChecked(s.PeriodicRelease);
    user.CmbMZ()->setEnabled(s.PeriodicRelease);
    if (const int element = UserSettingsPage::periodElement(s.PeriodicReleaseTicks); element >= 0) {
        user.CmbMZ()->setCurrentIndex(element);
    }
    user.PeriodTicksPending = s.PeriodicReleaseTicks;

    user.ChkQK()->setChecked(s.ClearClipboardOnRelease);
    soft.Chkrun()->setChecked(s.RunAtLogon);
    soft.ChkYC()->setChecked(s.HideMonitorAtStart);
    soft.ChkCPU_ZL()->setChecked(s.NoReleaseWhenCpuBusy);
    soft.ChkZDJL()->setChecked(s.AutoLogMemoryInfo);
    soft.ChkZDJL_Click(s.AutoLogMemoryInfo);
    soft.fillInterval(s.AutoLogMinutes);
    soft.fillChartStyle(s.ChartStyle);
    if (!LoadBatchStartView()) {
        return false;
    }

    m_levelPage->selectLevel(m_ctx.state.Access.UserLevel);
    soft.FmeSoftSet()->setEnabled(true);
    user.FmeZL()->setEnabled(m_ctx.state.Access.UsageType == UserSettingsPage::kCustomUsage);
    return true;
}

void Frmain::SelectStoredUsageType() {
    // A type the list does not have chooses nothing; the user settings save then keeps it.
    const int usage = m_ctx.state.Access.UsageType;
    m_userPage->CmbLX()->setCurrentIndex(usage < m_userPage->CmbLX()->count() ? usage : -1);
}

bool Frmain::LoadBatchStartView() {
    m_softwarePage->setBatchStartList({});
    const auto list = m_ctx.files.readBatchStart();
    if (!list) {
        m_ctx.platform.dialogs.message(Texts::kConfigOpenFailed, std::string(), MessageIcon::None);
        m_ctx.log.AppendLogLine(Texts::kLogBatchViewFailed);
        m_ctx.platform.ender.endNow(1);
        return false;
    }
    m_softwarePage->setBatchStartList(*list);
    return true;
}

void Frmain::CmdSaveSet_Click(int index) {
    static const char* const failureLog[3] = {Texts::kLogUserSettingsFailed, Texts::kLogSoftwareSettingsFailed,
                                              Texts::kLogUserLevelFailed};
    if (index < 0 || index > 2) {
        return;
    }
    SaveOutcome outcome = SaveOutcome::Failed;
    try {
        outcome = index == 0 ? SaveUserSettings() : index == 1 ? SaveSoftwareSettings() : SaveUserLevel();
    } catch (...) {
        // Whatever the save changed before it failed stays changed, as with a failed write.
    }
    if (outcome == SaveOutcome::Failed) {
        m_ctx.platform.dialogs.message(Texts::kSaveFailed, std::string(), MessageIcon::None);
        m_ctx.log.AppendLogLine(failureLog[index]);
    }
}

bool Frmain::soundFileStorable(const std::string& path) {
    // A comma would split the settings line into one field too many, and the program could not
    // start again; such a path is refused before anything changes.
    if (path.find(',') != std::string::npos) {
        m_ctx.platform.dialogs.message(Texts::kSoundPathHasComma, std::string(), MessageIcon::Information);
        return false;
    }
    if (!m_ctx.files.canStore(path)) {
        m_ctx.platform.dialogs.message(Texts::kSoundPathNotStorable, std::string(), MessageIcon::Information);
        return false;
    }
    return true;
}

bool Frmain::writeSettingsFiles(bool alarmFromUserPage) {
    // The user settings save writes its page's alarm fields, also where the alarm player keeps
    // its own (an unticked alarm leaves the player's file as it was). Every other save writes
    // the stored ones: a preset the user never saved must not turn the alarm off.
    SettingsRecord record = m_ctx.state.Settings;
    if (alarmFromUserPage) {
        record.AlarmEnabled = m_userPage->AlarmPending;
        record.AlarmSoundFile = m_userPage->Text1()->text().toStdString();
    }
    return m_ctx.files.writeSettings(record) && m_ctx.files.copyInfoOverSet();
}

Frmain::SaveOutcome Frmain::SaveUserSettings() {
    UserSettingsPage& user = *m_userPage;
    const std::string soundFile = user.Text1()->text().toStdString();
    if (!soundFileStorable(soundFile)) {
        return SaveOutcome::Refused;
    }
    AppState& st = m_ctx.state;
    SettingsRecord& s = st.Settings;
    s.ReleaseLevel = user.releaseLevel();
    s.MinFreePercent = user.minFreePercent();
    if (user.Chksou()->isChecked()) {
        s.AlarmEnabled = true;
        s.AlarmSoundFile = soundFile;
        m_ctx.platform.sound.setFileName(soundFile);
    } else {
        s.AlarmEnabled = false;
    }
    s.PeriodicRelease = user.ChkMZ()->isChecked();
    s.ClearClipboardOnRelease = user.ChkQK()->isChecked();
    s.PeriodicReleaseTicks = user.PeriodTicksPending;
    s.AutoReleaseWhenLow = user.AutoReleasePending;
    if (const int usage = user.CmbLX()->currentIndex(); usage >= 0) {
        st.Access.UsageType = static_cast<std::uint8_t>(usage);
    }
    if (!writeSettingsFiles(true) || !m_ctx.files.writeAccess(st.Access)) {
        return SaveOutcome::Failed;
    }
    setStatus(QString::fromUtf8(Texts::kUserSettingsSaved));
    m_ctx.log.AppendLogLine(Texts::kLogUserSettingsSaved);
    return SaveOutcome::Saved;
}

Frmain::SaveOutcome Frmain::SaveSoftwareSettings() {
    SoftwareSettingsPage& soft = *m_softwarePage;
    AppState& st = m_ctx.state;
    SettingsRecord& s = st.Settings;
    s.NoReleaseWhenCpuBusy = soft.ChkCPU_ZL()->isChecked();
    s.AutoLogMemoryInfo = soft.ChkZDJL()->isChecked();
    std::uint8_t minutes = 0;
    if (const auto held = soft.heldInterval()) {
        minutes = *held; // untouched since it was filled: kept as stored
    } else {
        const double number = SettingsConversions::leadingNumber(soft.TxtZDJL()->text().toStdString());
        if (!(number >= 10 && number <= 60)) {
            m_ctx.platform.dialogs.message(Texts::kIntervalInvalid, std::string(), MessageIcon::None);
            soft.setIntervalText(QStringLiteral("10"));
            return SaveOutcome::Refused;
        }
        // Halves go to the even neighbour: 10.5 is stored as 10.
        minutes = static_cast<std::uint8_t>(std::nearbyint(number));
    }
    s.AutoLogMinutes = minutes;
    s.ChartStyle = soft.ChartStylePending;
    if (m_applyChartStyle) {
        m_applyChartStyle();
    }
    bool autostartDone = false;
    if (soft.Chkrun()->isChecked()) {
        // The executable itself: an installed program's folder is not the program folder.
        autostartDone = m_ctx.platform.autostart.setRunValue(kRunValueName, pathToUtf8(st.executable));
        s.RunAtLogon = true;
    } else {
        autostartDone = m_ctx.platform.autostart.deleteRunValue(kRunValueName);
        s.RunAtLogon = false;
    }
    s.HideMonitorAtStart = soft.ChkYC()->isChecked();
    const auto batchLine = SettingsFormat::composeBatchStart(soft.batchStartList());
    if (!batchLine || !writeSettingsFiles(false) || !m_ctx.files.writeLine(SettingsFiles::kBatchStart, *batchLine)) {
        return SaveOutcome::Failed;
    }
    // The settings are saved either way; a log-on entry that is not as chosen must not pass for done.
    setStatus(QString::fromUtf8(autostartDone ? Texts::kSoftwareSettingsSaved
                                              : Texts::kSoftwareSettingsSavedAutostartFailed));
    m_ctx.log.AppendLogLine(Texts::kLogSoftwareSettingsSaved);
    if (!autostartDone) {
        m_ctx.log.AppendLogLine(Texts::kLogAutostartFailed);
    }
    return SaveOutcome::Saved;
}

Frmain::SaveOutcome Frmain::SaveUserLevel() {
    AppState& st = m_ctx.state;
    st.Access.UserLevel = static_cast<std::uint8_t>(m_levelPage->chosenLevel());
    if (st.Access.UserLevel == 1) {
        // Shows the beginner's usage type at once; the stored type is saved unchanged.
        m_userPage->CmbLX()->setCurrentIndex(0);
    }
    if (!m_ctx.files.writeAccess(st.Access)) {
        return SaveOutcome::Failed;
    }
    setStatus(QString::fromUtf8(Texts::kUserLevelSaved));
    m_ctx.log.AppendLogLine(Texts::kLogUserLevelSaved);
    return SaveOutcome::Saved;
}

} // namespace tarvik
