#include "monitor/Frmload.h"

#include "memory/MemoryFigures.h"
#include "monitor/TrayClicks.h"
#include "settings/Texts.h"
#include "ui/BoldTextLabel.h"
#include "ui/ChartPictures.h"
#include "ui/ChartSurface.h"
#include "ui/CurtMenu.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace tarvik {

namespace {

const QColor kBarBlue(93, 179, 255);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

template <typename Label = QLabel>
QLabel* makeLabel(QWidget* parent, const QString& text, const QColor& colour, QPoint pos) {
    auto* label = new Label(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->setGeometry(QRect(pos, QSize())); // sized to its text by measureTexts()
    return label;
}

} // namespace

Frmload::Frmload(AppContext& context, MainWindowHost& mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), m_ctx(context),
      m_mainWindow(mainWindow), m_drag(*this, context.platform.desktop) {
    setWindowTitle(QString::fromUtf8(Texts::kProgramTitle));
    // Small enough that a two-digit figure stays clear of the bar, and of the newest peaks in the
    // right part of the peak chart that is kept free for it.
    QFont f = font();
    f.setPixelSize(10);
    setFont(f);
    resize(twipsToPx(1800), twipsToPx(240));
    buildPanels(); // the menus are built on their first use, after the start-up's tray icon
    m_trayClicks =
        new TrayClicks([this] { ToggleMonitorWindow(); }, [this] { popupMenuAt(QCursor::pos(), true); }, this);

    // Timer1 and Timer3 share their interval and always ran one right after the other, so one
    // timer runs both, in that order: one timer event a second instead of two.
    m_timer1 = new QTimer(this);
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &Frmload::Timer1_Timer);
    connect(m_timer1, &QTimer::timeout, this, &Frmload::Timer3_Timer);
    m_timer3 = m_timer1;
    m_timer2 = new QTimer(this);
    m_timer2->setInterval(15000);
    connect(m_timer2, &QTimer::timeout, this, &Frmload::Timer2_Timer);
}

Frmload::~Frmload() = default;

QTimer* Frmload::timer(int n) const {
    return n == 1 ? m_timer1 : n == 2 ? m_timer2 : m_timer3;
}

void Frmload::buildPanels() {
    const QString tip = QStringLiteral("可用的物理内存");
    const QFont jmFont = UiFonts::chartStyleButtonFont();

    // Bar chart.
    auto* fme0 = new QWidget(this);
    fme0->setGeometry(twipsRect(0, 0, 1800, 240));
    fme0->setAutoFillBackground(true);
    QPalette pal = fme0->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    fme0->setPalette(pal);
    m_label4 = new QWidget(fme0);
    m_label4->setGeometry(twipsRect(360, 60, 0, 105));
    m_label4->setAutoFillBackground(true);
    pal = m_label4->palette();
    pal.setColor(QPalette::Window, kBarBlue);
    m_label4->setPalette(pal);
    m_label1[0] = makeLabel(fme0, QStringLiteral("0%"), Qt::black, twipsRect(10, 15, 0, 0).topLeft());
    m_labelJM[0] = makeLabel<BoldTextLabel>(fme0, QStringLiteral(">"), kBarBlue, twipsRect(1640, 0, 0, 0).topLeft());

    // Line chart: a framed 69 × 35 drawing area.
    auto* fme1 = new QWidget(this);
    fme1->setGeometry(twipsRect(0, 0, 1065, 555));
    fme1->setAutoFillBackground(true); // the row below the chart shows the panel's face colour
    m_pic1 = new ChartSurface(fme1);
    m_pic1->setGeometry(twipsRect(0, -10, 1065, 555));
    m_pic1->setFramed(true);
    m_pic1->setBackColour(Qt::white);
    m_pic1->setBackground(&ChartPictures::lineChartBackground);
    m_pic1->setScale(-400, 100, 0, 0);
    m_label1[1] = makeLabel(m_pic1, QStringLiteral("0%"), QColor(255, 255, 0), twipsRect(50, 30, 0, 0).topLeft());
    m_labelJM[1] =
        makeLabel<BoldTextLabel>(m_pic1, QStringLiteral(">"), QColor(255, 255, 0), twipsRect(840, 45, 0, 0).topLeft());

    // Peak chart: bars only left of x = 0; the right part holds the ">" and the percentage.
    auto* fme2 = new QWidget(this);
    fme2->setGeometry(twipsRect(0, 0, 1080, 360));
    m_pic2 = new ChartSurface(fme2);
    m_pic2->setGeometry(twipsRect(0, 0, 1080, 360));
    m_pic2->setBackColour(palette().color(QPalette::Base));
    m_pic2->setBackground(&ChartPictures::peakChartBackground);
    m_pic2->setScale(-420, 100, 180, 0);
    m_labelJM[2] = makeLabel<BoldTextLabel>(m_pic2, QStringLiteral(">"), kBarBlue, twipsRect(900, 150, 0, 0).topLeft());
    m_label1[2] = makeLabel(m_pic2, QStringLiteral("0%"), palette().color(QPalette::WindowText), QPoint(0, 0));
    m_label1[2]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // The ">" lies above the figure where their boxes meet, so every pixel of it opens the menu.
    m_labelJM[2]->raise();

    m_fme = {fme0, fme1, fme2};
    for (int i = 0; i < 3; ++i) {
        QLabel* jm = m_labelJM[static_cast<std::size_t>(i)];
        jm->setFont(jmFont);
        jm->setToolTip(QStringLiteral("更改界面"));
        jm->setCursor(Qt::PointingHandCursor);
        m_label1[static_cast<std::size_t>(i)]->setToolTip(tip);
    }
    // Every surface that drags, pops up the menu or toggles the main window reports to eventFilter,
    // the window itself where no panel covers it included.
    for (QWidget* w : std::initializer_list<QWidget*>{this, fme0, m_label4, m_pic1, m_pic2, m_label1[0], m_label1[1],
                                                      m_label1[2], m_labelJM[0], m_labelJM[1], m_labelJM[2]}) {
        w->installEventFilter(this);
    }
    fme1->hide();
    fme2->hide();
}

