#include "mainwindow/UserSettingsPage.h"

#include "app/AppContext.h"
#include "mainwindow/NoteLabel.h"
#include "mainwindow/PageControls.h"
#include "settings/Paths.h"
#include "settings/Texts.h"
#include "settings/UserLevel.h"
#include "ui/Twips.h"

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace tarvik {

namespace {

using PageControls::makeCheckBox;
using PageControls::makeLabel;

struct Preset {
    int releaseLevel;
    bool autoRelease;
    int minimum;
    bool alarm;
    bool soundFileEnabled;
    bool soundFileInUse; // the alarm file now in use rather than Alarm.wav of the program folder
    bool periodic;
    int periodElement;
    bool clearClipboard;
    const char* explanation;
};

const Preset kPresets[3] = {
    {3, true, 25, false, false, false, false, 3, false, "适合普通的家庭电脑用户，以及日常办公，文字处理等。"},
    {4, true, 15, false, false, true, false, 3, false, "适合大型游戏爱好者，以及多媒体制作，图像处理，3D动画设计等。"},
    {5, true, 20, true, true, false, true, 1, true, "适合资源较为紧张的用户，尤其是内存资源不足的用户。"},
};

// Pixels by which the rows of `FmeZL` lie lower than their place, to clear the frame's caption.
constexpr int kFmeZLRowsDown = 6;

const char* const kCustomExplanation = "可以自行设置下面的选项，建议专业用户使用。";

// The control's own enabled state, whatever its frame's: the frame greys out a preset's values
// without changing what the controls themselves say.
bool ownEnabled(const QWidget* w) {
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

QScrollBar* makeScrollBar(QWidget* parent, const QRect& geometry, int minimum, int maximum, int pageStep) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setGeometry(geometry);
    bar->setRange(minimum, maximum);
    bar->setPageStep(pageStep);
    // Like every other control it takes the focus, so the arrow keys move it.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

} // namespace

int UserSettingsPage::periodElement(std::int16_t ticks) {
    const auto it = std::find(kPeriodTicks.begin(), kPeriodTicks.end(), ticks);
    return it == kPeriodTicks.end() ? -1 : static_cast<int>(it - kPeriodTicks.begin());
}

UserSettingsPage::UserSettingsPage(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("用户设置"), parent), m_ctx(context) {
    setGeometry(PageControls::pageGeometry());

    makeLabel(this, twipsRect(240, 360, 1935, 255), "请选择计算机使用类型:");
    m_cmbLX = new QComboBox(this);
    m_cmbLX->setGeometry(twipsRect(2280, 315, 1575, 300));
    m_cmbLX->addItems({QStringLiteral("普通用途"), QStringLiteral("游戏及多媒体"), QStringLiteral("资源紧张用户"),
                       QStringLiteral("自定义...")});
    // Nothing is chosen until the stored type is, so that choosing it applies its preset.
    m_cmbLX->setCurrentIndex(-1);
    m_label1LXJS = new NoteLabel(QString(), twipsRect(240, 720, 4575, 375), 2, this);

    m_fmeZL = new QGroupBox(QStringLiteral("整理"), this);
    m_fmeZL->setGeometry(twipsRect(120, 1200, 4815, 2775));
    // The frame's first row starts right under its top edge, where a caption above the frame
    // would cover it: the caption sits in the edge instead, and the rows move down just below it.
    m_fmeZL->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; background: palette(window); }"));
    const auto zl = [](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height).translated(0, kFmeZLRowsDown);
    };
    m_label1DX = makeLabel(m_fmeZL, zl(120, 120, 1935, 255), "整理时释放内存的大小:");
    m_label1D[1] = makeLabel(m_fmeZL, zl(2280, 120, 255, 255), "小");
    m_hScrollDX = makeScrollBar(m_fmeZL, zl(2520, 120, 1935, 255), 1, 5, 1);
    m_label1D[0] = makeLabel(m_fmeZL, zl(4560, 120, 255, 255), "大");
    m_label1ZLVal = makeLabel(m_fmeZL, zl(120, 480, 1935, 255), "");
    m_hScrollZL = makeScrollBar(m_fmeZL, zl(120, 720, 4455, 255), 0, 75, 5);
    m_chkzl = makeCheckBox(m_fmeZL, zl(120, 1080, 3615, 255), "当可用物理内存小于最低限度时自动整理");
    // Given only 180 twips, less than its tick box; it gets a check box's height about the same middle.
    m_chksou = makeCheckBox(m_fmeZL, zl(120, 1440 + 90 - 255 / 2, 3255, 255), "当内存不足时播放报警声音");
    m_text1 = new QLineEdit(m_fmeZL);
    m_text1->setGeometry(zl(120, 1680, 3735, 270));
    m_com1 = new QPushButton(QStringLiteral("选择"), m_fmeZL);
    m_com1->setGeometry(zl(3960, 1680, 615, 320));
    m_chkMZ = makeCheckBox(m_fmeZL, zl(120, 2040, 735, 255), "每隔");
    m_cmbMZ = new QComboBox(m_fmeZL);
    m_cmbMZ->setGeometry(zl(840, 2040, 975, 300));
    m_cmbMZ->addItems(
        {QStringLiteral("15分钟"), QStringLiteral("30分钟"), QStringLiteral("45分钟"), QStringLiteral("60分钟")});
    m_cmbMZ->setCurrentIndex(-1);
    // The list's enabled state stands for the periodic release, so it starts as the box does.
    m_cmbMZ->setEnabled(false);
    m_label1ZDZL = makeLabel(m_fmeZL, zl(1920, 2040, 1335, 255), "自动整理一次。");
    m_chkQK = makeCheckBox(m_fmeZL, zl(120, 2400, 2055, 255), "整理时清空剪贴板");
    m_text1->setEnabled(false);
    m_com1->setEnabled(false);
    m_fmeZL->setEnabled(false);

    m_cmdSaveSet = PageControls::makeSaveButton(this);

    m_hScrollDX->installEventFilter(this);
    m_hScrollZL->installEventFilter(this);

    connect(m_cmbLX, &QComboBox::currentIndexChanged, this, &UserSettingsPage::CmbLX_Click);
    connect(m_hScrollDX, &QScrollBar::valueChanged, this, [this] { m_heldReleaseLevel.reset(); });
    connect(m_hScrollZL, &QScrollBar::valueChanged, this, &UserSettingsPage::HScrollZL_Change);
    connect(m_chksou, &QCheckBox::toggled, this, &UserSettingsPage::Chksou_Click);
    connect(m_chkzl, &QCheckBox::toggled, this, &UserSettingsPage::Chkzl_Click);
    connect(m_chkMZ, &QCheckBox::toggled, this, &UserSettingsPage::ChkMZ_Click);
    connect(m_cmbMZ, &QComboBox::currentIndexChanged, this, &UserSettingsPage::CmbMZ_Click);
    connect(m_com1, &QPushButton::clicked, this, &UserSettingsPage::Com1_Click);
}

