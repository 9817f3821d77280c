#include "mainwindow/MemoryInfoPage.h"

#include "app/AppContext.h"
#include "mainwindow/PageControls.h"
#include "memory/MemoryFigures.h"
#include "settings/Texts.h"
#include "ui/ChartSurface.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace tarvik {

namespace {

using PageControls::makeLabel;

const QColor kGridBlue(28, 121, 198);
const QColor kMinimumRed(255, 0, 0);
const QColor kBarGreen(0, 192, 0);

} // namespace

MemoryInfoPage::MemoryInfoPage(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("内存信息"), parent), m_ctx(context) {
    setGeometry(PageControls::pageGeometry());

    m_label0TX = makeLabel(this, twipsRect(240, 360, 2655, 255));
    m_label0ZLVal = makeLabel(this, twipsRect(2280, 360, 2415, 255));

    static const char* const axis[5] = {"100%", "75%", "50%", "25%", "0%"};
    for (int i = 0; i < 4; ++i) {
        m_label2[static_cast<std::size_t>(i)] = makeLabel(this, twipsRect(120, 680 + 250 * i, 375, 255), axis[i]);
    }
    m_label2[4] = makeLabel(this, twipsRect(240, 1680, 255, 255), axis[4]);
    // All five end at the same place left of the chart; one too narrow for its text grows leftwards.
    for (QLabel* label : m_label2) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (needed > label->width()) {
            label->setGeometry(label->geometry().adjusted(label->width() - needed, 0, 0, 0));
        }
    }

    m_pic1 = new ChartSurface(this);
    m_pic1->setGeometry(twipsRect(600, 720, 4080, 1100));
    m_pic1->setFramed(true);
    m_pic1->setBackColour(Qt::black);
    m_pic1->setEnabled(false);
    m_pic1->setToolTip(QStringLiteral("可用的物理内存"));

    m_frame1 = new QGroupBox(QStringLiteral("系统资源"), this);
    m_frame1->setGeometry(twipsRect(240, 2160, 4575, 1815));
    // These three hold their figure on one line of their own up to the button; sized once rather
    // than to every new figure, which would lay their text out twice a second.
    const int lineHeight = fontMetrics().height();
    m_lblTotalPhys =
        makeLabel(m_frame1, QRect(twipsRect(240, 360, 3000, 0).topLeft(), QSize(twipsToPx(3000), lineHeight)));
    m_lblAvailPhys =
        makeLabel(m_frame1, QRect(twipsRect(240, 600, 3000, 0).topLeft(), QSize(twipsToPx(3000), lineHeight)));
    m_lblTotalPage =
        makeLabel(m_frame1, QRect(twipsRect(240, 840, 3000, 0).topLeft(), QSize(twipsToPx(3000), lineHeight)));
    m_lblTotalVirtual = makeLabel(m_frame1, twipsRect(240, 1080, 1995, 210));
    m_cmd0Save = new QPushButton(QStringLiteral("写入日志"), m_frame1);
    m_cmd0Save->setGeometry(twipsRect(3360, 1200, 1095, 375));
    connect(m_cmd0Save, &QPushButton::clicked, this, &MemoryInfoPage::Cmd0Save_Click);
}

void MemoryInfoPage::setCaption(QLabel* label, const std::string& text) {
    const QString caption = QString::fromStdString(text);
    if (label->text() != caption) {
        label->setText(caption);
    }
}

void MemoryInfoPage::ShowMemoryFigures() {
    m_ctx.sampleMemory(); // a failed sample leaves the figures as they were
    const MemoryStatus& s = m_ctx.state.Memory;
    // A zero total reads as 0 % rather than failing the tick. A caption is made only when the
    // figure it shows changes; the labels take it while the page can be seen, or when it is shown.
    const std::array<std::uint64_t, kCaptions> figures{
        MemoryFigures::totalPhysMB(s), MemoryFigures::freePhysMB(s),
        static_cast<std::uint64_t>(MemoryFigures::wholePercent(s.dwAvailPageFile, s.dwTotalPageFile)),
        static_cast<std::uint64_t>(MemoryFigures::wholePercent(s.dwAvailVirtual, s.dwTotalVirtual)),
        static_cast<std::uint64_t>(MemoryFigures::wholePercent(s.dwAvailPhys, s.dwTotalPhys))};
    std::string (*const captionOf[kCaptions])(const MemoryStatus&) = {
        MemoryFigures::totalPhysCaption, MemoryFigures::availPhysCaption, MemoryFigures::pageFileCaption,
        MemoryFigures::virtualCaption, MemoryFigures::availPhysPercentCaption};
    for (std::size_t i = 0; i < kCaptions; ++i) {
        if (figures[i] != m_figures[i] || m_captions[i].empty()) {
            m_captions[i] = captionOf[i](s);
            m_figures[i] = figures[i];
            m_captionsShown = false;
        }
    }
    showCaptions();
}