void Frmload::SetJm() {
    const int style = m_ctx.state.Settings.ChartStyle;
    if (style > 2) {
        return;
    }
    QWidget* chosen = m_fme[static_cast<std::size_t>(style)];
    // Height first, then width; the window keeps its top-left corner.
    const QPoint topLeft = pos();
    resize(width(), chosen->height());
    resize(chosen->width(), height());
    move(topLeft);
    for (int i = 0; i < 3; ++i) {
        m_fme[static_cast<std::size_t>(i)]->setVisible(i == style);
    }
    renderVisibleCharts();
    showFigures();
}

float Frmload::BarPercent() const {
    return static_cast<float>(pxToTwips(m_label4->width())) / 12.0f;
}

void Frmload::prepareFirstPaint() {
    // The first measuring loads the fonts, the largest part of the start-up, and the window's
    // icon is drawn at every size; both wait until the tray icon is in place, still before
    // anything is drawn on the screen.
    setWindowIcon(ProgramIcon::icon());
    m_textsMeasured = true;
    for (QLabel* label : m_label1) {
        fitLabelToText(label);
    }
    for (QLabel* jm : m_labelJM) {
        jm->adjustSize();
    }
}

void Frmload::fitLabelToText(QLabel* label) {
    if (!m_textsMeasured) {
        return;
    }
    // Each figure covers only its own text, so the bar and the newest peaks beside it stay free
    // for the mouse and the eye. The peak chart's figure keeps its right edge at the chart's edge,
    // and keeps off the newest peak's column whenever its text fits beside it (a face with wide
    // digits loses no more than its spare pixel); a figure too wide for that is shown whole.
    const QFontMetrics fm = label->fontMetrics();
    const int advance = fm.horizontalAdvance(label->text());
    const QSize size(advance + 1, fm.height());
    if (label == m_label1[2]) {
        const int clearOfPeaks = m_pic2->columnRightOfBar(0);
        int left = m_pic2->width() - size.width();
        if (left < clearOfPeaks && m_pic2->width() - clearOfPeaks >= advance) {
            left = clearOfPeaks;
        }
        label->setGeometry(left, 0, m_pic2->width() - left, size.height());
    } else {
        label->resize(size);
    }
}

void Frmload::setCaptionIfChanged(QLabel* label, const QString& text) {
    if (label->text() == text) {
        return;
    }
    const bool remeasure = label->text().size() != text.size();
    label->setText(text);
    // Digits are equally wide, so only a change of length needs the text measured again.
    if (remeasure) {
        fitLabelToText(label);
    }
}

template <typename Step> void Frmload::guarded(Step&& step) {
    // Each step of a tick is guarded on its own: a failing step is logged and the next one still runs.
    try {
        step();
    } catch (...) {
        appendLog(Texts::kLogRuntimeError);
    }
}

