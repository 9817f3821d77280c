#include "mainwindow/LogPage.h"

#include "app/AppContext.h"
#include "mainwindow/LogView.h"
#include "mainwindow/MainWindowPictures.h"
#include "mainwindow/PageControls.h"
#include "mainwindow/PictureOnShow.h"
#include "settings/Paths.h"
#include "settings/Texts.h"
#include "settings/UserLevel.h"
#include "ui/ClickLabel.h"
#include "ui/Twips.h"

#include <QHideEvent>
#include <QShowEvent>

namespace tarvik {

LogPage::LogPage(AppContext& context, QWidget* parent) : QGroupBox(QStringLiteral("日志"), parent), m_ctx(context) {
    setGeometry(PageControls::pageGeometry());

    m_txtRZ = new LogView(m_ctx.platform.codec, this);
    m_txtRZ->setGeometry(twipsRect(120, 240, 3855, 3855));

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
    // Every page change comes here. The log is read only when the page can be seen and the log
    // changed since the view showed it; otherwise opening it is enough to know it can be read.
    const auto now = m_ctx.log.stamp();
    if (!now || (isVisible() && !showLog(*now))) {
        reportUnreadable();
    }
}

bool LogPage::showLog(const EventLog::Stamp& now) {
    const bool same = m_shown == now;
    if (same && m_holdsLog) {
        return true; // the reader keeps their place
    }
    bool olderLeftOut = false;
    auto bytes = m_ctx.log.readNewest(olderLeftOut);
    if (!bytes) {
        return false;
    }
    bytesToView(std::move(*bytes), olderLeftOut); // a changed log shows its newest entries
    if (same) {
        m_txtRZ->setTopRow(m_topRow); // unchanged since the window hid: back to the same place
    }
    m_shown = now;
    return true;
}

void LogPage::reportUnreadable() {
    m_ctx.platform.dialogs.message(Texts::kLogOpenFailed, std::string(), MessageIcon::None);
    m_ctx.log.AppendLogLine(Texts::kLogViewFailed);
}

void LogPage::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    // Shown: the log as it stands now.
    if (const auto now = m_ctx.log.stamp(); now && showLog(*now)) {
        return;
    }
    if (m_holdsLog || !m_shown) {
        return; // the view keeps its text; the page change that follows reports the failure
    }
    // The view let go of its lines when the window hid and the log cannot be read now: it shows
    // the log as the program last read or wrote it, and says so as a refresh does, unless a
    // refresh asked for with the show will.
    bytesToView(m_ctx.state.LogText, m_ctx.log.copyStart() != 0);
    m_txtRZ->setTopRow(m_topRow);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_ctx.state.PageRefreshRequested == 0) {
                reportUnreadable();
            }
        },
        Qt::QueuedConnection);
}

void LogPage::bytesToView(std::string bytes, bool olderLeftOut) {
    if (olderLeftOut) {
        bytes.insert(0, m_ctx.files.codec().fromUtf8Lossy(Texts::kLogOlderEntriesInFile) + "\r\n");
    }
    m_txtRZ->setLines(LogLines(std::move(bytes)));
    m_holdsLog = true;
}

void LogPage::hideEvent(QHideEvent* event) {
    QGroupBox::hideEvent(event);
    // The window hides (not another page chosen): the view lets go of the log's lines.
    if (!isHidden() && m_holdsLog) {
        m_topRow = m_txtRZ->topRow();
        m_txtRZ->clear();
        m_holdsLog = false;
    }
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
    m_txtRZ->clear();
    m_shown.reset();
    m_holdsLog = false;
    emit statusChanged(QString::fromUtf8(Texts::kLogCleared));
}

} // namespace tarvik