void MemoryInfoPage::showCaptions() {
    if (m_captionsShown || !isVisible()) {
        return;
    }
    const std::array<QLabel*, kCaptions> labels{m_lblTotalPhys, m_lblAvailPhys, m_lblTotalPage, m_lblTotalVirtual,
                                                m_label0TX};
    for (std::size_t i = 0; i < kCaptions; ++i) {
        setCaption(labels[i], m_captions[i]);
    }
    QPalette pal = m_label0TX->palette();
    if (pal.color(QPalette::WindowText) != m_captionColour) {
        pal.setColor(QPalette::WindowText, m_captionColour);
        m_label0TX->setPalette(pal);
    }
    m_captionsShown = true;
}

void MemoryInfoPage::DrawInfoChartGrid() {
    m_pic1->setPenWidth(1);
    m_pic1->setScale(-400, 100, 0, 0);
    std::array<QLineF, 5 + 17> grid;
    std::size_t n = 0;
    for (int y = 0; y <= 100; y += 25) {
        grid[n++] = QLineF(-400, y, 0, y);
    }
    for (int x = -400; x <= 0; x += 25) {
        grid[n++] = QLineF(x, 0, x, 100);
    }
    m_pic1->lines(grid.data(), static_cast<int>(n), kGridBlue);
    m_pic1->keepAsBackground();
}

void MemoryInfoPage::DrawInfoChart() {
    for (int i = 1; i <= kHistorySlots - 1; ++i) {
        m_history[static_cast<std::size_t>(42 - i)] = m_history[static_cast<std::size_t>(41 - i)];
    }
    m_history[1] = MemoryFigures::freePhysPercentFloor(m_ctx.state.Memory);
    m_chartStale = true;
    renderChart();
}

void MemoryInfoPage::renderChart() {
    // The window spends most of its life hidden; its chart is drawn when it can be seen, from the
    // same history, so it is always current without drawing every half second unseen.
    if (!m_chartStale || !isVisible()) {
        return;
    }
    m_chartStale = false;
    const int minimum = m_ctx.state.Settings.MinFreePercent;
    m_pic1->clear();
    m_pic1->setPenWidth(1);
    m_pic1->line(-400, minimum, 0, minimum, kMinimumRed);
    m_pic1->setPenWidth(3);
    std::array<QLineF, kHistorySlots> bars;
    for (int i = 1; i <= kHistorySlots; ++i) {
        const double x = -10.0 * (i - 1);
        bars[static_cast<std::size_t>(i - 1)] = QLineF(x, m_history[static_cast<std::size_t>(i)], x, 0);
    }
    m_pic1->lines(bars.data(), kHistorySlots, kBarGreen);
}

void MemoryInfoPage::tick() {
    ShowMemoryFigures();
    DrawInfoChart();
    // The colour follows the rounded-down chart value, the caption shows the rounded one.
    const int minimum = m_ctx.state.Settings.MinFreePercent;
    const QColor colour = m_history[1] < minimum ? kMinimumRed : QColor(Qt::black);
    if (colour != m_captionColour) {
        m_captionColour = colour;
        m_captionsShown = false;
        showCaptions();
    }
    if (minimum != m_captionMinimum) {
        setCaption(m_label0ZLVal, "可用内存最低限度(红线):" + std::to_string(minimum) + "%");
        m_captionMinimum = minimum;
    }
}

void MemoryInfoPage::RefreshMemoryInfo() {
    try {
        m_ctx.state.Memory.dwLength = 32;
        ShowMemoryFigures();
        DrawInfoChartGrid();
    } catch (...) {
        // The window's load goes on without the figures.
        m_ctx.log.AppendLogLine(Texts::kLogMemoryInfoFailed);
    }
}

void MemoryInfoPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showCaptions();
    renderChart();
}

std::array<std::string, 4> MemoryInfoPage::reportCaptions() const {
    return {m_captions[0], m_captions[1], m_captions[2], m_captions[3]};
}

void MemoryInfoPage::Cmd0Save_Click() {
    const auto c = reportCaptions();
    const bool written = m_ctx.log.AppendLogLine(MemoryReport(c[0], c[1], c[2], c[3]));
    emit statusChanged(QString::fromUtf8(written ? Texts::kReportWritten : Texts::kReportNotWritten));
}

} // namespace tarvik