bool UserSettingsPage::eventFilter(QObject* watched, QEvent* event) {
    // Qt's scroll bars step right to left under the arrow keys; these two are settings that grow
    // to the right, so Right and Down raise them and Left and Up lower them.
    if (event->type() == QEvent::KeyPress && (watched == m_hScrollDX || watched == m_hScrollZL)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* bar = static_cast<QScrollBar*>(watched);
        if (key == Qt::Key_Right || key == Qt::Key_Down) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
        if (key == Qt::Key_Left || key == Qt::Key_Up) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void UserSettingsPage::fillReleaseLevel(std::uint8_t stored) {
    m_hScrollDX->setValue(stored);
    m_heldReleaseLevel.reset();
    if (stored != m_hScrollDX->value()) {
        m_heldReleaseLevel = stored;
    }
}

void UserSettingsPage::fillMinimum(std::uint8_t stored) {
    m_hScrollZL->setValue(stored);
    m_heldMinimum.reset();
    if (stored != m_hScrollZL->value()) {
        m_heldMinimum = stored;
    }
    // The label tells the minimum in force, also where the slider cannot reach it.
    m_label1ZLVal->setText(QStringLiteral("可用内存最低限度:%1%").arg(stored));
}

std::uint8_t UserSettingsPage::releaseLevel() const {
    return m_heldReleaseLevel.value_or(static_cast<std::uint8_t>(m_hScrollDX->value()));
}

std::uint8_t UserSettingsPage::minFreePercent() const {
    return m_heldMinimum.value_or(static_cast<std::uint8_t>(m_hScrollZL->value()));
}

void UserSettingsPage::CmbLX_Click(int index) {
    if (index < 0) {
        return;
    }
    if (index < kCustomUsage) {
        applyPreset(index);
        return;
    }
    if (!Gate::mayCustomiseUsage(m_ctx.state.Access.UserLevel)) {
        m_ctx.platform.dialogs.message(Texts::kBeginnerRefused, Texts::kNoticeTitle, MessageIcon::None);
        m_cmbLX->setCurrentIndex(0); // applies that preset through this handler
        return;
    }
    if (m_fillSettingsControls) {
        m_fillSettingsControls();
    }
    m_fmeZL->setEnabled(true);
    m_label1LXJS->setText(QString::fromUtf8(kCustomExplanation));
}

std::string UserSettingsPage::factorySound() const {
    // Alarm.wav of the program folder (of the installed data folder where the user has none of
    // their own). Where that path cannot go into a settings line (a comma, or a letter outside
    // code page 936, in the folder's name), the bare name, which the player finds all the same.
    const std::string path = pathToUtf8(m_ctx.programFile("Alarm.wav"));
    return m_ctx.files.canStore(path) ? path : std::string("Alarm.wav");
}

void UserSettingsPage::applyPreset(int usage) {
    const Preset& p = kPresets[usage];
    // A preset sets every control even where it already shows the value, so a value held back
    // for the save gives way to the preset's.
    m_heldReleaseLevel.reset();
    m_hScrollDX->setValue(p.releaseLevel);
    m_chkzl->setChecked(p.autoRelease);
    m_heldMinimum.reset();
    m_hScrollZL->setValue(p.minimum);
    HScrollZL_Change(m_hScrollZL->value());
    m_chksou->setChecked(p.alarm);
    m_text1->setEnabled(p.soundFileEnabled);
    m_text1->setText(QString::fromStdString(p.soundFileInUse ? m_ctx.state.Settings.AlarmSoundFile : factorySound()));
    m_chkMZ->setChecked(p.periodic);
    m_cmbMZ->setCurrentIndex(p.periodElement);
    PeriodTicksPending = kPeriodTicks[static_cast<std::size_t>(p.periodElement)];
    m_chkQK->setChecked(p.clearClipboard);
    m_fmeZL->setEnabled(false);
    m_label1LXJS->setText(QString::fromUtf8(p.explanation));
}

void UserSettingsPage::HScrollZL_Change(int value) {
    m_heldMinimum.reset();
    m_label1ZLVal->setText(QStringLiteral("可用内存最低限度:%1%").arg(value));
}

void UserSettingsPage::Chksou_Click(bool ticked) {
    AlarmPending = ticked;
    m_text1->setEnabled(ticked);
    m_com1->setEnabled(ticked);
}

void UserSettingsPage::Chkzl_Click(bool ticked) {
    AutoReleasePending = ticked;
}

void UserSettingsPage::ChkMZ_Click(bool) {
    // The list's state decides, and the box is set from it: its own change comes back here.
    if (m_inChkMZ) {
        return;
    }
    const QScopedValueRollback<bool> guard(m_inChkMZ, true);
    const bool on = !ownEnabled(m_cmbMZ);
    m_chkMZ->setChecked(on);
    m_cmbMZ->setEnabled(on);
}

void UserSettingsPage::CmbMZ_Click(int index) {
    if (index >= 0 && index < static_cast<int>(kPeriodTicks.size())) {
        PeriodTicksPending = kPeriodTicks[static_cast<std::size_t>(index)];
    }
}

void UserSettingsPage::Com1_Click() {
    const auto chosen = m_ctx.platform.dialogs.openFile("打开", pathToUtf8(m_ctx.state.programFolder),
                                                        "声音文件(*.wav;*.mid)|*.wav;*.mid");
    // A cancelled dialog leaves the path as it was.
    if (chosen) {
        m_text1->setText(QString::fromStdString(*chosen));
    }
}

} // namespace tarvik
