#pragma once

#include <array>
#include <cstdint>
#include <QColor>
#include <QGroupBox>
#include <string>

class QLabel;
class QPushButton;

namespace tarvik {

struct AppContext;
class ChartSurface;

// `FmeXXZL`, page 0 of the main window: the memory figures as text, a chart of the free physical
// memory of the last 20 seconds with the user's minimum as a red line, and "写入日志".
class MemoryInfoPage : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kHistorySlots = 41;

    MemoryInfoPage(AppContext& context, QWidget* parent = nullptr);

    // Samples, fills the captions and draws the chart grid; run once when the window is built.
    void RefreshMemoryInfo();
    void ShowMemoryFigures();
    void DrawInfoChartGrid();
    void DrawInfoChart();
    // One tick of the window's timer for this page: figures, chart, caption colour, minimum.
    void tick();

    // The four captions of the memory report, as they stand.
    std::array<std::string, 4> reportCaptions() const;
    // Slot 1 is the newest value, slot 41 the oldest; slot 0 is unused.
    const std::array<int, kHistorySlots + 1>& InfoChartHistory() const { return m_history; }

    QLabel* Label0TX() const { return m_label0TX; }
    QLabel* Label0ZLVal() const { return m_label0ZLVal; }
    QLabel* Label2(int i) const { return m_label2[static_cast<std::size_t>(i)]; }
    ChartSurface* Pic1() const { return m_pic1; }
    QLabel* lblTotalPhys() const { return m_lblTotalPhys; }
    QLabel* lblAvailPhys() const { return m_lblAvailPhys; }
    QLabel* lblTotalPage() const { return m_lblTotalPage; }
    QLabel* lblTotalVirtual() const { return m_lblTotalVirtual; }
    QPushButton* Cmd0Save() const { return m_cmd0Save; }

signals:
    void statusChanged(const QString& text);

public slots:
    void Cmd0Save_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The figures' captions in the order of lblTotalPhys, lblAvailPhys, lblTotalPage,
    // lblTotalVirtual, Label0TX.
    static constexpr std::size_t kCaptions = 5;

    void renderChart();
    void setCaption(QLabel* label, const std::string& text);
    // Puts the latest captions and the caption colour into the labels while the page can be seen.
    void showCaptions();

    AppContext& m_ctx;
    std::array<std::string, kCaptions> m_captions;
    std::array<std::uint64_t, kCaptions> m_figures{}; // the numbers the captions show
    QColor m_captionColour = Qt::black;
    bool m_captionsShown = false; // the labels hold the latest captions
    std::array<int, kHistorySlots + 1> m_history{};
    bool m_chartStale = false; // until the first tick the chart shows the grid alone
    int m_captionMinimum = -1; // the minimum the red-line caption shows; -1 before the first tick

    QLabel* m_label0TX = nullptr;
    QLabel* m_label0ZLVal = nullptr;
    std::array<QLabel*, 5> m_label2{};
    ChartSurface* m_pic1 = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QLabel* m_lblTotalPhys = nullptr;
    QLabel* m_lblAvailPhys = nullptr;
    QLabel* m_lblTotalPage = nullptr;
    QLabel* m_lblTotalVirtual = nullptr;
    QPushButton* m_cmd0Save = nullptr;
};

} // namespace tarvik