void Frmload::Timer1_Timer() {
    bool sampled = false;
    try {
        sampled = m_ctx.sampleMemory();
    } catch (...) {
    }
    m_figuresCurrent = sampled;
    if (!sampled) {
        // The bar, the texts and the charts keep the last figures read. A source that stays
        // unreadable is logged once, not every second, until a sample is read again.
        if (!m_sampleFailed) {
            appendLog(Texts::kLogRuntimeError);
        }
        m_sampleFailed = true;
        return;
    }
    m_sampleFailed = false;
    const MemoryStatus& s = m_ctx.state.Memory;
    guarded([&] {
        const int width = twipsToPx(MemoryFigures::barTwips(s));
        if (width != m_label4->width()) {
            m_label4->resize(width, m_label4->height());
        }
    });
    // The caption and the tooltip are the same for the three styles' labels: made only when the
    // figure they show changes, and given to the labels that can be seen (the others get them
    // when they come into view).
    guarded([&] {
        const int percent = MemoryFigures::wholePercent(s.dwAvailPhys, s.dwTotalPhys);
        if (percent != m_captionPercent) {
            m_caption = qs(MemoryFigures::freePhysPercentText(s));
            m_captionPercent = percent;
        }
    });
    guarded([&] {
        const std::uint64_t mb = MemoryFigures::freePhysMB(s);
        if (mb != m_tipMB || m_tip.isEmpty()) {
            m_tip = qs(MemoryFigures::monitorTooltip(s));
            m_tipMB = mb;
        }
    });
    showFigures();
}

void Frmload::showFigures() {
    if (m_captionPercent < 0) {
        return; // no sample yet: the labels keep their first texts
    }
    for (QLabel* label : m_label1) {
        if (!label->isVisible()) {
            continue;
        }
        guarded([&] { setCaptionIfChanged(label, m_caption); });
        if (label->toolTip() != m_tip) {
            guarded([&] { label->setToolTip(m_tip); });
        }
    }
}

void Frmload::DrawCharts() {
    const double newest = MemoryFigures::freePhysPercentFloor(m_ctx.state.Memory);
    auto shift = [newest](std::array<double, 43>& h) {
        for (int i = 1; i <= 40; ++i) {
            h[static_cast<std::size_t>(42 - i)] = h[static_cast<std::size_t>(41 - i)];
        }
        h[1] = newest;
    };
    // A chart whose drawn slots hold the same values as before would be drawn pixel for pixel
    // the same: it is left as it is, and so is the screen.
    const std::array<double, 43> before = m_lineHistory;
    shift(m_lineHistory);
    shift(m_peakHistory);
    if (!std::equal(before.begin() + 1, before.begin() + 42, m_lineHistory.begin() + 1)) {
        m_chartStale = {true, true};
    }
    renderVisibleCharts();
}

void Frmload::renderVisibleCharts() {
    // A chart nobody can see is drawn when it comes into view (style switch or show), from the
    // same history, so the picture is always current without drawing it every second unseen.
    if (!isVisible()) {
        return;
    }
    std::array<QLineF, 40> segments;
    if (m_chartStale[0] && m_fme[1]->isVisible()) {
        m_pic1->clear();
        m_pic1->setPenWidth(1);
        double x = 0;
        for (std::size_t i = 1; i <= 40; ++i) {
            segments[i - 1] = QLineF(x, m_lineHistory[i], x - 10, m_lineHistory[i + 1]);
            x -= 10;
        }
        m_pic1->lines(segments.data(), 40, QColor(0, 255, 0));
        m_chartStale[0] = false;
    }
    if (m_chartStale[1] && m_fme[2]->isVisible()) {
        m_pic2->clear();
        m_pic2->setPenWidth(2);
        double x = 0;
        for (std::size_t i = 1; i <= 40; ++i) {
            segments[i - 1] = QLineF(x, m_peakHistory[i], x, 0);
            x -= 10;
        }
        m_pic2->lines(segments.data(), 40, kBarBlue);
        m_chartStale[1] = false;
    }
}

void Frmload::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* native = windowHandle(); native != nullptr && !m_followsScreen) {
        // Moved to a screen of another scale, or the scale of its screen changed: the charts are
        // drawn again for the new pixel density.
        m_followsScreen = true;
        const auto follow = [this, native] {
            disconnect(m_screenScale);
            if (native->screen() != nullptr) {
                m_screenScale =
                    connect(native->screen(), &QScreen::logicalDotsPerInchChanged, this, &Frmload::followPixelRatio);
            }
            followPixelRatio();
        };
        connect(native, &QWindow::screenChanged, this, follow);
        follow();
    }
    renderVisibleCharts();
    showFigures();
}

void Frmload::followPixelRatio() {
    setChartPixelRatio(devicePixelRatioF());
}

void Frmload::setChartPixelRatio(double ratio) {
    if (ratio == m_pic1->pixelRatio() && ratio == m_pic2->pixelRatio()) {
        return;
    }
    m_pic1->setPixelRatio(ratio);
    m_pic2->setPixelRatio(ratio);
    m_chartStale = {true, true};
    fitLabelToText(m_label1[2]); // the newest peak's width is in device pixels
    renderVisibleCharts();
}

void Frmload::Timer3_Timer() {
    DrawCharts();
}

MonitorPlacement Frmload::currentPlacement() const {
    const QRect g = geometry();
    return MonitorPlacement{static_cast<float>(pxToTwips(g.y())), static_cast<float>(pxToTwips(g.x())),
                            static_cast<float>(pxToTwips(g.height()))};
}

} // namespace tarvik
