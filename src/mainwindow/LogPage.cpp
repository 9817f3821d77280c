#include "mainwindow/LogPage.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/MainWindowPictures.h"
#include "mainwindow/PageControls.h"
#include "mainwindow/PictureOnShow.h"
#include "monitor/AppContext.h"
#include "monitor/Twips.h"
#include "settings/Paths.h"
#include "settings/Texts.h"
#include "settings/UserLevel.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace tarvik {

LogPage::LogPage(AppContext& context, QWidget* parent) : QGroupBox(QStringLiteral("日志"), parent), m_ctx(context) {
    setGeometry(PageControls::pageGeometry());

    m_txtRZ = new QPlainTextEdit(this);
    m_txtRZ->setGeometry(twipsRect(120, 240, 3855, 3855));
    m_txtRZ->setReadOnly(true);
    m_txtRZ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtRZ->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    struct Button {
        int top;
        int captionTop;
        const char* caption;
        void (LogPage::*click)();
    };
    static const Button buttons[3] = {{360, 960, "刷新日志", &LogPage::ImgaeSX_Click},
                                      {1800, 2400, "另存为...", &LogPage::ImageSave_Click},
                                      {3240, 3840, "清空日志", &LogPage::ImageQK_Click}};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* image = new ClickLabel(this);
        image->setGeometry(twipsRect(4200, buttons[i].top, 480, 480));
        image->setAlignment(Qt::AlignCenter);
        setPictureOnShow(image, [i] { return MainWindowPictures::logIcon(static_cast<int>(i)); });
        image->setCursor(Qt::PointingHandCursor);
        image->setToolTip(QString::fromUtf8(buttons[i].caption));
        connect(image, &ClickLabel::clicked, this, buttons[i].click);
        m_images[i] = image;

        auto* caption = new QLabel(QString::fromUtf8(buttons[i].caption), this);
        caption->setGeometry(twipsRect(4080, buttons[i].captionTop, 855, 255));
        caption->setAlignment(Qt::AlignCenter);
        m_captions[i] = caption;
    }
}

void LogPage::LoadLogView() {
    const auto bytes = m_ctx.log.readBytes();
    const auto text =
        bytes ? std::optional<std::string>(EventLog::textForView(*bytes, m_ctx.platform.codec)) : std::nullopt;
    if (!text) {
        m_ctx.platform.dialogs.message(Texts::kLogOpenFailed, std::string(), MessageIcon::None);
        m_ctx.log.AppendLogLine(Texts::kLogViewFailed);
        return;
    }
    showText(QString::fromStdString(*text));
}

void LogPage::showText(const QString& text) {
    // An unchanged log keeps the reader's place; a changed one shows its newest entries.
    if (text == m_text && !m_text.isEmpty()) {
        return;
    }
    m_text = text;
    m_txtRZ->setPlainText(text);
    m_txtRZ->verticalScrollBar()->setValue(m_txtRZ->verticalScrollBar()->maximum());
}

void LogPage::ImgaeSX_Click() {
    LoadLogView();
}

void LogPage::ImageSave_Click() {
    const std::string folder = pathToUtf8(m_ctx.state.programFolder);
    const auto target =
        m_ctx.platform.dialogs.saveFile("日志另存为", folder, "塔维内存整理日志", "txt", "文本文件(*.txt)|*.txt");
    if (!target || target->empty()) {
        return;
    }
    // A failed copy ends the command without a word, as the user chose an unusable place.
    m_ctx.log.copyTo(pathFromUtf8(*target));
}

void LogPage::ImageQK_Click() {
    if (!m_ctx.platform.dialogs.confirm(Texts::kClearLogQuestion, Texts::kClearLogTitle)) {
        return;
    }
    if (!Gate::mayClearLog(m_ctx.state.Access.UserLevel)) {
        m_ctx.platform.dialogs.message(Texts::kAdvancedOnly, Texts::kNoticeTitle, MessageIcon::Information);
        return;
    }
    // The file is rewritten first: when that fails the log and its view stay as they were.
    if (!m_ctx.log.clear()) {
        m_ctx.platform.dialogs.message(Texts::kClearLogFailed, std::string(), MessageIcon::Information);
        return;
    }
    m_text.clear();
    m_txtRZ->clear();
    emit statusChanged(QString::fromUtf8(Texts::kLogCleared));
}

} // namespace tarvik
