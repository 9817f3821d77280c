#include "mainwindow/SoftwareSettingsPage.h"

#include "mainwindow/NoteLabel.h"
#include "mainwindow/PageControls.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QValidator>

namespace tarvik {

namespace {

using PageControls::makeCheckBox;
using PageControls::makeLabel;

constexpr int kMinInterval = 10;
constexpr int kMaxInterval = 60;

} // namespace

// The minutes box takes two characters as the user types or pastes, like a text box with a
// length limit: a longer paste keeps what fits (pasting "30分钟" gives "30"), and input that does
// not fit at all is refused. Text the program sets is shown as it is.
class SoftwareSettingsPage::TwoCharacters : public QValidator {
public:
    explicit TwoCharacters(QLineEdit* box) : QValidator(box) {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { m_previous = text; });
    }
    void setTextFromProgram(QLineEdit* box, const QString& text) {
        m_program = true;
        box->setText(text);
        m_program = false;
    }
    State validate(QString& input, int& pos) const override {
        if (input.size() <= kLimit || m_program) {
            return Acceptable;
        }
        // What the edit put between the unchanged start and end of the previous text.
        qsizetype head = 0;
        while (head < input.size() && head < m_previous.size() && input[head] == m_previous[head]) {
            ++head;
        }
        qsizetype tail = 0;
        while (tail < input.size() - head && tail < m_previous.size() - head &&
               input[input.size() - 1 - tail] == m_previous[m_previous.size() - 1 - tail]) {
            ++tail;
        }
        const qsizetype room = kLimit - head - tail;
        if (room <= 0) {
            return Invalid;
        }
        input = input.left(head) + input.mid(head, room) + input.right(tail);
        pos = static_cast<int>(head + room);
        return Acceptable;
    }

private:
    static constexpr qsizetype kLimit = 2;
    QString m_previous;
    bool m_program = false;
};

SoftwareSettingsPage::SoftwareSettingsPage(QWidget* parent) : QGroupBox(QStringLiteral("软件设置"), parent) {
    setGeometry(PageControls::pageGeometry());

    m_fmeSoftSet = new QWidget(this);
    m_fmeSoftSet->setGeometry(twipsRect(240, 360, 4575, 3015));
    m_chkZDJL = makeCheckBox(m_fmeSoftSet, twipsRect(120, 240, 3135, 255), "自动记录内存信息");
    m_lblZDJL =
        new NoteLabel(QStringLiteral("选择该项，软件将每隔一段时间将内存信息记录到日志中，以便您了解内存的使用状况。"),
                      twipsRect(360, 525, 3975, 375), 2, m_fmeSoftSet);
    makeLabel(m_fmeSoftSet, twipsRect(360, 1125, 495, 255), "每隔");
    m_txtZDJL = new QLineEdit(m_fmeSoftSet);
    m_txtZDJL->setGeometry(twipsRect(840, 1080, 735, 270));
    m_intervalLimit = new TwoCharacters(m_txtZDJL);
    m_txtZDJL->setValidator(m_intervalLimit);
    m_vScrollZDJL = new QScrollBar(Qt::Vertical, m_fmeSoftSet);
    m_vScrollZDJL->setGeometry(twipsRect(1250, 1110, 300, 205));
    m_vScrollZDJL->setRange(kMinInterval, kMaxInterval);
    m_vScrollZDJL->setPageStep(1);
    // The box follows the arrows and the end of a drag, not the thumb on its way.
    m_vScrollZDJL->setTracking(false);
    m_vScrollZDJL->setFocusPolicy(Qt::StrongFocus);
    makeLabel(m_fmeSoftSet, twipsRect(1680, 1125, 2175, 255), "分钟自动记录内存信息。");
    m_label1 = new NoteLabel(QStringLiteral("请在自动记录内存信息的时间中输入10至60之间的数字。"),
                             twipsRect(360, 1440, 3975, 375), 2, m_fmeSoftSet);
    m_chkrun = makeCheckBox(m_fmeSoftSet, twipsRect(120, 2040, 3375, 255), "开机时自动运行本程序(建议选择)");
    m_chkYC = makeCheckBox(m_fmeSoftSet, twipsRect(120, 2400, 2415, 255), "启动时隐藏内存监控窗体");
    m_chkCPU_ZL =
        makeCheckBox(m_fmeSoftSet, twipsRect(240, 3000, 4215, 255), "当CPU使用率过高时，不整理内存 (建议选择)");
    m_chkCPU_ZL->hide();

    makeLabel(this, twipsRect(360, 3520, 1575, 255), "内存监视窗口界面");
    m_cmbJM = new QComboBox(this);
    m_cmbJM->setGeometry(twipsRect(1920, 3480, 1335, 300));
    m_cmbJM->addItems({QStringLiteral("条形图"), QStringLiteral("折线图"), QStringLiteral("峰值图")});
    m_cmbJM->setCurrentIndex(-1);

    m_fmePQ = new QGroupBox(QStringLiteral("批量启动(仅建议高级用户使用)"), this);
    m_fmePQ->setGeometry(twipsRect(5040, 240, 4815, 3255));
    m_list1 = new QListWidget(m_fmePQ);
    m_list1->setGeometry(twipsRect(120, 240, 4575, 2895));
    m_fmePQ->hide();

    m_cmdSaveSet = PageControls::makeSaveButton(this);

    connect(m_chkZDJL, &QCheckBox::toggled, this, &SoftwareSettingsPage::ChkZDJL_Click);
    connect(m_vScrollZDJL, &QScrollBar::valueChanged, this, &SoftwareSettingsPage::VScrollZDJL_Change);
    connect(m_txtZDJL, &QLineEdit::textChanged, this, [this] { m_heldInterval.reset(); });
    connect(m_cmbJM, &QComboBox::currentIndexChanged, this, &SoftwareSettingsPage::CmbJM_Change);
}

void SoftwareSettingsPage::setIntervalText(const QString& text) {
    m_intervalLimit->setTextFromProgram(m_txtZDJL, text);
}

void SoftwareSettingsPage::fillInterval(std::uint8_t stored) {
    m_vScrollZDJL->setValue(stored);
    setIntervalText(QString::number(stored));
    m_heldInterval.reset();
    if (stored < kMinInterval || stored > kMaxInterval) {
        m_heldInterval = stored;
    }
}

void SoftwareSettingsPage::fillChartStyle(std::uint8_t stored) {
    m_cmbJM->setCurrentIndex(stored < m_cmbJM->count() ? stored : -1);
    ChartStylePending = stored;
}

void SoftwareSettingsPage::setBatchStartList(const BatchStartList& list) {
    m_list1->clear();
    for (const BatchStartEntry& entry : list) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.ProgramPath), m_list1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.Selected ? Qt::Checked : Qt::Unchecked);
    }
}

BatchStartList SoftwareSettingsPage::batchStartList() const {
    BatchStartList list;
    for (int i = 0; i < m_list1->count(); ++i) {
        const QListWidgetItem* item = m_list1->item(i);
        list.push_back({item->text().toStdString(), item->checkState() == Qt::Checked});
    }
    return list;
}

void SoftwareSettingsPage::ChkZDJL_Click(bool ticked) {
    m_txtZDJL->setEnabled(ticked);
    m_vScrollZDJL->setEnabled(ticked);
}

void SoftwareSettingsPage::VScrollZDJL_Change(int value) {
    setIntervalText(QString::number(value));
}

void SoftwareSettingsPage::CmbJM_Change(int index) {
    if (index >= 0) {
        ChartStylePending = static_cast<std::uint8_t>(index);
    }
}

} // namespace tarvik
