#include "mainwindow/PageStrip.h"

#include "mainwindow/MainWindowPictures.h"
#include "mainwindow/PictureOnShow.h"
#include "ui/ClickLabel.h"
#include "ui/Twips.h"

#include <algorithm>
#include <QEvent>
#include <QScrollBar>

namespace tarvik {

namespace {

const QColor kHoverBlue(0, 0, 255);

} // namespace

PageStrip::PageStrip(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setGeometry(twipsRect(120, 80, 1260, 4820));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    // Children are laid out in the client area inside the border, which also clips them.
    m_client = new QWidget(this);
    m_client->setGeometry(contentsRect());

    m_framain = new QWidget(m_client);
    m_framain->setGeometry(twipsRect(0, 0, 975, kStripHeightTwips));
    m_framain->setMouseTracking(true);
    m_framain->installEventFilter(this);

    m_imgMain00 = new QLabel(m_framain);
    m_imgMain00->setGeometry(twipsRect(0, 0, 1995, 6750));
    m_imgMain00->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPictureOnShow(m_imgMain00, &MainWindowPictures::stripBackground);
    m_imgMain00->setMouseTracking(true);
    m_imgMain00->installEventFilter(this);

    static const char* const captions[kButtons] = {"内存信息", "用户设置", "软件设置", "用户级别", "日志", "关闭"};
    for (int i = 0; i < kButtons; ++i) {
        auto* icon = new ClickLabel(m_framain);
        icon->setGeometry(twipsRect(240, 120 + 960 * i, 480, 480));
        icon->setAlignment(Qt::AlignCenter);
        setPictureOnShow(icon, [i] { return MainWindowPictures::pageIcon(i); });
        icon->setCursor(Qt::PointingHandCursor);
        icon->setMouseTracking(true);
        icon->installEventFilter(this);
        connect(icon, &ClickLabel::clicked, this, [this, i] { emit Imgmain_Click(i); });
        m_imgmain[static_cast<std::size_t>(i)] = icon;

        auto* caption = new QLabel(QString::fromUtf8(captions[i]), m_framain);
        caption->setGeometry(twipsRect(120, 720 + 960 * i, 735, 255));
        caption->setAlignment(Qt::AlignCenter);
        caption->setAttribute(Qt::WA_TranslucentBackground);
        caption->setMouseTracking(true);
        caption->installEventFilter(this);
        m_label5[static_cast<std::size_t>(i)] = caption;
        setCaptionColour(i, palette().color(QPalette::ButtonText));
    }

    m_vscMain = new QScrollBar(Qt::Vertical, m_client);
    m_vscMain->setGeometry(twipsRect(960, 0, 255, 4760));
    m_vscMain->setRange(0, 1);
    m_vscMain->setSingleStep(1);
    m_vscMain->setPageStep(1);
    // A change while the thumb is held is a scroll; the release settles the position.
    connect(m_vscMain, &QScrollBar::valueChanged, this, [this] {
        if (m_vscMain->isSliderDown()) {
            VSCmain_Scroll();
        } else {
            VSCmain_Change();
        }
    });
    connect(m_vscMain, &QScrollBar::sliderReleased, this, &PageStrip::VSCmain_Change);
    m_vscMain->raise();
}

void PageStrip::VSCmain_Change() {
    setFramainTop(-1100 * m_vscMain->value());
}

void PageStrip::VSCmain_Scroll() {
    setFramainTop(-20 * m_vscMain->value());
}

void PageStrip::setFramainTop(int twips) {
    m_framainTop = twips;
    m_framain->move(0, twipsToPx(twips));
}

void PageStrip::setCaptionColour(int index, const QColor& colour) {
    QLabel* caption = m_label5[static_cast<std::size_t>(index)];
    QPalette pal = caption->palette();
    if (pal.color(QPalette::WindowText) != colour) {
        pal.setColor(QPalette::WindowText, colour);
        caption->setPalette(pal);
    }
}

bool PageStrip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return QFrame::eventFilter(watched, event);
    }
    const QColor plain = palette().color(QPalette::ButtonText);
    const auto icon = std::find(m_imgmain.begin(), m_imgmain.end(), watched);
    if (icon != m_imgmain.end()) {
        for (int i = 0; i < kButtons; ++i) {
            setCaptionColour(i, plain);
        }
        setCaptionColour(static_cast<int>(icon - m_imgmain.begin()), kHoverBlue);
        return true; // taken here, so the strip beneath does not reset the colours
    }
    const auto caption = std::find(m_label5.begin(), m_label5.end(), watched);
    if (caption != m_label5.end()) {
        setCaptionColour(static_cast<int>(caption - m_label5.begin()), kHoverBlue);
        return true;
    }
    if (watched == m_framain || watched == m_imgMain00) {
        for (int i = 0; i < kButtons; ++i) {
            setCaptionColour(i, plain);
        }
    }
    return false;
}

} // namespace tarvik
