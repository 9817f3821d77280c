#include "mainwindow/UserLevelPage.h"

#include "mainwindow/NoteLabel.h"
#include "mainwindow/PageControls.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tarvik {

UserLevelPage::UserLevelPage(QWidget* parent) : QGroupBox(QStringLiteral("用户级别"), parent) {
    setGeometry(PageControls::pageGeometry());

    m_cmdSaveSet = PageControls::makeSaveButton(this);

    struct Level {
        const char* caption;
        QRect option;
        const char* explanation;
        QRect note;
        int noteLines;
        void (UserLevelPage::*click)();
    };
    const Level levels[3] = {
        {"初级用户", twipsRect(240, 360, 2415, 255),
         "选择该项您不需要对本软件进行任何操作，如果您刚刚接触电脑不久，对电脑的操作于是用还没有太多的把握，请选择该项"
         "。",
         twipsRect(480, 680, 4215, 615), 3, &UserLevelPage::OptCJ_Click},
        {"普通用户", twipsRect(240, 1320, 2295, 255),
         "选择该项您可以使用软件的大部分功能和设置，但禁用个别的功能。建议大多数用户使用。",
         twipsRect(480, 1680, 4215, 375), 2, &UserLevelPage::OptZJ_Click},
        {"高级用户", twipsRect(240, 2160, 2295, 255), "选择该项您可以设置和使用软件的所用功能，建议专业用户使用。",
         twipsRect(480, 2520, 4215, 495), 2, &UserLevelPage::OptGJ_Click},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(levels[i].caption), this);
        option->setGeometry(levels[i].option);
        const auto click = levels[i].click;
        connect(option, &QRadioButton::toggled, this, [this, click](bool on) {
            if (on) {
                (this->*click)();
            }
        });
        m_options[i] = option;
        new NoteLabel(QString::fromUtf8(levels[i].explanation), levels[i].note, levels[i].noteLines, this);
    }
    m_label3JB = new NoteLabel(QString(), twipsRect(360, 3240, 4335, 615), 3, this);
}

void UserLevelPage::selectLevel(int level) {
    m_options[level == 2 || level == 3 ? static_cast<std::size_t>(level - 1) : 0]->setChecked(true);
}

int UserLevelPage::chosenLevel() const {
    for (std::size_t i = 0; i < 3; ++i) {
        if (m_options[i]->isChecked()) {
            return static_cast<int>(i) + 1;
        }
    }
    return 1;
}

void UserLevelPage::OptCJ_Click() {
    m_label3JB->setText(QStringLiteral("初级用户，只能更改计算机使用类型(不能进行自定义设置)"
                                       "，内存监视窗口界面，以及查看内存详细资料和日志，不能进行其他操作。"));
}

void UserLevelPage::OptZJ_Click() {
    m_label3JB->setText(QStringLiteral("普通用户，可以使用大多数功能，但禁用清空日志等功能。"));
}

void UserLevelPage::OptGJ_Click() {
    m_label3JB->setText(QStringLiteral("高级用户，可以使用软件的所有功能。"));
}

} // namespace tarvik
